#include "po/PoFile.h"

#include <csetjmp>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

namespace tralvex::tool {
namespace {

namespace fs = std::filesystem;

// The library reads and writes only named files: the bytes pass through a
// private directory of their own, removed with everything in it.
class ScratchDirectory {
 public:
  ScratchDirectory() {
    std::random_device seed;
    std::mt19937_64 random(seed());
    std::error_code error;
    fs::path base = fs::temp_directory_path(error);
    if (error) return;
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
      fs::path candidate = base / ("tralvex-po-" + std::to_string(random()));
      if (fs::create_directory(candidate, error)) path_ = candidate;
    }
    if (!path_.empty()) fs::permissions(path_, fs::perms::owner_all, error);
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;
  ~ScratchDirectory() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove_all(path_, ignored);
  }
  bool Usable() const { return !path_.empty(); }
  std::string File() const { return (path_ / "messages.po").string(); }

 private:
  fs::path path_;
};

bool WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

bool ReadBytes(const std::string& path, std::string& bytes) {
  std::error_code error;
  std::uintmax_t size = fs::file_size(path, error);
  std::ifstream in(path, std::ios::binary);
  if (error || !in) return false;
  bytes.resize(static_cast<std::size_t>(size));
  in.read(bytes.data(), static_cast<std::streamsize>(size));
  return in.gcount() == static_cast<std::streamsize>(size);
}

// The library's handler must not return from a fatal error: it jumps back
// to the call, leaving what the library held to the end of the process. The
// calls in between are C, and the frames below hold nothing to destroy.
std::vector<PoProblem>* collected = nullptr;
std::jmp_buf* abortCall = nullptr;

void Collect(int severity, std::size_t line, std::size_t column, const char* text) {
  constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  try {
    PoProblem problem;
    problem.line = line == kNone ? 0 : line;
    problem.column = problem.line == 0 || column == kNone ? 0 : column;
    problem.warning = severity == PO_SEVERITY_WARNING;
    problem.text = text != nullptr ? text : "unknown problem";
    while (!problem.text.empty() && problem.text.back() == '\n') problem.text.pop_back();
    if (collected != nullptr) collected->push_back(std::move(problem));
  } catch (...) {
    // Out of memory while noting a problem: the call still fails below.
  }
}

void OnProblem(int severity, po_message_t, const char*, std::size_t line, std::size_t column, int,
               const char* text) {
  Collect(severity, line, column, text);
  if (severity == PO_SEVERITY_FATAL_ERROR && abortCall != nullptr) std::longjmp(*abortCall, 1);
}

void OnTwoPlaces(int severity, po_message_t, const char*, std::size_t line1, std::size_t column1,
                 int, const char* text1, po_message_t, const char*, std::size_t, std::size_t, int,
                 const char*) {
  OnProblem(severity, nullptr, nullptr, line1, column1, 0, text1);
}

const po_xerror_handler kHandler = {OnProblem, OnTwoPlaces};

po_file_t ReadGuarded(const char* path) {
  std::jmp_buf here;
  abortCall = &here;
  if (setjmp(here) != 0) return nullptr;
  return po_file_read(path, &kHandler);
}

bool WriteGuarded(po_file_t file, const char* path) {
  std::jmp_buf here;
  abortCall = &here;
  if (setjmp(here) != 0) return false;
  return po_file_write(file, path, &kHandler) != nullptr;
}

}  // namespace

PoFile::PoFile() : file_(po_file_create()) {}

PoFile::~PoFile() { Free(file_); }

void PoFile::Free(po_file_t file) {
  if (file == nullptr) return;
  // The library frees a message's context only when it is replaced, not
  // with the message: clearing it first keeps every file from leaking them.
  po_message_iterator_t iterator = po_message_iterator(file, nullptr);
  for (po_message_t m; (m = po_next_message(iterator)) != nullptr;) {
    po_message_set_msgctxt(m, nullptr);
  }
  po_message_iterator_free(iterator);
  po_file_free(file);
}

bool PoFile::Read(const std::string& bytes, std::vector<PoProblem>& problems, std::string& reason) {
  ScratchDirectory scratch;
  if (!scratch.Usable() || !WriteBytes(scratch.File(), bytes)) {
    reason = "no room for a temporary copy";
    return false;
  }
  collected = &problems;
  po_file_t read = ReadGuarded(scratch.File().c_str());
  collected = nullptr;
  abortCall = nullptr;
  if (read == nullptr) {
    reason = problems.empty() ? "gettext's library cannot read it" : problems.back().text;
    return false;
  }
  Free(file_);
  file_ = read;
  return true;
}

bool PoFile::Write(std::string& bytes, std::string& reason) const {
  ScratchDirectory scratch;
  if (!scratch.Usable()) {
    reason = "no room for a temporary file";
    return false;
  }
  std::vector<PoProblem> problems;
  collected = &problems;
  bool written = WriteGuarded(file_, scratch.File().c_str());
  collected = nullptr;
  abortCall = nullptr;
  if (!written || !problems.empty() || !ReadBytes(scratch.File(), bytes)) {
    reason = problems.empty() ? "gettext's library could not write it" : problems.front().text;
    return false;
  }
  return true;
}

PoMessages::PoMessages(const PoFile& file)
    : iterator_(po_message_iterator(file.Handle(), nullptr)) {}

PoMessages::~PoMessages() { po_message_iterator_free(iterator_); }

std::string HeaderField(const char* header, const char* field) {
  if (header == nullptr) return std::string();
  char* value = po_header_field(header, field);
  if (value == nullptr) return std::string();
  std::string result(value);
  std::free(value);
  return result;
}

}  // namespace tralvex::tool
