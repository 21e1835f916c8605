// The exported evaluation, formatting and plain message-box functions of the
// handle family. No exception leaves them.
#include "api/LiveServices.h"
#include "api/MessageFunctions.h"
#include "tralvex/tralvex.h"

using tralvex::LiveServices;

TRALVEX_API TralvexStatus TRALVEX_CALL Msg_EvalMessage(uint32_t handle, const char* source,
                                                       char* buffer) {
  try {
    LiveServices services;
    return static_cast<TralvexStatus>(tralvex::EvalByHandle(services, handle, source, buffer));
  } catch (...) {
    return 0;
  }
}

TRALVEX_API TralvexStatus TRALVEX_CALL Msg_FormatMessage(uint32_t handle, uint32_t number,
                                                         char* buffer, const char* arg1,
                                                         const char* arg2, const char* arg3) {
  try {
    LiveServices services;
    return static_cast<TralvexStatus>(
        tralvex::FormatByHandle(services, handle, number, buffer, arg1, arg2, arg3));
  } catch (...) {
    return 0;
  }
}

TRALVEX_API int TRALVEX_CALL Msg_DisplayMessage_S(const char* text, const char* caption,
                                                  unsigned int style) {
  LiveServices services;
  return tralvex::ShowText(services, text, caption, style);
}

TRALVEX_API int TRALVEX_CALL Msg_DisplayMessage_N(uint32_t handle, uint32_t number,
                                                  const char* caption, unsigned int style) {
  LiveServices services;
  try {
    return tralvex::ShowMessageByHandle(services, handle, number, caption, style);
  } catch (...) {
    return tralvex::ShowMemoryFailureBox(services);
  }
}
