#include "compare/Progress.h"

#include <algorithm>
#include <cstdio>

#include "Json.h"
#include "Terminal.h"

namespace tralvex::tool {
namespace {

constexpr std::size_t kBarWidth = 24;

// Whole percent, rounded down, so that 100% means nothing is missing.
std::size_t Percent(std::size_t part, std::size_t whole) {
  return whole == 0 ? 100 : part * 100 / whole;
}

std::string Bar(std::size_t part, std::size_t whole, const Colours& c) {
  std::size_t filled = whole == 0 ? kBarWidth : part * kBarWidth / whole;
  if (filled == kBarWidth && part < whole) filled = kBarWidth - 1;
  return std::string("[") + c.Green() + std::string(filled, '#') + c.Red() +
         std::string(kBarWidth - filled, '.') + c.Reset() + "]";
}

template <typename Member>
std::size_t Sum(const std::vector<SectionProgress>& sections, Member member) {
  std::size_t sum = 0;
  for (const SectionProgress& s : sections) sum += s.*member;
  return sum;
}

std::string CountsJson(std::size_t translated, std::size_t total, std::size_t identical) {
  return "\"translated\": " + std::to_string(translated) + ", \"total\": " + std::to_string(total) +
         ", \"identical\": " + std::to_string(identical);
}

}  // namespace

std::size_t FileProgress::Total() const { return Sum(sections, &SectionProgress::total); }
std::size_t FileProgress::Translated() const { return Sum(sections, &SectionProgress::translated); }
std::size_t FileProgress::Identical() const { return Sum(sections, &SectionProgress::identical); }

void PrintProgress(const std::vector<FileProgress>& files, bool colour, std::ostream& out) {
  Colours c(colour);
  for (const FileProgress& file : files) {
    out << c.Bold() << file.translation << c.Reset() << " against " << file.base << ": ";
    if (!file.compared) {
      out << "not compared\n";
      continue;
    }
    std::size_t total = file.Total(), translated = file.Translated();
    out << translated << " of " << total << " messages, " << Percent(translated, total) << "%";
    if (file.Identical() != 0) out << " (" << file.Identical() << " the same as the base)";
    out << "\n";
    std::size_t nameWidth = 0, countWidth = 0;
    for (const SectionProgress& s : file.sections) {
      nameWidth = std::max(nameWidth, s.name.size());
      countWidth = std::max(countWidth,
                            (std::to_string(s.translated) + "/" + std::to_string(s.total)).size());
    }
    for (const SectionProgress& s : file.sections) {
      std::string counts = std::to_string(s.translated) + "/" + std::to_string(s.total);
      char percent[8];
      std::snprintf(percent, sizeof percent, "%3zu%%", Percent(s.translated, s.total));
      out << "  " << s.name << std::string(nameWidth - s.name.size() + 2, ' ') << counts
          << std::string(countWidth - counts.size() + 2, ' ') << Bar(s.translated, s.total, c)
          << ' ' << percent << "\n";
    }
  }
}

std::string ProgressJson(const std::vector<FileProgress>& files) {
  std::string json = "[";
  const char* separator = "\n  ";
  for (const FileProgress& file : files) {
    json += separator;
    json += "{\"base\": " + JsonPath(file.base) +
            ", \"translation\": " + JsonPath(file.translation) +
            ", \"compared\": " + (file.compared ? "true" : "false") + ", " +
            CountsJson(file.Translated(), file.Total(), file.Identical()) + ", \"sections\": [";
    const char* inner = "";
    for (const SectionProgress& s : file.sections) {
      json += inner;
      json += "{\"name\": " + JsonString(s.name) + ", " +
              CountsJson(s.translated, s.total, s.identical) + "}";
      inner = ", ";
    }
    json += "]}";
    separator = ",\n  ";
  }
  json += files.empty() ? "]" : "\n]";
  return json;
}

}  // namespace tralvex::tool
