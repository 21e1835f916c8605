// The texts the error boxes speak when no message file can be read, in the
// user's language, and the table of file-error causes.
#ifndef TRALVEX_ERRORS_BUILTINTEXTS_H
#define TRALVEX_ERRORS_BUILTINTEXTS_H

#include <cstdint>

namespace tralvex {

struct BuiltInTexts {
  const char* actionLabel = nullptr;
  const char* errorWord = nullptr;
  const char* memoryFailure = nullptr;
  const char* unspecifiedError = nullptr;
};

// The Czech, German or English set, by the primary language of the locale;
// the Czech texts in code page 1250, or in UTF-8 for a UTF-8 process.
BuiltInTexts SelectBuiltInTexts(uint32_t localeId, unsigned codePageId);

// The error code of a file-error cause; the description, when asked for,
// is ready for a file name to follow.
int FileErrorCode(int cause, const char** description);

}  // namespace tralvex

#endif
