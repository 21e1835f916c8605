// The error boxes of the handle family: one modal box listing error codes
// with their texts under a line that says what the caller was doing.
#ifndef TRALVEX_ERRORS_ERRORBOXES_H
#define TRALVEX_ERRORS_ERRORBOXES_H

#include <string>

#include "errors/BuiltInTexts.h"

class ErrorList;

namespace tralvex {

// Style of the boxes that report a failure of their own: exclamation icon,
// task-modal, brought to the foreground.
constexpr unsigned kAlertBoxStyle = 0x12030;

// What the error boxes need from the layers above them.
class ErrorBoxServices {
 public:
  virtual ~ErrorBoxServices() = default;
  virtual const BuiltInTexts& Texts() = 0;
  // Fills `buffer` (prefilled with blanks) with the text of error `code`
  // from catalogue `errHandle`, 0 meaning the error catalogue; returns the
  // 16-bit status of the lookup.
  virtual int FillErrorText(int errHandle, int code, char* buffer) = 0;
  virtual int ShowBox(const char* text, const char* caption, unsigned style) = 0;
};

// Appends " (context)" when the context text is not empty; with the
// long-context rule a context longer than 20 characters after an error text
// longer than 10 starts a new, indented line.
void AppendContextSuffix(std::string& text, const char* context, std::size_t errorTextLength,
                         bool longContextRule);

// The box with caption "QelError", or "<prefix> - [<error word>]".
int ShowErrorBox(ErrorBoxServices& services, const char* text, unsigned style,
                 const char* captionPrefix);
int ShowMemoryFailureBox(ErrorBoxServices& services);

int ShowOneError(ErrorBoxServices& services, const char* action, int code, const char* context,
                 unsigned style, int errHandle);

// A null codes array counts as no errors and a null contexts array as no
// context texts.
int ShowErrors(ErrorBoxServices& services, const char* action, const int* codes,
               const char* const* contexts, unsigned count, unsigned style, int errHandle);

int ShowErrorListBox(ErrorBoxServices& services, const ErrorList& list, const char* action,
                     unsigned style, int errHandle);

}  // namespace tralvex

#endif
