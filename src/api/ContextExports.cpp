// The exported evaluation, formatting and boxes of the context family. They
// see contexts through LiveServices, which tells which pointers are live.
#include "api/ErrorDisplayFunctions.h"
#include "api/LiveServices.h"
#include "api/MessageFunctions.h"
#include "tralvex/tralvex.h"

using tralvex::LiveServices;

TRALVEX_API TralvexStatus TRALVEX_CALL Mes_EvalMessage(Mes_Context* context, const char* source,
                                                       char* buffer) {
  try {
    LiveServices services;
    return static_cast<TralvexStatus>(tralvex::EvalInContext(services, context, source, buffer));
  } catch (...) {
    return 0;
  }
}

TRALVEX_API TralvexStatus TRALVEX_CALL Mes_FormatMessage(Mes_Context* context, uint32_t number,
                                                         char* buffer, const MessageArgs* record) {
  try {
    LiveServices services;
    return static_cast<TralvexStatus>(
        tralvex::FormatInContext(services, context, number, buffer, record));
  } catch (...) {
    return 0;
  }
}

TRALVEX_API int TRALVEX_CALL Mes_DisplayMessage(Mes_Context* context, uint32_t number,
                                                const MessageArgs* record, unsigned int style) {
  LiveServices services;
  try {
    return tralvex::ShowMessageInContext(services, context, number, record, style);
  } catch (...) {
    return tralvex::ShowMemoryFailureBox(services);
  }
}

TRALVEX_API int TRALVEX_CALL Mes_ComposeMessage(Mes_Context* context, const char* text,
                                                const void* args, uint32_t count,
                                                unsigned int style) {
  LiveServices services;
  try {
    return tralvex::ComposeInContext(services, context, text, args, count, style);
  } catch (...) {
    return tralvex::ShowMemoryFailureBox(services);
  }
}

TRALVEX_API int TRALVEX_CALL Mes_DisplayError(Mes_Context* context, uint32_t number,
                                              const MessageArgs* record, int code,
                                              const char* contextText, unsigned int style) {
  LiveServices services;
  try {
    return tralvex::ShowContextError(services, context, number, record, code, contextText, style);
  } catch (...) {
    return tralvex::ShowMemoryFailureBox(services);
  }
}

TRALVEX_API int TRALVEX_CALL Mes_DisplayErrors(Mes_Context* context, uint32_t number,
                                               const MessageArgs* record, const int* codes,
                                               const char* const* contexts, uint32_t count,
                                               unsigned int style) {
  LiveServices services;
  try {
    return tralvex::ShowContextErrors(services, context, number, record, codes, contexts, count,
                                      style);
  } catch (...) {
    return tralvex::ShowMemoryFailureBox(services);
  }
}

TRALVEX_API int TRALVEX_CALL Mes_DisplayErrBase(Mes_Context* context, uint32_t number,
                                                const MessageArgs* record, ErrorList* list,
                                                unsigned int style) {
  LiveServices services;
  try {
    return tralvex::ShowContextErrorList(services, context, number, record, list, style);
  } catch (...) {
    return tralvex::ShowMemoryFailureBox(services);
  }
}
