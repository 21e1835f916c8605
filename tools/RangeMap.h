// The range map a message context builds from the section "MessageFiles" of
// a "Tralvex.ini", built by the same rules, with what the context keeps to
// itself: every keyword it skips and why, and where each keyword stands.
#ifndef TRALVEX_TOOLS_RANGEMAP_H
#define TRALVEX_TOOLS_RANGEMAP_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tralvex::tool {

inline constexpr const char* kSettingsFileName = "Tralvex.ini";
inline constexpr const char* kMessageFilesSection = "MessageFiles";

enum class SkipReason { kNoValue, kMissingFile, kNoDash, kNoBound };

struct RangeKeyword {
  std::string keyword;
  std::string value;
  std::string path;  // the value completed against the context's directory
  uint32_t bound = 0;
  std::string boundSuffix;  // text after the bound's digits, which is ignored
  std::size_t line = 0;     // in the settings file; 0 when not found
};

struct SkippedKeyword {
  std::string keyword;
  std::string value;
  SkipReason reason = SkipReason::kNoValue;
  int code = 0;  // the existence test's error code for kMissingFile
  std::size_t line = 0;
};

// One range as lookups see it: the numbers [low, bound] go to the file of
// `keyword`, unless an earlier keyword has the same bound (`shadowedBy`).
struct Range {
  std::size_t keyword;  // index into RangeMap::keywords
  uint32_t low = 0;
  uint32_t bound = 0;
  std::size_t shadowedBy = kNotShadowed;
  static constexpr std::size_t kNotShadowed = static_cast<std::size_t>(-1);
};

struct RangeMap {
  std::string directory;  // ends with a separator
  std::string iniPath;
  std::vector<RangeKeyword> keywords;  // usable keywords, in the file's order
  std::vector<SkippedKeyword> skipped;
  std::vector<Range> ranges;  // ascending by bound; equal bounds in keyword order
  // Exactly one usable keyword: once its file is open, it serves every number.
  bool singleFile = false;
  // No settings file was found, or it cannot be read as text: an input
  // failure rather than a fault of what it says.
  bool unreadable = false;
};

// Builds the map of the "Tralvex.ini" in `directory`. False, with a reason,
// when the context could not be initialised from it at all.
// The skipped keywords are listed also when every keyword is skipped.
bool BuildRangeMap(const std::string& directory, RangeMap& map, std::string& problem);

// The same from a given settings file, its values completed against
// `directory`.
bool BuildRangeMapFromFile(const std::string& iniPath, const std::string& directory, RangeMap& map,
                           std::string& problem);

// The same for a settings file whose text the caller has read already.
bool BuildRangeMapFromText(const std::string& iniPath, const std::string& iniText,
                           const std::string& directory, RangeMap& map, std::string& problem);

// The bound of a keyword: the text after its first "-" read as a
// hexadecimal number, the way the context reads it. `rest` receives what
// follows the number. False when there is no "-".
bool ReadKeywordBound(const std::string& keyword, uint32_t& bound, std::string& rest);

// A line number for each keyword of a section of an INI text, found by the
// keyword's name in any case; repeated keywords keep their first line.
std::vector<std::size_t> FindKeywordLines(const std::string& iniText, const std::string& section,
                                          const std::vector<std::string>& keywords);

}  // namespace tralvex::tool

#endif
