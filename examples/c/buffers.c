/* Rules that bite: the room of an output buffer, and the placeholder text
 * that the next missing message overwrites.
 * Usage: buffers DIRECTORY (the directory that holds Hello.msg) */
#include <stdio.h>
#include <string.h>
#include <tralvex/tralvex.h>

int main(int argc, char** argv) {
  uint32_t texts;
  char buffer[32];
  const char* first;
  const char* second;
  TralvexStatus status;

  if (argc < 2 || !Msg_SetDefaultDir(argv[1]) || !Msg_OpenMessages(&texts, "Hello", NULL)) {
    fprintf(stderr, "usage: buffers DIRECTORY\n");
    return 2;
  }
  /* The room is the length of the text already in the buffer, not its
   * size: an empty text grants none. */
  buffer[0] = '\0';
  status = Msg_GetMessage(texts, 0x1, buffer);
  printf("empty buffer:   %d \"%s\"\n", status, buffer);

  strcpy(buffer, "     ");
  status = Msg_GetMessage(texts, 0x1, buffer);
  printf("five blanks:    %d \"%s\"\n", status, buffer);

  /* The text just written is the room of the next call. */
  status = Msg_GetMessage(texts, 0xA, buffer);
  printf("same buffer:    %d \"%s\"\n", status, buffer);

  memset(buffer, ' ', sizeof buffer - 1);
  buffer[sizeof buffer - 1] = '\0';
  status = Msg_GetMessage(texts, 0xA, buffer);
  printf("refilled:       %d \"%s\"\n", status, buffer);

  /* Placeholders share one buffer: the next one overwrites the last. */
  first = Msg_GetMessagePtr(texts, 0x3, NULL);
  second = Msg_GetMessagePtr(texts, 0x4, NULL);
  printf("placeholders:   \"%s\" \"%s\" (%s)\n", first, second,
         first == second ? "one buffer" : "two buffers");

  /* Statuses are 16-bit values: 1 success, 0 failure. */
  printf("presence probe: %04X\n", (unsigned)Tralvex());
  Msg_CloseMessages(texts);
  return 0;
}
