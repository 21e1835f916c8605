// Whatever bytes a file holds, parsing ends, stays inside the buffer and
// leaves only texts that lie inside it.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>

#include "catalogue/MessageFileData.h"
#include "catalogue/MessageFileSyntax.h"
#include "support/MessageText.h"

namespace tralvex {
namespace {

using test::ParseText;

// Parses bytes in a buffer of exactly their size plus the NUL, so that the
// sanitizers catch any read past it, and checks every text afterwards.
void ParseAndCheck(const std::string& bytes) {
  std::unique_ptr<char[]> owned(new char[bytes.size() + 1]);
  std::memcpy(owned.get(), bytes.data(), bytes.size());
  owned[bytes.size()] = '\0';
  char* buffer = owned.get();
  const char* begin = buffer;
  const char* end = buffer + bytes.size();
  MessageFileData data;
  int result = data.ParseMessageFile(buffer, buffer + bytes.size());
  if (result == 0) {
    ASSERT_EQ(buffer, owned.get());
    return;
  }
  ASSERT_EQ(buffer, nullptr);
  owned.release();  // the file data owns it now
  for (const auto& named : data.Sections()) {
    named.section->ForEachMessage([&](uint32_t, const MessageEntry& entry) {
      ASSERT_GE(entry.text, begin);
      ASSERT_LE(entry.text + std::strlen(entry.text), end);
      ASSERT_GE(entry.shareCount, 1);
    });
  }
}

TEST(BadInputTest, RandomBytesOfTheSyntaxAlphabet) {
  // Bytes that mean something to the parser, weighted so that headers,
  // aliases and messages actually form, plus anything at all.
  static const char kAlphabet[] = "[]:;\"\r\n \t\0aAlLiIsS0123456789xX-+|{}\\";
  std::mt19937 random(7);
  for (int round = 0; round < 2000; ++round) {
    std::string bytes(random() % 300, '\0');
    for (char& c : bytes) {
      c = random() % 4 == 0 ? static_cast<char>(random())
                            : kAlphabet[random() % (sizeof kAlphabet - 1)];
    }
    ParseAndCheck(bytes);
  }
}

TEST(BadInputTest, StructuredNoiseWithAliasesBetweenRandomSections) {
  std::mt19937 random(11);
  for (int round = 0; round < 300; ++round) {
    std::string bytes;
    for (int line = random() % 60; line > 0; --line) {
      switch (random() % 4) {
        case 0:
          bytes += "[S" + std::to_string(random() % 8) + "]";
          break;
        case 1:
          bytes += "alias: s" + std::to_string(random() % 8);
          break;
        default:
          bytes += std::to_string(random() % 16) + ": t" + std::to_string(random() % 100);
      }
      bytes += random() % 8 == 0 ? "\n" : "\r\n";
    }
    ParseAndCheck(bytes);
  }
}

TEST(BadInputTest, NulBytesEndLinesButNotTheFile) {
  static const char kBytes[] =
      "[Main]\r\n1\0: hidden\r\n2: before\0after\r\n\0\0\0\r\n3: \"q\0\"\r\n4: x";
  std::string bytes(kBytes, sizeof kBytes - 1);
  ParseAndCheck(bytes);
  MessageFileData data;
  ASSERT_EQ(ParseText(data, bytes), 1);
  EXPECT_EQ(test::TextOf(data, "MAIN", 1), "<none>");
  EXPECT_EQ(test::TextOf(data, "MAIN", 2), "before");
  EXPECT_EQ(test::TextOf(data, "MAIN", 3), "q");
  EXPECT_EQ(test::TextOf(data, "MAIN", 4), "x");
  ParseAndCheck(std::string(1000, '\0'));
}

TEST(BadInputTest, OneLineOfHundredMegabytes) {
  const std::size_t size = 100u << 20;
  std::string bytes = "10: ";
  bytes.resize(size, 'x');
  bytes[size / 2] = ';';
  MessageFileData data;
  ASSERT_EQ(ParseText(data, bytes), 1);
  const char* text = data.FindSection(kInvisibleSectionName)->FindMessage(0x10);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(std::strlen(text), size / 2 - 4);

  // The same length of digits, colons and brackets without a line end.
  for (char c : {'[', '7', ':'}) std::memset(bytes.data(), c, size);
  MessageFileData other;
  EXPECT_EQ(ParseText(other, bytes), 1);
}

TEST(BadInputTest, UnterminatedLastLineAndLoneCarriageReturns) {
  ParseAndCheck("\r");
  ParseAndCheck("\r\r\r\n\n\r");
  ParseAndCheck("[AB");
  ParseAndCheck("[AB]\r\nalias:");
  ParseAndCheck("1:\"");
  ParseAndCheck(";");
}

}  // namespace
}  // namespace tralvex
