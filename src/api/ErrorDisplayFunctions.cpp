#include "api/ErrorDisplayFunctions.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "api/Escapes.h"
#include "api/MessageFunctions.h"
#include "tralvex/ErrorList.h"

namespace tralvex {
namespace {

// The formatted action message is cut to 1022 characters.
constexpr std::size_t kActionBufferSize = 1024;
constexpr std::size_t kActionRoom = 1022;
constexpr const char* kErrorCaption = "QelError";

std::string Hex4(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, "%04X", value);
  return text;
}

// The action label and the formatted action message, or nothing when no
// message number is given.
std::string ActionPart(MessageServices& s, Mes_Context* context, uint32_t number,
                       const MessageArgs* record) {
  if (number == 0) return std::string();
  char action[kActionBufferSize];
  std::memset(action, ' ', kActionRoom);
  action[kActionRoom] = '\0';
  FormatInContext(s, context, number, action, record);
  return std::string(s.Texts().actionLabel) + action + "\n\n";
}

void AppendContextLine(std::string& text, int code, const std::string& errorText) {
  text += "# " + Hex4(static_cast<unsigned>(code)) + "\t:  " + errorText;
}

}  // namespace

int ShowErrorByMessage(MessageServices& s, uint32_t msgHandle, uint32_t number, int code,
                       const char* context, unsigned style, int errHandle) {
  std::string action;
  try {
    // Held as a copy: the placeholder buffer is reused by the error lookups.
    std::string storage;
    action = ExpandEscapes(s.LookupMessageText(msgHandle, number, nullptr), storage);
  } catch (const std::bad_alloc&) {
    return ShowMemoryFailureBox(s);
  }
  return ShowOneError(s, action.c_str(), code, context, style, errHandle);
}

int ShowErrorsByMessage(MessageServices& s, uint32_t msgHandle, uint32_t number, const int* codes,
                        const char* const* contexts, unsigned count, unsigned style,
                        int errHandle) {
  std::string action;
  try {
    const char* message = s.CatalogueMessage(msgHandle, number);
    if (message != nullptr) {
      std::string storage;
      action = ExpandEscapes(message, storage);
    } else {
      char numbered[16];
      std::snprintf(numbered, sizeof numbered, "(%04X)", number);
      action = numbered;
    }
  } catch (const std::bad_alloc&) {
    return ShowMemoryFailureBox(s);
  }
  return ShowErrors(s, action.c_str(), codes, contexts, count, style, errHandle);
}

int ShowContextError(MessageServices& s, Mes_Context* context, uint32_t number,
                     const MessageArgs* record, int code, const char* contextText, unsigned style) {
  try {
    std::string text = ActionPart(s, context, number, record);
    const char* caption = OwnCaption(s, context);
    std::string errorText = s.IsLiveContext(context)
                                ? s.ContextMessage(context, code, s.Texts().unspecifiedError)
                                : s.MakePlaceholderText(static_cast<uint32_t>(code));
    if (number != 0) {
      AppendContextLine(text, code, errorText);
    } else {
      text = errorText;
    }
    AppendContextSuffix(text, contextText, errorText.size(), true);
    if (number != 0) return ShowErrorBox(s, text.c_str(), style, caption);
    std::string fullCaption = std::string(caption != nullptr ? caption : kErrorCaption) + " - [" +
                              s.Texts().errorWord + " " + Hex4(static_cast<unsigned>(code)) + "]";
    return s.ShowBox(text.c_str(), fullCaption.c_str(), style);
  } catch (const std::bad_alloc&) {
    return ShowMemoryFailureBox(s);
  }
}

int ShowContextErrors(MessageServices& s, Mes_Context* context, uint32_t number,
                      const MessageArgs* record, const int* codes, const char* const* contexts,
                      uint32_t count, unsigned style) {
  try {
    std::string text = ActionPart(s, context, number, record);
    const char* unspecified = s.Texts().unspecifiedError;
    bool live = s.IsLiveContext(context);
    if (count == 0 || codes == nullptr) AppendContextLine(text, 0, unspecified);
    for (uint32_t i = 0; codes != nullptr && i < count; ++i) {
      if (codes[i] == 0) continue;
      std::string errorText = live ? s.ContextMessage(context, codes[i], unspecified) : unspecified;
      AppendContextLine(text, codes[i], errorText);
      AppendContextSuffix(text, contexts != nullptr ? contexts[i] : nullptr, errorText.size(),
                          true);
      text += "\n";
    }
    return ShowErrorBox(s, text.c_str(), style, OwnCaption(s, context));
  } catch (const std::bad_alloc&) {
    return ShowMemoryFailureBox(s);
  }
}

int ShowContextErrorList(MessageServices& s, Mes_Context* context, uint32_t number,
                         const MessageArgs* record, const ErrorList* list, unsigned style) {
  if (list == nullptr) return ShowContextError(s, context, number, record, 0, nullptr, style);
  int codes[kMaxErrorsShown] = {};
  const char* texts[kMaxErrorsShown] = {};
  unsigned count = kMaxErrorsShown;
  if (list->GetAllErrors(count, codes, texts) == 0) return ShowMemoryFailureBox(s);
  return ShowContextErrors(s, context, number, record, codes, texts, count, style);
}

}  // namespace tralvex
