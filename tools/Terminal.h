// Colours for a terminal, and nothing at all for a pipe or a file.
#ifndef TRALVEX_TOOLS_TERMINAL_H
#define TRALVEX_TOOLS_TERMINAL_H

namespace tralvex::tool {

class Colours {
 public:
  explicit Colours(bool enabled) : on_(enabled) {}
  const char* Bold() const { return on_ ? "\033[1m" : ""; }
  const char* Red() const { return on_ ? "\033[31m" : ""; }
  const char* Green() const { return on_ ? "\033[32m" : ""; }
  const char* Yellow() const { return on_ ? "\033[33m" : ""; }
  const char* Magenta() const { return on_ ? "\033[35m" : ""; }
  const char* Cyan() const { return on_ ? "\033[36m" : ""; }
  const char* Reset() const { return on_ ? "\033[0m" : ""; }

 private:
  bool on_;
};

// True when standard output is a terminal.
bool StdoutIsTerminal();

}  // namespace tralvex::tool

#endif
