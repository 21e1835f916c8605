#include "errors/BuiltInTexts.h"

namespace tralvex {
namespace {

constexpr unsigned kUtf8 = 65001;
constexpr uint32_t kCzech = 0x05;
constexpr uint32_t kGerman = 0x07;

// The Czech texts in code page 1250 ...
const BuiltInTexts kCzech1250 = {
    "AKCE\t:  ", "Chyba",
    "P\xF8i zobrazen\xED chybov\xE9ho hl\xE1\x9A"
    "en\xED do\x9Alo k chyb\xEC.\n\nPravd\xEC"
    "podobnou p\xF8\xED\xE8inou je nedostatek pam\xEC"
    "ti.",
    "Nespecifikovan\xE1 chyba"};

// ... and the same texts for a process whose code page is UTF-8.
const BuiltInTexts kCzechUtf8 = {
    "AKCE\t:  ", "Chyba",
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
    {0x0000, "File is allright : "},
    {0x0103, "Some FileException for : "},
    {0x0127, "File not found : "},
    {0x0121, "Invalid file path : "},
    {0x0122, "Too many open files to open : "},
    {0x0126, "Acces denied for : "},
    {0x012F, "Using of an invalid file handle : "},
    {0x0183, "Cannot remove curent directory : "},
    {0x0184, "Directory is full :"},
    {0x012D, "Trying to seek an invalid pointer in file : "},
    {0x0112, "Hard IO error for : "},
    {0x0125, "Sharing violation for : "},
    {0x0124, "File is locked : "},
    {0x0185, "Disk is full : "},
    {0x012E, "The end of file was reached : "},
};
const FileErrorCause kUnknownCause = {0x0103, "Unknown file exception for :"};

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
