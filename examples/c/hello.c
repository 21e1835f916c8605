/* The smallest complete program: one message file, one message.
 * Usage: hello DIRECTORY (the directory that holds Hello.msg). */
#include <stdio.h>
#include <tralvex/tralvex.h>

int main(int argc, char** argv) {
  uint32_t texts;
  if (argc < 2 || !Msg_SetDefaultDir(argv[1]) || !Msg_OpenMessages(&texts, "Hello", NULL)) {
    fprintf(stderr, "usage: hello DIRECTORY-OF-Hello.msg\n");
    return 1;
  }
  puts(Msg_GetMessagePtr(texts, 0x1, NULL));
  Msg_CloseMessages(texts);
  return 0;
}
