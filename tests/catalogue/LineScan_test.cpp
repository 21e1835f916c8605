// The wide line scan against the plain byte-by-byte answer, on texts
// whose lengths straddle the width the scan works in.
#include "catalogue/LineScan.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace tralvex {
namespace {

std::string RandomBytes(std::mt19937& random, const char* alphabet, std::size_t size) {
  std::string bytes(size, '\0');
  const std::size_t letters = std::char_traits<char>::length(alphabet);
  for (char& c : bytes) {
    c = random() % 10 == 0 ? static_cast<char>(random()) : alphabet[random() % letters];
  }
  return bytes;
}

TEST(LineScanTest, LineEndAndLastSemicolonAgreeWithAPlainSearch) {
  std::mt19937 random(29);
  for (int round = 0; round < 20000; ++round) {
    const std::string bytes = RandomBytes(random, "abc ;;\r\n\t\"", random() % 100);
    const char* begin = bytes.data();
    const char* end = begin + bytes.size();
    const char* stop = begin;
    while (stop < end && *stop != '\r' && *stop != '\0') ++stop;
    const char* last = nullptr;
    for (const char* p = begin; p < stop; ++p) {
      if (*p == ';') last = p;
    }
    const char* found = nullptr;
    ASSERT_EQ(ScanLine(begin, end, found), stop) << round;
    ASSERT_EQ(found, last) << round;
  }
}

}  // namespace
}  // namespace tralvex
