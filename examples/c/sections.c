/* One message file, several variants: the sections of Notes-en.msg and the
 * aliases between them (Dialogs takes what it lacks from Editor, Editor
 * from Common).
 * Usage: sections DIRECTORY (the directory that holds Notes-en.msg). */
#include <stdio.h>
#include <tralvex/tralvex.h>

static void Show(uint32_t texts, uint32_t number) {
  printf("  %X: %s\n", (unsigned)number, Msg_GetMessagePtr(texts, number, NULL));
}

int main(int argc, char** argv) {
  uint32_t notes;
  uint32_t dialogs;
  const char* cancel;

  if (argc < 2 || !Msg_SetDefaultDir(argv[1])) {
    fprintf(stderr, "usage: sections DIRECTORY\n");
    return 2;
  }
  /* No section named: the file's first section, Common. */
  if (!Msg_OpenMessages(&notes, "Notes-en", NULL)) return 1;
  printf("default section:\n");
  Show(notes, 0x1002);
  Show(notes, 0x1100); /* defined in Editor, not in Common */
  cancel = Msg_GetMessagePtr(notes, 0x1002, NULL);

  /* Switching the section of a handle; names are compared without case. */
  printf("switch to editor: %d\n", Msg_SetMsgSection(notes, "editor"));
  Show(notes, 0x1002); /* inherited from Common */
  Show(notes, 0x1100);

  /* A second handle on the same file, opened on another section: the file
   * is read once and shared. */
  if (!Msg_OpenMessages(&dialogs, "Notes-en", "Dialogs")) return 1;
  printf("second handle, section Dialogs:\n");
  Show(dialogs, 0x1002); /* Dialogs' own text */
  Show(dialogs, 0x1100); /* through Editor */
  Show(dialogs, 0x1F00); /* only in Errors, which no alias reaches */

  /* A section the file lacks: status 0, and the handle has no section
   * until another is selected, so every lookup gives the placeholder. */
  printf("switch to Toolbar: %d\n", Msg_SetMsgSection(notes, "Toolbar"));
  Show(notes, 0x1000);
  printf("back to the default section: %d\n", Msg_SetMsgSection(notes, NULL));
  Show(notes, 0x1000);

  /* A pointer stays valid across section changes, until its handle is
   * closed. */
  printf("text taken before the switches: %s\n", cancel);

  /* Opening on a section that does not exist fails as a whole. */
  {
    uint32_t none;
    printf("open on Toolbar: %d\n", Msg_OpenMessages(&none, "Notes-en", "Toolbar"));
  }
  Msg_CloseMessages(dialogs);
  Msg_CloseMessages(notes);
  return 0;
}
