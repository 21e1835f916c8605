// The exported error boxes of the handle family. A failure while composing
// a box shows the memory-failure box instead; no exception leaves them.
#include "api/ErrorDisplayFunctions.h"
#include "api/LiveServices.h"
#include "errors/ErrorBoxes.h"
#include "tralvex/tralvex.h"

using tralvex::LiveServices;

TRALVEX_API int TRALVEX_CALL Msg_DisplayOneError(const char* action, int code, const char* context,
                                                 unsigned int style, int errHandle) {
  LiveServices services;
  try {
    return tralvex::ShowOneError(services, action, code, context, style, errHandle);
  } catch (...) {
    return tralvex::ShowMemoryFailureBox(services);
  }
}

TRALVEX_API int TRALVEX_CALL Msg_DisplayAllErrors(const char* action, const int* codes,
                                                  const char* const* contexts, unsigned int count,
                                                  unsigned int style, int errHandle) {
  LiveServices services;
  try {
    return tralvex::ShowErrors(services, action, codes, contexts, count, style, errHandle);
  } catch (...) {
    return tralvex::ShowMemoryFailureBox(services);
  }
}

TRALVEX_API int TRALVEX_CALL Msg_DisplayErrMsg(uint32_t msgHandle, uint32_t number, int code,
                                               const char* context, unsigned int style,
                                               int errHandle) {
  LiveServices services;
  try {
    return tralvex::ShowErrorByMessage(services, msgHandle, number, code, context, style,
                                       errHandle);
  } catch (...) {
    return tralvex::ShowMemoryFailureBox(services);
  }
}

TRALVEX_API int TRALVEX_CALL Msg_DisplayErrMsges(uint32_t msgHandle, uint32_t number,
                                                 const int* codes, const char* const* contexts,
                                                 unsigned int count, unsigned int style,
                                                 int errHandle) {
  LiveServices services;
  try {
    return tralvex::ShowErrorsByMessage(services, msgHandle, number, codes, contexts, count, style,
                                        errHandle);
  } catch (...) {
    return tralvex::ShowMemoryFailureBox(services);
  }
}
