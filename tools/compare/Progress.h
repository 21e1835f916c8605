// How far a translation has come: per section and per file, the base's
// messages it has, for the summary a release manager reads at a glance.
#ifndef TRALVEX_TOOLS_COMPARE_PROGRESS_H
#define TRALVEX_TOOLS_COMPARE_PROGRESS_H

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

namespace tralvex::tool {

struct SectionProgress {
  std::string name;
  std::size_t total = 0;       // messages the base section defines itself
  std::size_t translated = 0;  // of them, those the translation has
  std::size_t identical = 0;   // of those, texts equal to the base's
};

struct FileProgress {
  std::string base;
  std::string translation;
  bool compared = false;  // false when a file could not be read or parsed
  std::vector<SectionProgress> sections;

  std::size_t Total() const;
  std::size_t Translated() const;
  std::size_t Identical() const;
};

// "  COMMON   7/7    [########################] 100%" lines under a line
// for the file; colours on a terminal.
void PrintProgress(const std::vector<FileProgress>& files, bool colour, std::ostream& out);

// [{"base", "translation", "translated", "total", "identical", "sections":
// [{"name", "translated", "total", "identical"}]}]
std::string ProgressJson(const std::vector<FileProgress>& files);

}  // namespace tralvex::tool

#endif
