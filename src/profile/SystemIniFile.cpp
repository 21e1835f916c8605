#include "profile/SystemIniFile.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "catalogue/SearchDirectories.h"
#include "catalogue/TrimBlanks.h"
#include "errors/ErrorCodes.h"
#include "platform/CodePage.h"
#include "platform/Profile.h"

namespace tralvex {
namespace {

// The default text of every read: a read that gives it back found nothing.
const char kMissingMarker[] = ";;";

constexpr uint32_t kFixedSize = 1024;
// Beyond this a value or list is taken as read so far.
constexpr uint32_t kLargestSize = 1u << 30;

bool IsEmpty(const char* text) { return text == nullptr || *text == '\0'; }

// Reads through a buffer that starts as a fixed one on the stack and doubles
// on the heap while the platform reports it full. When memory runs out the
// first read stands, truncated.
template <typename Call>
class GrowingRead {
 public:
  GrowingRead(Call call, bool oneValue) : call_(call), oneValue_(oneValue) {}

  // The count of the read that stands; data() holds its bytes.
  uint32_t Run() {
    uint32_t size = kFixedSize;
    char* buffer = fixed_;
    uint32_t first = 0;
    for (bool isFirst = true;; isFirst = false) {
      std::memset(buffer, 0, size);
      count_ = call_(buffer, size);
      data_ = buffer;
      if (isFirst) first = count_;
      if (count_ == 0 || IsMarker() || !IsFull(size)) return count_;
      if (size >= kLargestSize || !Grow(size * 2)) {
        heap_.reset();
        data_ = fixed_;
        count_ = first;
        return count_;
      }
      size *= 2;
      buffer = heap_.get();
    }
  }

  const char* data() const { return data_; }
  bool IsMarker() const { return std::strcmp(data_, kMissingMarker) == 0; }

 private:
  bool IsFull(uint32_t size) const { return oneValue_ ? count_ == size - 1 : count_ == size - 2; }

  bool Grow(uint32_t size) {
    heap_.reset();  // the old contents are read again anyway
    heap_.reset(new (std::nothrow) char[size + 1]);
    return heap_ != nullptr;
  }

  Call call_;
  bool oneValue_;
  char fixed_[kFixedSize];
  std::unique_ptr<char[]> heap_;
  const char* data_ = fixed_;
  uint32_t count_ = 0;
};

}  // namespace

SystemIniFile::~SystemIniFile() {
  if (isOpen != 0 && !fileName.empty()) FlushIniFile();
}

int SystemIniFile::IsResultOk(int value) { return value >= 1 ? 1 : 0; }

int SystemIniFile::GetPrivateProfileString(const char* section, const char* keyword,
                                           std::string& result) {
  try {
    result.clear();
    const char* file = spelledName.c_str();
    auto call = [&](char* buffer, uint32_t size) {
      return platform::GetProfileString(section, keyword, kMissingMarker, buffer, size, file);
    };
    bool oneValue = section != nullptr && keyword != nullptr;
    GrowingRead<decltype(call)> read(call, oneValue);
    uint32_t count = read.Run();
    if (count == 0) return 1;
    if (read.IsMarker()) return ReportMissing(section, keyword);
    const char* text = read.data();
    if (!oneValue) {
      result.assign(text, count + 1);
      return 1;
    }
    // Whatever follows a ";" is a note, not part of the value.
    const char* cut = platform::FindChar(text, text + count, ';');
    result.assign(text, cut != nullptr ? cut : text + count);
    TrimBlanks(result);
    return 1;
  } catch (const std::bad_alloc&) {
    result.clear();
    return 0;
  }
}

int SystemIniFile::ReportMissing(const char* section, const char* keyword) {
  int code = CheckPathAccess(spelledName.c_str(), kAccessRead);
  if (code != 0) {
    AddError(code, fileName.c_str());
  } else if (section == nullptr) {
    AddError(error_code::kNoSections, fileName.c_str());
  } else if (keyword == nullptr) {
    AddError(error_code::kMissingSection, section);
  } else {
    AddError(error_code::kMissingKeyword, keyword);
  }
  return 0;
}

int SystemIniFile::WritePrivateProfileString(const char* section, const char* keyword,
                                             const char* value) {
  bool written = platform::WriteProfileString(section, keyword, value, spelledName.c_str());
  if (!written && section != nullptr && keyword != nullptr && value != nullptr) {
    AddError(error_code::kProfileWriteFailed, "WritePrivateProfileString");
    return 0;
  }
  return 1;
}

int SystemIniFile::GetPrivateProfileKeywords(const char* section, NameList& names) {
  try {
    std::string text;
    if (GetPrivateProfileString(section, nullptr, text) == 0) return 0;
    if (text.empty()) return 1;
    return SplitMultiString(text.c_str(), names) < 0 ? 0 : 1;
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

int SystemIniFile::GetPrivateProfileSectionNames(NameList& names) {
  names.clear();
  const char* file = spelledName.c_str();
  auto call = [&](char* buffer, uint32_t size) {
    return platform::GetProfileSectionNames(buffer, size, file);
  };
  // The marker plays no part here: a list is never the default text.
  GrowingRead<decltype(call)> read(call, false);
  if (read.Run() == 0) return 1;
  return SplitMultiString(read.data(), names) < 0 ? 0 : 1;
}

int SystemIniFile::EraseKeyword(const char* section, const char* keyword) {
  ClearErrors();
  if (isOpen == 0) {
    AddError(error_code::kNotOpen, nullptr);
    return 0;
  }
  if (IsEmpty(section)) {
    AddError(error_code::kMissingSection, nullptr);
    return 0;
  }
  if (IsEmpty(keyword)) {
    AddError(error_code::kMissingKeyword, nullptr);
    return 0;
  }
  return WritePrivateProfileString(section, keyword, nullptr);
}

int SystemIniFile::EraseSection(const char* section) {
  ClearErrors();
  if (isOpen == 0) {
    AddError(error_code::kNotOpen, nullptr);
    return 0;
  }
  if (IsEmpty(section)) {
    AddError(error_code::kMissingSection, nullptr);
    return 0;
  }
  return WritePrivateProfileString(section, nullptr, nullptr);
}

int SystemIniFile::FlushIniFile() {
  ClearErrors();
  if (isOpen == 0) return 0;
  return platform::WriteProfileString(nullptr, nullptr, nullptr, spelledName.c_str()) ? 1 : 0;
}

IniFile* SystemIniFile::CreateIniObject(int shareWriteTarget) {
  return new (std::nothrow) SystemIniFile(shareWriteTarget);
}

int SplitMultiString(const char* text, NameList& names) {
  names.clear();
  if (text == nullptr) return -1;
  try {
    for (const char* p = text; *p != '\0'; p += std::strlen(p) + 1) names.emplace_back(p);
    return static_cast<int>(names.size());
  } catch (const std::bad_alloc&) {
    names.clear();
    return -1;
  }
}

}  // namespace tralvex
