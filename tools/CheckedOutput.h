// Standard output that notices when what the tool writes does not arrive: a
// full disk, a closed descriptor, a reader that went away. A command's
// output that is lost must not end in a status of success.
#ifndef TRALVEX_TOOLS_CHECKEDOUTPUT_H
#define TRALVEX_TOOLS_CHECKEDOUTPUT_H

#include <cstdio>
#include <streambuf>
#include <string>

namespace tralvex::tool {

class CheckedOutput : public std::streambuf {
 public:
  // Writes to file, which stays the caller's.
  explicit CheckedOutput(std::FILE* file);
  CheckedOutput(const CheckedOutput&) = delete;
  CheckedOutput& operator=(const CheckedOutput&) = delete;
  ~CheckedOutput() override;

  // Hands everything written so far to the file and flushes it. True when
  // all of it arrived; after the first failure the rest is dropped.
  bool Finish();

  bool Failed() const { return error_ != 0; }
  // The reader of a pipe closed it: the output was not wanted any more, as
  // with "| head -1", which is no failure to report.
  bool ReaderGone() const;
  // The system's words for the first failure; empty when there was none.
  std::string Reason() const;

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* text, std::streamsize count) override;
  int sync() override;

 private:
  bool Drain();

  std::FILE* file_;
  int error_ = 0;
  char buffer_[1 << 16];
};

}  // namespace tralvex::tool

#endif
