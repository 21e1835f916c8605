/* The errors of another library of the family, shown through its export
 * Qel_GetAllErrors. NotesStore is found in the Tralvex library's own
 * directory.
 * Usage: library_errors DIRECTORY (examples/, for QelError.msg). */
#include <stdio.h>
#include <tralvex/tralvex.h>

static int TRALVEX_CALL PrintBox(const char* text, const char* caption, unsigned int style) {
  printf("+-- %s (style %X)\n%s\n+--\n", caption, style, text);
  return TRALVEX_IDOK;
}

int main(int argc, char** argv) {
  if (argc < 2 || !Msg_SetDefaultDir(argv[1])) {
    fprintf(stderr, "usage: library_errors DIRECTORY\n");
    return 2;
  }
  Msg_SetMessageBoxHook(PrintBox);
  printf("result: %d\n",
         Msg_DisplayLibErrors("Saving the notes", "NotesStore", 0, TRALVEX_MB_OK, 0));
  /* The library could not give its errors (selector 1 makes it fail). */
  printf("result: %d\n",
         Msg_DisplayLibErrors("Saving the notes", "NotesStore", 1, TRALVEX_MB_OK, 0));
  return 0;
}
