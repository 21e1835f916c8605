/* A C client of the installed library: the presence probe and a lookup in
 * the installed error catalogue. ERROR_CATALOGUE is its full name. */
#include <stdio.h>
#include <string.h>

#include "tralvex/tralvex.h"

#ifndef ERROR_CATALOGUE
#define ERROR_CATALOGUE argv[1]
#endif

int main(int argc, char** argv) {
  uint32_t handle = 0xFFFF;
  const char* text;
  (void)argc;
  (void)argv;
  if (Tralvex() != 0x4B4F) {
    fprintf(stderr, "the presence probe failed\n");
    return 1;
  }
  if (Msg_OpenMessages(&handle, ERROR_CATALOGUE, NULL) != 1) {
    fprintf(stderr, "cannot open %s\n", ERROR_CATALOGUE);
    return 1;
  }
  text = Msg_GetMessagePtr(handle, 0x102, NULL);
  if (strncmp(text, "Not enough memory", 17) != 0) {
    fprintf(stderr, "message 0x102 reads \"%s\"\n", text);
    return 1;
  }
  /* The text lives in the catalogue: it goes with the handle. */
  printf("c client: %s\n", text);
  Msg_CloseMessages(handle);
  return 0;
}
