// Without a window system the message box is written to standard error, and
// the answer is the style's default button, as if the user pressed Enter.
// Nothing here allocates: the box that says memory ran out must show too.
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstring>

#include "platform/Ui.h"

namespace tralvex::platform {
namespace {

// Collects the framed text in a fixed buffer on the stack and writes it to
// standard error whenever the buffer fills, and at the end.
class StackWriter {
 public:
  ~StackWriter() { Flush(); }

  void Append(const char* text, std::size_t length) {
    while (length > 0) {
      if (used_ == sizeof buffer_) Flush();
      std::size_t n = sizeof buffer_ - used_;
      if (n > length) n = length;
      std::memcpy(buffer_ + used_, text, n);
      used_ += n;
      text += n;
      length -= n;
    }
  }
  void Append(const char* text) { Append(text, std::strlen(text)); }

  void Flush() {
    std::size_t written = 0;
    while (written < used_) {
      ssize_t n = ::write(STDERR_FILENO, buffer_ + written, used_ - written);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;  // nowhere to show it: the box is lost, not the caller
      written += static_cast<std::size_t>(n);
    }
    used_ = 0;
  }

 private:
  char buffer_[1024];
  std::size_t used_ = 0;
};

void WriteFramed(const char* text, const char* caption, unsigned int style) {
  StackWriter out;
  out.Append("\n+-- ");
  out.Append(caption != nullptr ? caption : "");
  out.Append("\n");
  const char* line = text != nullptr ? text : "";
  for (;;) {
    const char* end = std::strchr(line, '\n');
    out.Append("| ");
    out.Append(line, end != nullptr ? static_cast<std::size_t>(end - line) : std::strlen(line));
    out.Append("\n");
    if (end == nullptr) break;
    line = end + 1;
  }
  const char* const* labels = nullptr;
  int defaultIndex = 0;
  int count = ButtonLabels(style, &labels, &defaultIndex);
  out.Append("+--");
  for (int i = 0; i < count; ++i) {
    out.Append(i == defaultIndex ? " [" : "  ");
    out.Append(labels[i]);
    out.Append(i == defaultIndex ? "]" : " ");
  }
  out.Append("\n");
}

}  // namespace

int MessageBox(const char* text, const char* caption, unsigned int style) {
  // Whatever the program wrote to the stream before comes first.
  std::fflush(stderr);
  WriteFramed(text, caption, style);
  return DefaultButtonResult(style);
}

}  // namespace tralvex::platform
