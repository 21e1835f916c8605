#include "errors/ErrorBoxes.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "tralvex/ErrorList.h"

namespace tralvex {
namespace {

constexpr const char* kErrorCaption = "QelError";
constexpr std::size_t kErrorTextSize = 120;

// A buffer of 119 blanks: an error text is cut to 119 characters.
class ErrorTextBuffer {
 public:
  ErrorTextBuffer() { Prefill(); }
  char* Data() { return text_; }
  void Prefill() {
    std::memset(text_, ' ', kErrorTextSize - 1);
    text_[kErrorTextSize - 1] = '\0';
  }
  // The text of `code`, or the unspecified-error text. A failed lookup may
  // leave a shorter text behind, so the buffer is prefilled afresh first.
  void Fill(ErrorBoxServices& services, int errHandle, int code) {
    Prefill();
    if ((services.FillErrorText(errHandle, code, text_) & 0xFFFF) != 0) return;
    Prefill();
    const char* unspecified = services.Texts().unspecifiedError;
    std::size_t n = std::strlen(unspecified);
    if (n > kErrorTextSize - 1) n = kErrorTextSize - 1;
    std::memcpy(text_, unspecified, n);
    text_[n] = '\0';
  }

 private:
  char text_[kErrorTextSize];
};

void AppendCodeLine(std::string& text, int code, const char* errorText) {
  char line[32];
  std::snprintf(line, sizeof line, "\n%04X\t:  ", static_cast<unsigned>(code));
  text += line;
  text += errorText;
}

void AppendActionLine(std::string& text, const BuiltInTexts& texts, const char* action) {
  text += texts.actionLabel;
  if (action != nullptr) text += action;
  text += "\n";
}

}  // namespace

void AppendContextSuffix(std::string& text, const char* context, std::size_t errorTextLength,
                         bool longContextRule) {
  if (context == nullptr || *context == '\0') return;
  if (longContextRule && std::strlen(context) > 20 && errorTextLength > 10) text += "\n\t  ";
  text += " (";
  text += context;
  text += ")";
}

int ShowErrorBox(ErrorBoxServices& services, const char* text, unsigned style,
                 const char* captionPrefix) {
  if (captionPrefix == nullptr) return services.ShowBox(text, kErrorCaption, style);
  std::string caption;
  try {
    caption = std::string(captionPrefix) + " - [" + services.Texts().errorWord + "]";
  } catch (const std::bad_alloc&) {
    return ShowMemoryFailureBox(services);
  }
  return services.ShowBox(text, caption.c_str(), style);
}

int ShowMemoryFailureBox(ErrorBoxServices& services) {
  return ShowErrorBox(services, services.Texts().memoryFailure, kAlertBoxStyle, nullptr);
}

int ShowOneError(ErrorBoxServices& services, const char* action, int code, const char* context,
                 unsigned style, int errHandle) {
  std::string text;
  try {
    ErrorTextBuffer errorText;
    errorText.Fill(services, errHandle, code);
    AppendActionLine(text, services.Texts(), action);
    AppendCodeLine(text, code, errorText.Data());
    AppendContextSuffix(text, context, std::strlen(errorText.Data()), true);
  } catch (const std::bad_alloc&) {
    return ShowMemoryFailureBox(services);
  }
  return services.ShowBox(text.c_str(), kErrorCaption, style);
}

int ShowErrors(ErrorBoxServices& services, const char* action, const int* codes,
               const char* const* contexts, unsigned count, unsigned style, int errHandle) {
  std::string text;
  try {
    ErrorTextBuffer errorText;
    AppendActionLine(text, services.Texts(), action);
    if (count == 0 || codes == nullptr) {
      errorText.Fill(services, 0, 0);
      AppendCodeLine(text, 0, errorText.Data());
    }
    for (unsigned i = 0; codes != nullptr && i < count; ++i) {
      errorText.Fill(services, errHandle, codes[i]);
      AppendCodeLine(text, codes[i], errorText.Data());
      const char* context = contexts != nullptr ? contexts[i] : nullptr;
      AppendContextSuffix(text, context, std::strlen(errorText.Data()), true);
    }
  } catch (const std::bad_alloc&) {
    return ShowMemoryFailureBox(services);
  }
  return services.ShowBox(text.c_str(), kErrorCaption, style);
}

int ShowErrorListBox(ErrorBoxServices& services, const ErrorList& list, const char* action,
                     unsigned style, int errHandle) {
  std::string text;
  try {
    ErrorTextBuffer errorText;
    AppendActionLine(text, services.Texts(), action);
    if (list.HasNoErrors()) {
      errorText.Fill(services, 0, 0);
      AppendCodeLine(text, 0, errorText.Data());
    }
    for (unsigned position = 1; position <= list.GetErrorCount(); ++position) {
      int code = 0;
      const char* context = nullptr;
      list.GetErrorAt(position, code, context);
      errorText.Fill(services, errHandle, code);
      AppendCodeLine(text, code, errorText.Data());
      AppendContextSuffix(text, context, 0, false);
    }
  } catch (const std::bad_alloc&) {
    return ShowMemoryFailureBox(services);
  }
  return services.ShowBox(text.c_str(), kErrorCaption, style);
}

}  // namespace tralvex
