/* The error boxes of both families. A message-box hook prints each box
 * instead of showing it, as a test or a program without a desktop would.
 * Usage: error_boxes DIRECTORY (examples/: Tralvex.ini, Notes-en.msg and
 * QelError.msg, the texts of the error codes). */
#include <stdio.h>
#include <tralvex/tralvex.h>

/* Prints a box: its caption, then its text, each line indented. Answers
 * as a user who agrees would. */
static int TRALVEX_CALL PrintBox(const char* text, const char* caption, unsigned int style) {
  const char* c;
  printf("+-- %s (style %X)\n| ", caption, style);
  for (c = text; *c != '\0'; ++c) {
    putchar(*c);
    if (*c == '\n') printf("| ");
  }
  printf("\n+--\n");
  return (style & 0xF) == TRALVEX_MB_YESNO ? TRALVEX_IDYES : TRALVEX_IDOK;
}

int main(int argc, char** argv) {
  uint32_t dialogs;
  Mes_Context* notes = NULL;

  /* QelError.msg, which gives the handle family its error texts, is looked
   * for in the default directory. */
  if (argc < 2 || !Msg_SetDefaultDir(argv[1]) ||
      !Msg_OpenMessages(&dialogs, "Notes-en", "Dialogs") ||
      !Mes_OpenProcess(&notes, argv[1], "Notes", 0)) {
    fprintf(stderr, "usage: error_boxes DIRECTORY\n");
    return 2;
  }
  Msg_SetMessageBoxHook(PrintBox);

  printf("handle family, the action as a text:\n");
  Msg_DisplayOneError("Opening the settings", 0x127, "notes.ini", TRALVEX_MB_OK, 0);

  printf("handle family, the action as message 1201 of a catalogue:\n");
  Msg_DisplayErrMsg(dialogs, 0x1201, 0x126, "report.txt", TRALVEX_MB_OK, 0);

  printf("several errors at once:\n");
  {
    const int codes[] = {0x120, 0x12A};
    const char* const contexts[] = {"report.txt", NULL};
    Msg_DisplayAllErrors("Saving", codes, contexts, 2, TRALVEX_MB_OK, 0);
  }

  printf("context family, the action as message 2002 with an argument:\n");
  {
    MessageArgs printer = {NULL, "LPT1", 1};
    Mes_DisplayError(notes, 0x2002, &printer, 0x120, "spool.tmp", TRALVEX_MB_OK);
  }

  printf("context family without an action (message number 0):\n");
  Mes_DisplayError(notes, 0, NULL, 0x127, "report.txt", TRALVEX_MB_OK);

  printf("context family, several errors, asking yes or no:\n");
  {
    const int codes[] = {0x127, 0x999};
    const char* const contexts[] = {"spool.tmp", "a code that no file has a text for"};
    const char* const pages[] = {"3", "12"};
    MessageArgs printing = {NULL, pages, 2};
    int answer = Mes_DisplayErrors(notes, 0x2001, &printing, codes, contexts, 2,
                                   TRALVEX_MB_YESNO | TRALVEX_MB_DEFBUTTON2);
    printf("answer: %d\n", answer);
  }

  Msg_SetMessageBoxHook(NULL);
  Mes_CloseProcess(notes);
  Msg_CloseMessages(dialogs);
  return 0;
}
