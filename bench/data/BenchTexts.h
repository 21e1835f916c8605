// The texts of the catalogue benchmark: 200,000 messages, about 10 MB, as a
// message file and as a gencat source with the same texts.
#ifndef TRALVEX_BENCH_DATA_BENCHTEXTS_H
#define TRALVEX_BENCH_DATA_BENCHTEXTS_H

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

namespace tralvex::bench {

constexpr uint32_t kBenchMessages = 200000;

inline std::string BenchText(uint32_t number) {
  char text[64];
  std::snprintf(text, sizeof text, "Text of message %06u in the benchmark set", number);
  return text;
}

// texts.msg: one section, hexadecimal numbers, CRLF line ends.
inline void WriteMessageFile(const std::string& directory) {
  std::ofstream msg(directory + "/texts.msg", std::ios::binary | std::ios::trunc);
  msg << "[Texts]\r\n";
  char number[16];
  for (uint32_t n = 1; n <= kBenchMessages; ++n) {
    std::snprintf(number, sizeof number, "%X", n);
    msg << number << ": " << BenchText(n) << "\r\n";
  }
}

// texts.gencat: set 1, decimal numbers.
inline void WriteGencatSource(const std::string& directory) {
  std::ofstream cat(directory + "/texts.gencat", std::ios::binary | std::ios::trunc);
  cat << "$set 1\n";
  for (uint32_t n = 1; n <= kBenchMessages; ++n) cat << n << ' ' << BenchText(n) << '\n';
}

}  // namespace tralvex::bench

#endif
