#include "errors/BuiltInTexts.h"

#include "errors/ErrorCodes.h"

namespace tralvex {
namespace {

constexpr unsigned kUtf8 = 65001;
constexpr uint32_t kCzech = 0x05;
constexpr uint32_t kGerman = 0x07;

// The Czech texts in code page 1250 ...
const BuiltInTexts kCzech1250 = {"AKCE\t:  ", "Chyba",
                                 "P\xF8i zobrazen\xED chybov\xE9ho hl\xE1\x9A"
                                 "en\xED do\x9Alo k chyb\xEC.\n\nPravd\xEC"
                                 "podobnou p\xF8\xED\xE8inou je nedostatek pam\xEC"
                                 "ti.",
                                 "Nespecifikovan\xE1 chyba"};

// ... and the same texts for a process whose code page is UTF-8.
const BuiltInTexts kCzechUtf8 = {"AKCE\t:  ", "Chyba",
                                 "P\xC5\x99i zobrazen\xC3\xAD chybov\xC3\xA9ho hl\xC3\xA1\xC5\xA1"
                                 "en\xC3\xAD do\xC5\xA1lo k chyb\xC4\x9B.\n\nPravd\xC4\x9B"
                                 "podobnou p\xC5\x99\xC3\xAD\xC4\x8Dinou je nedostatek pam\xC4\x9B"
                                 "ti.",
                                 "Nespecifikovan\xC3\xA1 chyba"};

const BuiltInTexts kGermanTexts = {"AKTION\t:  ", "Fehler",
                                   "Diplaying an error message: Memory Exception",
                                   "Nichtspezifizierter Fehler"};

const BuiltInTexts kEnglishTexts = {
    "ACTION\t:  ", "Error", "ACTION\t:  diplaying an error message\n\nERROR\t:  Memory Exception",
    "Unknown error"};

struct FileErrorCause {
  int code;
  const char* description;
};

const FileErrorCause kFileErrorCauses[] = {
    {error_code::kNoFileError, "File is allright : "},
    {error_code::kFileCreateFailed, "Some FileException for : "},
    {error_code::kFileNotFound, "File not found : "},
    {error_code::kBadPath, "Invalid file path : "},
    {error_code::kTooManyOpenFiles, "Too many open files to open : "},
    {error_code::kAccessDenied, "Acces denied for : "},
    {error_code::kInvalidFile, "Using of an invalid file handle : "},
    {error_code::kRemoveCurrentDirectory, "Cannot remove curent directory : "},
    {error_code::kDirectoryFull, "Directory is full :"},
    {error_code::kBadSeek, "Trying to seek an invalid pointer in file : "},
    {error_code::kHardIo, "Hard IO error for : "},
    {error_code::kSharingViolation, "Sharing violation for : "},
    {error_code::kLockViolation, "File is locked : "},
    {error_code::kDiskFull, "Disk is full : "},
    {error_code::kEndOfFile, "The end of file was reached : "},
};
const FileErrorCause kUnknownCause = {error_code::kFileCreateFailed,
                                      "Unknown file exception for :"};

}  // namespace

BuiltInTexts SelectBuiltInTexts(uint32_t localeId, unsigned codePageId) {
  switch (localeId & 0x3FF) {
    case kCzech:
      return codePageId == kUtf8 ? kCzechUtf8 : kCzech1250;
    case kGerman:
      return kGermanTexts;
    default:
      return kEnglishTexts;
  }
}

int FileErrorCode(int cause, const char** description) {
  const unsigned count = sizeof(kFileErrorCauses) / sizeof(kFileErrorCauses[0]);
  const FileErrorCause& row =
      static_cast<unsigned>(cause) < count ? kFileErrorCauses[cause] : kUnknownCause;
  if (description != nullptr) *description = row.description;
  return row.code;
}

}  // namespace tralvex
