// The texts of the catalogue benchmarks, each as a message file and as a
// gencat source with the same texts:
// - texts: one section of 200,000 messages numbered 1 to 200,000, about
//   10 MB (the dense layout);
// - sparse: the same texts under 200,000 numbers drawn at random, written
//   in the order drawn;
// - chains: 200,000 messages in 50 sections forming ten alias chains of
//   five, 10.4 MB; its gencat source holds what the last section of one
//   chain ends up with, own and inherited (written by WriteBenchTexts,
//   which parses the file for it).
#ifndef TRALVEX_BENCH_DATA_BENCHTEXTS_H
#define TRALVEX_BENCH_DATA_BENCHTEXTS_H

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <unordered_set>
#include <vector>

namespace tralvex::bench {

constexpr uint32_t kBenchMessages = 200000;

inline std::string BenchText(uint32_t number) {
  char text[64];
  std::snprintf(text, sizeof text, "Text of message %06u in the benchmark set", number);
  return text;
}

// The dense layout's numbers, 1 to 200,000.
inline std::vector<uint32_t> DenseNumbers() {
  std::vector<uint32_t> numbers(kBenchMessages);
  for (uint32_t i = 0; i < kBenchMessages; ++i) numbers[i] = i + 1;
  return numbers;
}

// The sparse layout's numbers: distinct, from 1 to 0x7FFFFFFF (catgets
// takes positive int numbers only), in the order drawn.
inline std::vector<uint32_t> SparseNumbers() {
  std::mt19937 random(20261210);
  std::uniform_int_distribution<uint32_t> pick(1, 0x7FFFFFFF);
  std::unordered_set<uint32_t> seen;
  std::vector<uint32_t> numbers;
  while (numbers.size() < kBenchMessages) {
    uint32_t n = pick(random);
    if (seen.insert(n).second) numbers.push_back(n);
  }
  return numbers;
}

// The text of a message file of one section, hexadecimal numbers, CRLF
// line ends; message i of numbers has BenchText(i + 1).
inline std::string MessageFileText(const std::vector<uint32_t>& numbers) {
  std::string text = "[Texts]\r\n";
  char number[16];
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    std::snprintf(number, sizeof number, "%X", numbers[i]);
    text += number;
    text += ": " + BenchText(static_cast<uint32_t>(i + 1)) + "\r\n";
  }
  return text;
}

// A gencat source line's text: gencat reads backslashes as escapes.
inline std::string GencatText(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\') out += '\\';
    out += c;
  }
  return out;
}

// The same texts as a gencat source: set 1, decimal numbers.
inline std::string GencatSourceText(const std::vector<uint32_t>& numbers) {
  std::string text = "$set 1\n";
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    text += std::to_string(numbers[i]) + ' ' + BenchText(static_cast<uint32_t>(i + 1)) + '\n';
  }
  return text;
}

// Writes the file unless it holds the text already, so that what is made
// from it (by gencat, in minutes) need not be made again.
inline void WriteIfChanged(const std::string& path, const std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (in) {
    std::string old((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (old == text) return;
  }
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

inline void WriteMessageFile(const std::string& directory, const std::string& name,
                             const std::vector<uint32_t>& numbers) {
  WriteIfChanged(directory + "/" + name + ".msg", MessageFileText(numbers));
}

// texts.msg, the dense layout.
inline void WriteMessageFile(const std::string& directory) {
  WriteMessageFile(directory, "texts", DenseNumbers());
}

// The chains layout: kBenchMessages messages in 50 sections with CRLF line
// ends. Sections come in chains of five: each aliases its predecessor,
// overrides half of its numbers and adds as many of its own, as
// translations and product variants do. Lines mix plain texts, quoted
// texts with a comment after ";", "%s" arguments, references in braces and
// leading spaces.
constexpr int kChainSections = 50;
constexpr int kChainLength = 5;
// The last section of the second chain (the first one holds number 0,
// which gencat refuses).
inline const char* const kLastOfAChain = "SECTION_09";

inline std::string ChainedSectionsText() {
  std::string text;
  text.reserve(11 << 20);
  char line[160];
  const int perSection = static_cast<int>(kBenchMessages) / kChainSections;
  text += "; Generated messages for the parse benchmark.\r\n";
  for (int s = 0; s < kChainSections; ++s) {
    std::snprintf(line, sizeof line, "[Section_%02d]\r\n", s);
    text += line;
    int chainStart = s - s % kChainLength;
    if (s != chainStart) {
      std::snprintf(line, sizeof line, "Alias: SECTION_%02d\r\n", s - 1);
      text += line;
    }
    for (int m = 0; m < perSection; ++m) {
      unsigned number =
          static_cast<unsigned>(chainStart * 0x10000 + (s - chainStart) * perSection / 2 + m);
      switch (m % 8) {
        case 0:
          std::snprintf(line, sizeof line, "%X: \"File %%s could not be opened.\" ; id %d\r\n",
                        number, m);
          break;
        case 1:
          std::snprintf(line, sizeof line, "  %05X : Value {%X|none} out of range:\\n%%s\r\n",
                        number, number + 1);
          break;
        default:
          std::snprintf(line, sizeof line, "%X: Message text number %d of section %d here.\r\n",
                        number, m, s);
      }
      text += line;
    }
  }
  return text;
}

}  // namespace tralvex::bench

#endif
