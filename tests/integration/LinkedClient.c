/* A client written in C that links the library through its import library
 * (on 32-bit Windows a stdcall caller, whose references carry "@<bytes>"),
 * as the applications of the family do. */
#include <stdio.h>
#include <string.h>

#include "tralvex/tralvex.h"

/* The handle functions over the error catalogue, which the build puts in
 * the working directory of this test. Returns 0 when all is well. */
static int CheckHandleFunctions(void) {
  uint32_t handle = 0;
  char buffer[8] = "       ";
  const char* text;
  if (Msg_SetDefaultDir(".") != 1 || Msg_SetDefaultDir(".") != 0) return 1;
  text = Msg_GetPtr2QelError(0x127, NULL);
  if (text == NULL || strlen(text) == 0) return 2;
  if (Msg_OpenMessages(&handle, "QelError", "English") != 1 || handle == 0xFFFF) return 3;
  if (Msg_GetMessage(handle, 0x127, buffer) != 1 || strncmp(buffer, text, 7) != 0) return 4;
  if (strcmp(Msg_GetMessagePtr(handle, 0xABCDE, NULL), "MSG(ABCDE)") != 0) return 5;
  if (Msg_CloseMessages(handle) != 1 || Msg_CloseMessages(handle) != 0) return 6;
  return 0;
}

int main(void) {
  TralvexStatus probe = Tralvex();
  if (probe != 0x4B4F) {
    fprintf(stderr, "Tralvex() returned 0x%04X\n", (unsigned)probe);
    return 1;
  }
  int failed = CheckHandleFunctions();
  if (failed != 0) {
    fprintf(stderr, "handle functions: check %d failed\n", failed);
    return 1;
  }
  return 0;
}
