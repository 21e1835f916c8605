#include "po/PoFile.h"

#include <csetjmp>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#include "CodePageText.h"
#include "platform/Environment.h"
#include "po/PoScan.h"

namespace tralvex::tool {
namespace {

namespace fs = std::filesystem;

// Texts in memory pass to and from the library, which reads and writes only
// named files, through a private directory of their own, removed with
// everything in it.
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

// The library learns where each character of a PO file ends from iconv:
// its reader converts the file character by character, its writer opens a
// converter for every string and converts each character of it again, for
// a cost several times that of everything else it does. In UTF-8 no byte of
// a multibyte character reads as ASCII, so text that is valid UTF-8 lexes
// and wraps the same taken byte by byte, which is what the library does
// with the switches kept for PO files of its oldest versions
// (OLD_PO_FILE_INPUT, OLD_PO_FILE_OUTPUT); only its check of the encoding
// goes, which the callers below make themselves. A switch is set for the
// time of one call; what the environment held before comes back after it.
class ByteWiseSwitch {
 public:
  ByteWiseSwitch(const char* name, bool on) : name_(on ? name : nullptr) {
    if (name_ == nullptr) return;
    const char* before = std::getenv(name_);
    had_ = before != nullptr;
    if (had_) before_ = before;
    platform::SetEnvironmentValue(name_, "1");
  }
  ByteWiseSwitch(const ByteWiseSwitch&) = delete;
  ByteWiseSwitch& operator=(const ByteWiseSwitch&) = delete;
  ~ByteWiseSwitch() {
    if (name_ != nullptr) platform::SetEnvironmentValue(name_, had_ ? before_.c_str() : nullptr);
  }

 private:
  const char* name_;
  bool had_ = false;
  std::string before_;
};

// The charset a header names, found as the library finds it: after
// "charset=", up to a blank or the end of the line.
std::string_view CharsetIn(std::string_view header) {
  std::size_t at = header.find("charset=");
  if (at == std::string_view::npos) return std::string_view();
  std::string_view rest = header.substr(at + 8);
  return rest.substr(0, rest.find_first_of(" \t\n"));
}

bool ValidOrNull(const char* text) {
  std::size_t bad = 0;
  return text == nullptr || IsValidUtf8(text, bad);
}

bool MessageIsUtf8(po_message_t m) {
  bool valid = ValidOrNull(po_message_msgctxt(m)) && ValidOrNull(po_message_msgid(m)) &&
               ValidOrNull(po_message_msgid_plural(m)) && ValidOrNull(po_message_msgstr(m)) &&
               ValidOrNull(po_message_prev_msgctxt(m)) && ValidOrNull(po_message_prev_msgid(m)) &&
               ValidOrNull(po_message_prev_msgid_plural(m));
  if (valid && po_message_msgid_plural(m) != nullptr) {
    for (int i = 0; valid && po_message_msgstr_plural(m, i) != nullptr; ++i) {
      valid = ValidOrNull(po_message_msgstr_plural(m, i));
    }
  }
  return valid;
}

bool IsHeader(po_message_t m) {
  return po_message_msgctxt(m) == nullptr && *po_message_msgid(m) == '\0' &&
         !po_message_is_obsolete(m);
}

// A file the writer may take byte by byte: every domain's header says UTF-8
// and every string it wraps is valid UTF-8. The header is taken from its
// entry, not from po_file_domain_header, whose copy the caller would have to
// free though its interface does not say so.
bool WritableByteWise(po_file_t file) {
  for (const char* const* domain = po_file_domains(file); *domain != nullptr; ++domain) {
    po_message_iterator_t iterator = po_message_iterator(file, *domain);
    bool valid = true;
    bool utf8Header = false;
    for (po_message_t m; valid && (m = po_next_message(iterator)) != nullptr;) {
      valid = MessageIsUtf8(m);
      if (valid && !utf8Header && IsHeader(m)) {
        utf8Header = IsUtf8CharsetName(CharsetIn(po_message_msgstr(m)));
      }
    }
    po_message_iterator_free(iterator);
    if (!valid || !utf8Header) return false;
  }
  return true;
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

po_file_t ReadCollecting(const std::string& path, bool byteWise, std::vector<PoProblem>& problems) {
  ByteWiseSwitch byBytes("OLD_PO_FILE_INPUT", byteWise);
  collected = &problems;
  po_file_t read = ReadGuarded(path.c_str());
  collected = nullptr;
  abortCall = nullptr;
  return read;
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

bool PoFile::ReadFile(const std::string& path, bool byteWise, std::vector<PoProblem>& problems,
                      std::string& reason) {
  std::size_t before = problems.size();
  po_file_t read = ReadCollecting(path, byteWise, problems);
  if (byteWise && problems.size() != before) {
    // What the library reports it reports in its own way only when it reads
    // characters (columns count characters, not bytes): read again so.
    problems.resize(before);
    Free(read);
    read = ReadCollecting(path, false, problems);
  }
  if (read == nullptr) {
    reason = problems.size() == before ? "gettext's library cannot read it" : problems.back().text;
    return false;
  }
  Free(file_);
  file_ = read;
  return true;
}

bool PoFile::Read(const std::string& bytes, std::vector<PoProblem>& problems, std::string& reason) {
  ScratchDirectory scratch;
  if (!scratch.Usable() || !WriteBytes(scratch.File(), bytes)) {
    reason = "no room for a temporary copy";
    return false;
  }
  return ReadFile(scratch.File(), ScanPoText(bytes).ByteWise(), problems, reason);
}

bool PoFile::WriteFile(const std::string& path, std::string& reason) const {
  std::vector<PoProblem> problems;
  ByteWiseSwitch byBytes("OLD_PO_FILE_OUTPUT", WritableByteWise(file_));
  collected = &problems;
  bool written = WriteGuarded(file_, path.c_str());
  collected = nullptr;
  abortCall = nullptr;
  if (!written || !problems.empty()) {
    reason = problems.empty() ? "gettext's library could not write it" : problems.front().text;
    return false;
  }
  return true;
}

bool PoFile::Write(std::string& bytes, std::string& reason) const {
  ScratchDirectory scratch;
  if (!scratch.Usable()) {
    reason = "no room for a temporary file";
    return false;
  }
  if (!WriteFile(scratch.File(), reason)) return false;
  if (!ReadBytes(scratch.File(), bytes)) {
    reason = "gettext's library could not write it";
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

bool IsUtf8CharsetName(std::string_view charset) {
  std::string upper(charset);
  for (char& c : upper) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  return upper == "UTF-8" || upper == "UTF8";
}

}  // namespace tralvex::tool
