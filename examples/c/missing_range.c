/* What a context does when a file of a range is missing, and when there is
 * no Tralvex.ini at all.
 * Usage: missing_range DIRECTORY (examples/, whose partial/ lacks Help.msg) */
#include <stdio.h>
#include <string.h>
#include <tralvex/tralvex.h>

static void Show(Mes_Context* context, uint32_t number) {
  printf("  %X: %s\n", (unsigned)number, Mes_GetMessagePtr(context, number, NULL));
}

int main(int argc, char** argv) {
  char directory[300];
  Mes_Context* partial = NULL;
  Mes_Context* nothing = NULL;
  TralvexStatus status;

  if (argc < 2 || strlen(argv[1]) > 250) {
    fprintf(stderr, "usage: missing_range DIRECTORY\n");
    return 2;
  }
  /* partial/Tralvex.ini: Main-0FFF=Main.msg, Help-1FFF=Help.msg (missing),
   * Extras-2FFF=Extras.msg. A keyword whose file is missing is skipped when
   * the context opens, so its numbers fall to the next range up. */
  sprintf(directory, "%s/partial", argv[1]);
  printf("open partial: %d\n", Mes_OpenProcess(&partial, directory, "Notes", 0));
  Show(partial, 0x100);
  Show(partial, 0x1000); /* Help.msg's range, now served by Extras.msg */
  Show(partial, 0x2000);
  Mes_CloseProcess(partial);

  /* No Tralvex.ini in the directory: the open fails. With keepOnFailure
   * set the context is handed out all the same, and answers every lookup
   * with the default or the placeholder. */
  sprintf(directory, "%s/c", argv[1]);
  status = Mes_OpenProcess(&nothing, directory, "Notes", 0);
  printf("open without Tralvex.ini: %d, context %s\n", status, nothing ? "given" : "none");
  status = Mes_OpenProcess(&nothing, directory, "Notes", 1);
  printf("again, keeping it: %d, context %s\n", status, nothing ? "given" : "none");
  Show(nothing, 0x100);
  printf("  100 with a default: %s\n", Mes_GetMessagePtr(nothing, 0x100, "Main window"));
  Mes_CloseProcess(nothing);
  return 0;
}
