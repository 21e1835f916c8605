/* The built-in texts, which stand in where no message file has a text:
 * the user's locale chooses their language (Czech, German, else English)
 * when the library is loaded.
 * Usage: built_in_texts DIRECTORY (examples/, the directory of Tralvex.ini) */
#include <stdio.h>
#include <tralvex/tralvex.h>

static int TRALVEX_CALL PrintBox(const char* text, const char* caption, unsigned int style) {
  (void)style;
  printf("+-- %s\n%s\n+--\n", caption, text);
  return TRALVEX_IDOK;
}

int main(int argc, char** argv) {
  Mes_Context* notes = NULL;
  if (argc < 2 || !Mes_OpenProcess(&notes, argv[1], "Notes", 0)) {
    fprintf(stderr, "usage: built_in_texts DIRECTORY\n");
    return 2;
  }
  Msg_SetMessageBoxHook(PrintBox);
  /* No file has a text for 0x999, and no default directory is set, so the
   * handle family cannot open QelError.msg either. */
  Mes_DisplayError(notes, 0, NULL, 0x999, NULL, TRALVEX_MB_OK);
  Msg_DisplayOneError("Opening report.txt", 0x127, "report.txt", TRALVEX_MB_OK, 0);
  Mes_CloseProcess(notes);
  return 0;
}
