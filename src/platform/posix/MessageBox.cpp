// Without a window system the message box is written to standard error, and
// the answer is the style's default button, as if the user pressed Enter.
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/Ui.h"

namespace tralvex::platform {
namespace {

std::string Framed(const char* text, const char* caption, unsigned int style) {
  std::string framed = "\n+-- ";
  framed += caption != nullptr ? caption : "";
  framed += "\n";
  const char* line = text != nullptr ? text : "";
  for (;;) {
    const char* end = std::strchr(line, '\n');
    framed += "| ";
    framed.append(line, end != nullptr ? static_cast<std::size_t>(end - line) : std::strlen(line));
    framed += "\n";
    if (end == nullptr) break;
    line = end + 1;
  }
  const char* const* labels = nullptr;
  int defaultIndex = 0;
  int count = ButtonLabels(style, &labels, &defaultIndex);
  framed += "+--";
  for (int i = 0; i < count; ++i) {
    framed += i == defaultIndex ? " [" : "  ";
    framed += labels[i];
    framed += i == defaultIndex ? "]" : " ";
  }
  framed += "\n";
  return framed;
}

}  // namespace

int MessageBox(const char* text, const char* caption, unsigned int style) {
  try {
    std::string framed = Framed(text, caption, style);
    std::fwrite(framed.data(), 1, framed.size(), stderr);
    std::fflush(stderr);
  } catch (...) {
    return 0;
  }
  return DefaultButtonResult(style);
}

}  // namespace tralvex::platform
