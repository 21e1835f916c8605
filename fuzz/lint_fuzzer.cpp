// Feeds arbitrary bytes to the message-file check of the command-line tool.
// The first byte picks the code page. Beyond the sanitizers' checks, the
// check must agree with the parser: it reports a missing alias target
// exactly when the library refuses the file, and every finding stands on a
// line of the file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

#include "MessageFileLint.h"
#include "catalogue/MessageFileData.h"
#include "platform/CodePage.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

bool LibraryOpens(const uint8_t* data, std::size_t size) {
  std::unique_ptr<char[]> buffer(new char[size + 1]);
  std::memcpy(buffer.get(), data, size);
  buffer[size] = '\0';
  char* text = buffer.get();
  tralvex::MessageFileData parsed;
  if (parsed.ParseMessageFile(text, text + size) == 0) return false;
  buffer.release();  // owned by the parsed file now
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static const unsigned kPages[] = {1252, 65001, 932, 936, 949, 950, 1250, 1251};
  tralvex::platform::UseCodePage(kPages[data[0] % 8]);
  ++data;
  --size;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  tralvex::tool::DiagnosticList list;
  tralvex::tool::MessageLintOptions options;
  options.checkEncoding = true;
  tralvex::tool::LintMessageFile("f.msg", bytes, options, list);
  bool missingTarget = false;
  std::size_t lines = 1;
  for (char c : bytes) lines += c == '\n' || c == '\r';
  for (const auto& d : list.Items()) {
    missingTarget |= d.check == "missing-alias-target";
    Check(d.line <= lines);
    Check(d.line != 0 || d.column == 0);
  }
  // A NUL ends a line's text for the parser alone; the tool refuses such
  // files before checking them.
  if (bytes.find('\0') == std::string_view::npos) Check(missingTarget == !LibraryOpens(data, size));
  return 0;
}
