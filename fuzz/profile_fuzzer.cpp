// The profile engine's reader and writer on arbitrary file contents: a
// file's bytes must come back whole from its text (also for files marked as
// UTF-8 or UTF-16), the index must agree with the text, an edit must read
// back, and the profile functions must never write outside the caller's
// buffer.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "platform/Profile.h"
#include "platform/posix/ProfileDocument.h"
#include "platform/posix/ProfileWriter.h"

namespace {

using tralvex::platform::ProfileDocument;

void Check(bool condition) {
  if (!condition) std::abort();
}

std::string ReadBack(const ProfileDocument& document, std::string_view section,
                     std::string_view keyword) {
  const auto* found = document.FindSection(section);
  if (found == nullptr) return "<no section>";
  long line = document.FindKeyword(*found, keyword);
  if (line < 0) return "<no keyword>";
  return std::string(document.Value(document.Lines()[static_cast<std::size_t>(line)]));
}

void CheckIndex(const ProfileDocument& document) {
  for (const auto& section : document.Sections()) {
    Check(document.FindSection(document.SectionName(section)) == &section);
    for (std::size_t line : section.keywordLines) {
      long found = document.FindKeyword(section, document.Name(document.Lines()[line]));
      Check(found == static_cast<long>(line));
    }
  }
}

void CheckEdits(const ProfileDocument& document) {
  std::string text;
  Check(tralvex::platform::SetProfileValue(document, "fuzz section", "fuzz key", "value", &text));
  ProfileDocument edited = document.WithText(text);
  Check(ReadBack(edited, "FUZZ SECTION", "Fuzz Key") == "value");
  // The edited text survives the file's encoding: what is written is read.
  std::string written = edited.Bytes();
  Check(ProfileDocument::FromBytes(written).Text() == text);
  // A new section goes after everything that was there.
  if (document.FindSection("fuzz section") == nullptr) {
    Check(text.compare(0, document.Text().size(), document.Text()) == 0);
  }
  if (document.Sections().empty()) return;
  std::string_view first = document.SectionName(document.Sections().front());
  if (tralvex::platform::SetProfileValue(document, first, "added", "x", &text)) {
    Check(ReadBack(document.WithText(text), first, "added") == "x");
  }
  Check(tralvex::platform::DeleteProfileSection(document, first, &text));
  Check(document.WithText(text).FindSection(first) == nullptr);
}

// The file the calls read: one per process, rewritten for every input.
struct Scratch {
  std::string path = (std::filesystem::temp_directory_path() /
                      ("tralvex-profile-fuzz-" + std::to_string(std::random_device()()) + ".ini"))
                         .string();
  ~Scratch() {
    std::error_code error;
    std::filesystem::remove(path, error);
  }
};

const std::string& ScratchFile() {
  static const Scratch scratch;
  return scratch.path;
}

void CheckCalls(const uint8_t* data, size_t size) {
  const char* path = ScratchFile().c_str();
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  uint32_t bufferSize = size > 0 ? data[0] % 40 : 0;
  std::vector<char> buffer(bufferSize + 8, '\x5a');
  uint32_t n = tralvex::platform::GetProfileSectionNames(buffer.data(), bufferSize, path);
  Check(bufferSize == 0 ? n == 0 : n + 1 <= bufferSize);
  for (std::size_t i = bufferSize; i < buffer.size(); ++i) Check(buffer[i] == '\x5a');
  ProfileDocument document =
      ProfileDocument::FromBytes(std::string(reinterpret_cast<const char*>(data), size));
  if (!document.Sections().empty()) {
    std::string section(document.SectionName(document.Sections().front()));
    if (section.find('\0') == std::string::npos) {
      n = tralvex::platform::GetProfileString(section.c_str(), nullptr, ";;", buffer.data(),
                                              bufferSize, path);
      for (std::size_t i = bufferSize; i < buffer.size(); ++i) Check(buffer[i] == '\x5a');
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 20)) return 0;
  std::string bytes(reinterpret_cast<const char*>(data), size);
  ProfileDocument document = ProfileDocument::FromBytes(bytes);
  Check(document.Bytes() == bytes);
  CheckIndex(document);
  CheckEdits(document);
  CheckCalls(data, size);
  return 0;
}
