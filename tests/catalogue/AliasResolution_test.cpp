#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "catalogue/MessageFileData.h"
#include "support/MessageText.h"

namespace tralvex {
namespace {

using test::ErrorContext;
using test::ParseText;
using test::TextOf;

TEST(AliasResolutionTest, ChainsInheritNearestDefinitionFirst) {
  MessageFileData data;
  ASSERT_EQ(ParseText(data,
                      "[AA]\r\nAlias: bb\r\n1: a1\r\n"
                      "[BB]\r\nALIAS: cc\r\n1: b1\r\n2: b2\r\n"
                      "[CC]\r\n1: c1\r\n2: c2\r\n3: c3\r\n"),
            1);
  EXPECT_EQ(TextOf(data, "AA", 1), "a1");
  EXPECT_EQ(TextOf(data, "AA", 2), "b2");
  EXPECT_EQ(TextOf(data, "AA", 3), "c3");
  EXPECT_EQ(TextOf(data, "BB", 3), "c3");
  EXPECT_EQ(TextOf(data, "CC", 1), "c1");
  // Inherited messages are the defining section's entries, counted.
  const MessageEntry* c3 = data.FindSection("CC")->FindEntry(3);
  EXPECT_EQ(data.FindSection("AA")->FindEntry(3), c3);
  EXPECT_EQ(c3->shareCount, 3);
  for (const auto& named : data.Sections()) EXPECT_EQ(named.section->aliasTarget, nullptr);
}

TEST(AliasResolutionTest, LastAliasLineOfASectionWins) {
  MessageFileData data;
  ASSERT_EQ(ParseText(data,
                      "[AA]\r\nAlias: Missing\r\nAliases: BB\r\nalias\r\nAlias:  \r\n"
                      "[BB]\r\n1: b\r\n"),
            1);
  EXPECT_EQ(TextOf(data, "AA", 1), "b");
}

TEST(AliasResolutionTest, SelfAliasAndCyclesAreNoErrors) {
  MessageFileData data;
  ASSERT_EQ(ParseText(data,
                      "[Self]\r\nAlias: self\r\n1: s\r\n"
                      "[XX]\r\nAlias: YY\r\n1: x1\r\n"
                      "[YY]\r\nAlias: ZZ\r\n2: y2\r\n1: y1\r\n"
                      "[ZZ]\r\nAlias: XX\r\n3: z3\r\n2: z2\r\n"),
            1);
  EXPECT_TRUE(data.HasNoErrors());
  EXPECT_EQ(data.FindSection("SELF")->MessageCount(), 1u);
  // Each member of the cycle keeps its own texts first, then follows it.
  EXPECT_EQ(TextOf(data, "XX", 1), "x1");
  EXPECT_EQ(TextOf(data, "XX", 2), "y2");
  EXPECT_EQ(TextOf(data, "XX", 3), "z3");
  EXPECT_EQ(TextOf(data, "YY", 1), "y1");
  EXPECT_EQ(TextOf(data, "YY", 3), "z3");
  EXPECT_EQ(TextOf(data, "ZZ", 1), "x1");
  EXPECT_EQ(TextOf(data, "ZZ", 2), "z2");
}

TEST(AliasResolutionTest, MissingTargetFailsTheParseNamingTheFirstBrokenSection) {
  std::string text = "[Fine]\r\n1: f\r\n[Outer]\r\nAlias: Inner\r\n[Inner]\r\nAlias: nowhere\r\n";
  char* buffer = new char[text.size() + 1];
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  MessageFileData data;
  EXPECT_EQ(data.ParseMessageFile(buffer, buffer + text.size()), 0);
  // The caller keeps the buffer after a failure.
  ASSERT_NE(buffer, nullptr);
  delete[] buffer;
  EXPECT_EQ(data.GetErrorCount(), 1u);
  EXPECT_EQ(ErrorContext(data, 323), "OUTER");
  EXPECT_EQ(data.TextBuffer(), nullptr);
}

// The resolution written the plain recursive way, on a small model; the
// library must give the same result, however it gets there.
struct ModelSection {
  std::string name;
  std::optional<std::string> target;
  std::map<uint32_t, std::string> messages;
};

int ModelResolveAlias(std::vector<ModelSection>& sections, std::vector<std::size_t>& chain) {
  ModelSection& s = sections[chain.back()];
  if (!s.target) return 1;
  std::size_t t = 0;
  while (t < sections.size() && sections[t].name != *s.target) ++t;
  if (t == sections.size()) return 0;
  if (t == chain.back()) {
    s.target.reset();
    return 1;
  }
  for (std::size_t member : chain) {
    if (member == t) return -1;
  }
  chain.push_back(t);
  int r = ModelResolveAlias(sections, chain);
  chain.pop_back();
  if (r == 0) return 0;
  for (const auto& [number, text] : sections[t].messages) s.messages.emplace(number, text);
  if (r == 1 || chain.size() == 1) {
    s.target.reset();
    return 1;
  }
  return -1;
}

// The name of the first section that fails, or "" when all resolve.
std::string ModelResolveAliases(std::vector<ModelSection>& sections) {
  for (std::size_t i = 0; i < sections.size(); ++i) {
    std::vector<std::size_t> chain{i};
    if (ModelResolveAlias(sections, chain) != 1) return sections[i].name;
  }
  return "";
}

TEST(AliasResolutionTest, AgreesWithTheRecursiveResolutionOnRandomFiles) {
  std::mt19937 random(20261208);
  for (int round = 0; round < 3000; ++round) {
    const int count = 1 + static_cast<int>(random() % 7);
    std::vector<ModelSection> model(count);
    std::string text;
    for (int i = 0; i < count; ++i) {
      model[i].name = "S" + std::to_string(i);
      text += "[s" + std::to_string(i) + "]\r\n";
      if (random() % 10 < 8) {
        // Now and then a target that does not exist.
        int target = static_cast<int>(random() % (count * 10 + 1)) / 10;
        model[i].target = "S" + std::to_string(target);
        text += "Alias: S" + std::to_string(target) + "\r\n";
      }
      for (int m = static_cast<int>(random() % 4); m > 0; --m) {
        uint32_t number = random() % 6;
        std::string message = "s" + std::to_string(i) + "-" + std::to_string(m);
        model[i].messages.emplace(number, message);
        text += std::to_string(number) + ": " + message + "\r\n";
      }
    }
    std::string failing = ModelResolveAliases(model);
    MessageFileData data;
    int result = ParseText(data, text);
    ASSERT_EQ(result, failing.empty() ? 1 : 0) << text;
    if (!failing.empty()) {
      ASSERT_EQ(ErrorContext(data, 323), failing) << text;
      continue;
    }
    for (const ModelSection& s : model) {
      const MessageSection* section = data.FindSection(s.name);
      ASSERT_NE(section, nullptr);
      ASSERT_EQ(section->MessageCount(), s.messages.size()) << s.name << "\n" << text;
      for (const auto& [number, message] : s.messages) {
        ASSERT_STREQ(section->FindMessage(number), message.c_str()) << s.name << "\n" << text;
      }
    }
  }
}

// Every holder of a number, counted by entry: the counts must add up to the
// holders and none may pass the limit of its 16 bits.
void ExpectShareCountsConsistent(const MessageFileData& data, uint32_t number,
                                 std::size_t expectedHolders) {
  std::unordered_map<const MessageEntry*, std::size_t> holders;
  for (const auto& named : data.Sections()) {
    const MessageEntry* entry = named.section->FindEntry(number);
    if (entry != nullptr) ++holders[entry];
  }
  std::size_t total = 0;
  for (const auto& [entry, count] : holders) {
    EXPECT_EQ(entry->shareCount, count);
    total += count;
  }
  EXPECT_EQ(total, expectedHolders);
}

TEST(AliasResolutionTest, LongChainNeedsNoDeepRecursionAndRespectsTheShareLimit) {
  // 70,000 sections, each an alias of the next; only the last defines
  // message 1, which all of them then hold: more than one entry can count.
  const int count = 70000;
  std::string text;
  text.reserve(count * 32);
  for (int i = 0; i < count; ++i) {
    text += "[N" + std::to_string(i) + "]\r\n";
    if (i + 1 < count) text += "Alias: N" + std::to_string(i + 1) + "\r\n";
  }
  text += "1: deep\r\n";
  MessageFileData data;
  ASSERT_EQ(ParseText(data, text), 1);
  EXPECT_EQ(TextOf(data, "N0", 1), "deep");
  EXPECT_EQ(TextOf(data, "N65535", 1), "deep");
  ExpectShareCountsConsistent(data, 1, count);
}

TEST(AliasResolutionTest, ManySectionsAliasingOneShareItsEntries) {
  const int count = 70000;
  std::string text = "[Hub]\r\n1: shared\r\n2: also\r\n";
  text.reserve(count * 32);
  for (int i = 0; i < count; ++i) text += "[L" + std::to_string(i) + "]\r\nAlias: HUB\r\n";
  MessageFileData data;
  ASSERT_EQ(ParseText(data, text), 1);
  EXPECT_EQ(TextOf(data, "L69999", 2), "also");
  ExpectShareCountsConsistent(data, 1, count + 1);
  ExpectShareCountsConsistent(data, 2, count + 1);
}

TEST(AliasResolutionTest, LargeCycleResolvesInLinearWork) {
  // A cycle of 30,000 sections: resolving each member by walking the whole
  // cycle again would take minutes.
  const int count = 30000;
  std::string text;
  text.reserve(count * 32);
  for (int i = 0; i < count; ++i) {
    text += "[C" + std::to_string(i) + "]\r\nAlias: C" + std::to_string((i + 1) % count) + "\r\n";
    if (i == count / 2) text += "7: seven\r\n";
  }
  MessageFileData data;
  ASSERT_EQ(ParseText(data, text), 1);
  EXPECT_EQ(TextOf(data, "C0", 7), "seven");
  EXPECT_EQ(TextOf(data, "C29999", 7), "seven");
  ExpectShareCountsConsistent(data, 7, count);
}

}  // namespace
}  // namespace tralvex
