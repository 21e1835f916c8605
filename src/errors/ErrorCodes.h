// Every error code the library records or shows, named once. The wording of
// code N is message N of the error catalogue (data/QelError.msg), so a code
// keeps its number for good: stored catalogues and client applications know
// it by that number.
#ifndef TRALVEX_ERRORS_ERRORCODES_H
#define TRALVEX_ERRORS_ERRORCODES_H

namespace tralvex::error_code {

// A file error of cause 0, none; also the text of an empty error list.
constexpr int kNoFileError = 0x000;
constexpr int kNoMemory = 0x102;                // 258
constexpr int kFileCreateFailed = 0x103;        // 259, also a generic file error
constexpr int kUnexpected = 0x108;              // 264
constexpr int kNoObject = 0x110;                // 272
constexpr int kOtherFailure = 0x111;            // 273
constexpr int kHardIo = 0x112;                  // 274
constexpr int kNoSuchCatalogue = 0x114;         // 276
constexpr int kProfileWriteFailed = 0x115;      // 277
constexpr int kUnknownDirectoryKind = 0x119;    // 281
constexpr int kFileAccessFailed = 0x120;        // 288
constexpr int kBadPath = 0x121;                 // 289
constexpr int kTooManyOpenFiles = 0x122;        // 290
constexpr int kNoFileName = 0x123;              // 291
constexpr int kLockViolation = 0x124;           // 292
constexpr int kSharingViolation = 0x125;        // 293
constexpr int kAccessDenied = 0x126;            // 294
constexpr int kFileNotFound = 0x127;            // 295
constexpr int kReadFailed = 0x12A;              // 298
constexpr int kBadSeek = 0x12D;                 // 301
constexpr int kEndOfFile = 0x12E;               // 302
constexpr int kInvalidFile = 0x12F;             // 303
constexpr int kMissingKeyword = 0x132;          // 306
constexpr int kNoSections = 0x133;              // 307
constexpr int kMissingSection = 0x134;          // 308
constexpr int kOpenFailed = 0x135;              // 309
constexpr int kBadKeywordIndex = 0x137;         // 311
constexpr int kNotOpen = 0x139;                 // 313
constexpr int kNameUnresolved = 0x140;          // 320
constexpr int kMissingMessage = 0x141;          // 321
constexpr int kNoSuchSection = 0x142;           // 322
constexpr int kAliasUnresolved = 0x143;         // 323
constexpr int kNoSuchProcedure = 0x150;         // 336
constexpr int kBadProcedureAddress = 0x151;     // 337
constexpr int kModuleNotLoaded = 0x152;         // 338
constexpr int kLibraryExportFailed = 0x154;     // 340
constexpr int kRemoveCurrentDirectory = 0x183;  // 387
constexpr int kDirectoryFull = 0x184;           // 388
constexpr int kDiskFull = 0x185;                // 389

}  // namespace tralvex::error_code

#endif
