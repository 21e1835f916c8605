/* A first message file and the lookups by catalogue handle: a message that
 * is there, one that is not, and a file that is not there.
 * Usage: first_lookup DIRECTORY (the directory that holds Hello.msg). */
#include <stdio.h>
#include <string.h>
#include <tralvex/tralvex.h>

/* An output buffer grants the room of the text it holds: fill it with
 * blanks before every call. */
static char* Blanks(char* buffer, size_t size) {
  memset(buffer, ' ', size - 1);
  buffer[size - 1] = '\0';
  return buffer;
}

int main(int argc, char** argv) {
  uint32_t texts = TRALVEX_NO_CATALOGUE;
  uint32_t absent = 0;
  char line[41];

  if (argc < 2) {
    fprintf(stderr, "usage: first_lookup DIRECTORY\n");
    return 2;
  }
  /* Message files named without a directory are looked for here. It can be
   * set once while the library is loaded; a second call returns 0. */
  printf("default directory set: %d\n", Msg_SetDefaultDir(argv[1]));
  printf("set again: %d\n", Msg_SetDefaultDir(argv[1]));

  /* "Hello" is completed to <directory>/Hello.msg. */
  if (Msg_OpenMessages(&texts, "Hello", NULL) != 1) {
    fprintf(stderr, "Hello.msg cannot be opened\n");
    return 1;
  }
  printf("handle: %u\n", (unsigned)texts);
  printf("message 1: %s\n", Msg_GetMessagePtr(texts, 0x1, NULL));
  printf("message A: %s\n", Msg_GetMessagePtr(texts, 0xA, NULL));

  /* A missing message never fails: the caller's default text, else the
   * placeholder MSG(<number>). */
  printf("message 3: %s\n", Msg_GetMessagePtr(texts, 0x3, NULL));
  printf("message 3 with a default: %s\n", Msg_GetMessagePtr(texts, 0x3, "(no text)"));

  /* The copying form tells a missing message by its result. */
  printf("copy of 2: %d", Msg_GetMessage(texts, 0x2, Blanks(line, sizeof line)));
  printf(" \"%s\"\n", line);
  printf("copy of 3: %d", Msg_GetMessage(texts, 0x3, Blanks(line, sizeof line)));
  printf(" \"%s\"\n", line);

  /* A file that is not there: status 0 and the no-catalogue handle. */
  printf("open Missing: %d", Msg_OpenMessages(&absent, "Missing", NULL));
  printf(", handle %X\n", (unsigned)absent);
  printf("lookup through it: %s\n", Msg_GetMessagePtr(absent, 0x1, NULL));

  printf("close: %d\n", Msg_CloseMessages(texts));
  printf("close again: %d\n", Msg_CloseMessages(texts));
  return 0;
}
