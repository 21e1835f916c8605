#include "CheckedOutput.h"

#include <cerrno>
#include <cstring>

namespace tralvex::tool {
namespace {

// errno says nothing in a few C libraries' failures; the failure stands all
// the same.
constexpr int kUnknownFailure = -1;

}  // namespace

CheckedOutput::CheckedOutput(std::FILE* file) : file_(file) {
  setp(buffer_, buffer_ + sizeof buffer_);
}

CheckedOutput::~CheckedOutput() { Finish(); }

bool CheckedOutput::Drain() {
  std::size_t pending = static_cast<std::size_t>(pptr() - pbase());
  setp(buffer_, buffer_ + sizeof buffer_);
  if (error_ != 0) return false;
  errno = 0;
  if (pending != 0 && std::fwrite(buffer_, 1, pending, file_) != pending) {
    error_ = errno != 0 ? errno : kUnknownFailure;
    return false;
  }
  // The C library keeps a buffer of its own: only a flush tells whether the
  // bytes reached the file.
  errno = 0;
  if (std::fflush(file_) != 0) {
    error_ = errno != 0 ? errno : kUnknownFailure;
    return false;
  }
  return true;
}

CheckedOutput::int_type CheckedOutput::overflow(int_type c) {
  // After a failure the bytes are dropped; it is reported once, at the end.
  Drain();
  if (!traits_type::eq_int_type(c, traits_type::eof())) {
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
  }
  return traits_type::not_eof(c);
}

std::streamsize CheckedOutput::xsputn(const char* text, std::streamsize count) {
  std::streamsize done = 0;
  while (done < count) {
    std::streamsize room = epptr() - pptr();
    if (room == 0) {
      Drain();
      continue;
    }
    std::streamsize part = count - done < room ? count - done : room;
    std::memcpy(pptr(), text + done, static_cast<std::size_t>(part));
    pbump(static_cast<int>(part));
    done += part;
  }
  return count;
}

int CheckedOutput::sync() { return Drain() ? 0 : -1; }

bool CheckedOutput::Finish() { return Drain(); }

bool CheckedOutput::ReaderGone() const { return error_ == EPIPE; }

std::string CheckedOutput::Reason() const {
  if (error_ == 0) return std::string();
  if (error_ == kUnknownFailure) return "the system gave no reason";
  return std::strerror(error_);
}

}  // namespace tralvex::tool
