/* References, escapes and arguments: evaluation and formatting through a
 * catalogue handle and through a message context.
 * Usage: formatting DIRECTORY (the directory that holds Tralvex.ini and
 * Notes-en.msg). */
#include <stdio.h>
#include <string.h>
#include <tralvex/tralvex.h>

static char buffer[200];

/* The room of an output buffer is the length of the text it holds. */
static char* Room(void) {
  memset(buffer, ' ', sizeof buffer - 1);
  buffer[sizeof buffer - 1] = '\0';
  return buffer;
}

/* A text formatted through the context: args is one text when count is 1,
 * else an array of count texts. */
static void Format(Mes_Context* context, const char* text, const void* args, uint32_t count) {
  MessageArgs record;
  record.text = text;
  record.args = args;
  record.count = count;
  Mes_FormatMessage(context, 0, Room(), &record);
  printf("  %-22s -> \"%s\"\n", text, buffer);
}

int main(int argc, char** argv) {
  uint32_t dialogs;
  Mes_Context* notes = NULL;
  TralvexStatus status;

  if (argc < 2 || !Msg_SetDefaultDir(argv[1]) ||
      !Msg_OpenMessages(&dialogs, "Notes-en", "Dialogs") ||
      !Mes_OpenProcess(&notes, argv[1], "Notes", 0)) {
    fprintf(stderr, "usage: formatting DIRECTORY\n");
    return 2;
  }

  printf("references:\n");
  status = Msg_EvalMessage(dialogs, "Press {1001|OK} in {1000}.", Room());
  printf("  by handle:  %d \"%s\"\n", status, buffer);
  /* A missing message: the handle family inserts the placeholder and
   * returns 0; a context inserts the reference's fallback text. */
  status = Msg_EvalMessage(dialogs, "Help: {1FFF|no help}", Room());
  printf("  by handle:  %d \"%s\"\n", status, buffer);
  status = Mes_EvalMessage(notes, "Help: {1FFF|no help}", Room());
  printf("  by context: %d \"%s\"\n", status, buffer);

  printf("a message with arguments:\n");
  /* Msg_FormatMessage takes up to three argument texts and expands \n and
   * \t; it does not evaluate references. */
  status = Msg_FormatMessage(dialogs, 0x1202, Room(), "report.txt", NULL, NULL);
  printf("  1202: %d \"%s\"\n", status, buffer);
  {
    /* One argument: args is the text itself. The reference stays. */
    MessageArgs one = {NULL, "report.txt", 1};
    status = Mes_FormatMessage(notes, 0x1004, Room(), &one);
    printf("  1004: %d \"%s\"\n", status, buffer);
  }
  {
    /* More than one: args is an array of texts. */
    const char* const pages[] = {"3", "12"};
    MessageArgs two = {NULL, pages, 2};
    status = Mes_FormatMessage(notes, 0x2001, Room(), &two);
    printf("  2001: %d \"%s\"\n", status, buffer);
  }
  {
    /* References first, then arguments: evaluate, then format the result
     * as a text of its own (message number 0). */
    char evaluated[200];
    MessageArgs record = {NULL, "report.txt", 1};
    Mes_EvalMessage(notes, Mes_GetMessagePtr(notes, 0x1004, NULL), Room());
    strcpy(evaluated, buffer);
    record.text = evaluated;
    status = Mes_FormatMessage(notes, 0, Room(), &record);
    printf("  1004 evaluated, then formatted: %d \"%s\"\n", status, buffer);
  }

  printf("the safe formatter (every argument is a text):\n");
  {
    const char* const three[] = {"3", "7", "x"};
    Format(notes, "%d of %s", three, 2);
    Format(notes, "[%5s]", "3", 1);
    Format(notes, "[%5s|%-5s]", three, 2);
    Format(notes, "[%.2s]", "Notes", 1);
    Format(notes, "100%% of %s", "3", 1);
    Format(notes, "%s, %s, %s, %s", three, 3);
    Format(notes, "%1$s and %y", "3", 1);
    Format(notes, "%s%n%s", three, 3);
    Format(notes, "tab:\\t%s", "3", 1);
  }

  printf("a buffer with room for 12:\n");
  strcpy(buffer, "            ");
  Msg_FormatMessage(dialogs, 0x1202, buffer, "report.txt", NULL, NULL);
  printf("  \"%s\"\n", buffer);

  Mes_CloseProcess(notes);
  Msg_CloseMessages(dialogs);
  return 0;
}
