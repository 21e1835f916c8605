// The exported context functions. No exception leaves them.
#include "api/ContextFunctions.h"

#include <memory>

#include "api/Lookup.h"
#include "api/Module.h"
#include "api/WindowHooks.h"
#include "catalogue/MessageContext.h"
#include "catalogue/SearchDirectories.h"

namespace tralvex {
namespace {

// Passed as the default of caption lookups: getting this very pointer back
// means the message is missing, whatever a message's own text may be.
constexpr char kCaptionSentinel[] = "*";

}  // namespace

MessageContext* FindLiveContext(Mes_Context* context) {
  return TheModule().liveContexts.Find(context);
}

bool IsLiveContext(Mes_Context* context) { return FindLiveContext(context) != nullptr; }

const char* LiveContextMessage(Mes_Context* context, uint32_t number, const char* defaultText) {
  return reinterpret_cast<MessageContext*>(context)->GetContextMessage(number, defaultText);
}

const char* LiveContextCaption(Mes_Context* context) {
  return reinterpret_cast<MessageContext*>(context)->Caption().c_str();
}

}  // namespace tralvex

using tralvex::FindLiveContext;
using tralvex::MessageContext;
using tralvex::Module;
using tralvex::TheModule;

TRALVEX_API TralvexStatus TRALVEX_CALL Mes_OpenProcess(Mes_Context** contextOut,
                                                       const char* fileSpec, const char* caption,
                                                       int keepOnFailure) {
  if (contextOut == nullptr) return 0;
  *contextOut = nullptr;
  Module& module = TheModule();
  try {
    auto context = std::make_unique<MessageContext>(module.contextAccess, caption, keepOnFailure);
    int initialised = context->InitContext(fileSpec);
    if (initialised == 0 && keepOnFailure == 0) return 0;
    module.liveContexts.Append(context.get());
    *contextOut = reinterpret_cast<Mes_Context*>(context.release());
    return initialised != 0 ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

TRALVEX_API TralvexStatus TRALVEX_CALL Mes_SetMyCaption(Mes_Context* context, const char* caption) {
  MessageContext* live = FindLiveContext(context);
  if (live == nullptr) return 0;
  try {
    live->SetCaption(caption);
  } catch (...) {
    return 0;
  }
  return 1;
}

TRALVEX_API TralvexStatus TRALVEX_CALL Mes_JoinProcess(Mes_Context* context) {
  MessageContext* live = FindLiveContext(context);
  if (live == nullptr) return 0;
  return live->Join() ? 1 : 0;
}

TRALVEX_API TralvexStatus TRALVEX_CALL Mes_CloseProcess(Mes_Context* context) {
  MessageContext* live = FindLiveContext(context);
  if (live == nullptr) return 0;
  if (live->Leave()) TheModule().liveContexts.Destroy(live);
  return 1;
}

TRALVEX_API const char* TRALVEX_CALL Mes_GetMessagePtr(Mes_Context* context, uint32_t number,
                                                       const char* defaultText) {
  MessageContext* live = FindLiveContext(context);
  if (live != nullptr) return live->GetContextMessage(number, defaultText);
  return defaultText != nullptr ? defaultText : tralvex::MakePlaceholderText(number);
}

TRALVEX_API TralvexStatus TRALVEX_CALL Mes_GetMessage(Mes_Context* context, uint32_t number,
                                                      char* buffer, const char* defaultText) {
  tralvex::CopyToPaddedBuffer(buffer, Mes_GetMessagePtr(context, number, defaultText));
  return 1;
}

TRALVEX_API TralvexStatus TRALVEX_CALL Mes_SetCaption(Mes_Context* context, void* window,
                                                      uint32_t number, const char* defaultText) {
  const tralvex::WindowHooks& hooks = TheModule().windowHooks;
  if (!tralvex::IsWindowHandle(hooks, window)) return 0;
  const char* sentinel = tralvex::kCaptionSentinel;
  const char* text =
      Mes_GetMessagePtr(context, number, defaultText != nullptr ? defaultText : sentinel);
  if (text == sentinel) return 0;
  return tralvex::SetWindowCaption(hooks, window, text) ? 1 : 0;
}

TRALVEX_API TralvexStatus TRALVEX_CALL Mes_SetCaptions(Mes_Context* context, void* dialog,
                                                       const int32_t* itemIds,
                                                       const uint32_t* numbers, uint32_t count) {
  MessageContext* live = FindLiveContext(context);
  if (live == nullptr || itemIds == nullptr || numbers == nullptr) return 0;
  const tralvex::WindowHooks& hooks = TheModule().windowHooks;
  if (!tralvex::IsWindowHandle(hooks, dialog)) return 0;
  TralvexStatus result = 1;
  for (uint32_t i = 0; i < count; ++i) {
    const char* text = live->GetContextMessage(numbers[i], tralvex::kCaptionSentinel);
    if (text == tralvex::kCaptionSentinel ||
        !tralvex::SetDialogItemText(hooks, dialog, itemIds[i], text)) {
      result = 0;
    }
  }
  return result;
}
