// The read-only lookup index and the lists it is built from, checked
// against plain maps; parsed files checked against a plain model of their
// sections, for every number, present or not.
#include "catalogue/MessageIndex.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "catalogue/Holdings.h"
#include "catalogue/MessageFileData.h"
#include "support/MessageFileModel.h"
#include "support/MessageText.h"

namespace tralvex {
namespace {

// Numbers laid out as message files have them, and as they might.
std::vector<uint32_t> DrawNumbers(std::mt19937& random, int layout, std::size_t count) {
  std::vector<uint32_t> numbers;
  const uint32_t start = random() % 4 == 0 ? 0 : static_cast<uint32_t>(random());
  for (std::size_t i = 0; i < count; ++i) {
    switch (layout) {
      case 0:  // a run with a few gaps
        numbers.push_back(start + static_cast<uint32_t>(i + i / 7));
        break;
      case 1:  // anywhere in 32 bits
        numbers.push_back(static_cast<uint32_t>(random()));
        break;
      case 2:  // ranges of 0x100 far apart, as products number theirs
        numbers.push_back(static_cast<uint32_t>((random() % 8) << 16 | (random() % 0x100)));
        break;
      default:  // the ends of the number range
        numbers.push_back(random() % 2 ? static_cast<uint32_t>(random() % 4)
                                       : UINT32_MAX - static_cast<uint32_t>(random() % 4));
    }
  }
  return numbers;
}

TEST(MessageIndexTest, AgreesWithAPlainMapForEveryNumberPresentOrNot) {
  static const char kBuffer[4096] = {};
  std::mt19937 random(3);
  for (int round = 0; round < 800; ++round) {
    const int layout = round % 4;
    std::map<uint32_t, uint32_t> model;
    for (uint32_t n : DrawNumbers(random, layout, random() % (round % 8 == 0 ? 3000 : 40))) {
      model.emplace(n, 1 + random() % (sizeof kBuffer - 1));
    }
    HoldingList holdings;
    for (const auto& [number, text] : model) holdings.push_back(Holding{number, text});
    MessageIndex index;
    index.Build(holdings.data(), holdings.size(), kBuffer);
    ASSERT_EQ(index.Size(), model.size());

    std::set<uint32_t> probes = {0, 1, UINT32_MAX, UINT32_MAX - 1};
    for (const auto& entry : model) {
      probes.insert({entry.first - 1, entry.first, entry.first + 1, entry.first ^ 0x10000});
    }
    for (int i = 0; i < 50; ++i) probes.insert(static_cast<uint32_t>(random()));
    for (uint32_t n : probes) {
      auto found = model.find(n);
      const char* expected = found == model.end() ? nullptr : kBuffer + found->second;
      ASSERT_EQ(index.Find(n), expected) << "layout " << layout << " number " << n;
    }
    std::map<uint32_t, const char*> visited;
    index.ForEach(
        [&](uint32_t n, const char* text) { ASSERT_TRUE(visited.emplace(n, text).second); });
    ASSERT_EQ(visited.size(), model.size());
    // A dense array only where it is no larger than the table.
    EXPECT_LE(index.HeldBytes(), 64 + model.size() * MessageIndex::kMostBytesPerMessage);
  }
}

TEST(MessageIndexTest, DenseNumbersTakeFourBytesEachAndEmptyIndexesFindNothing) {
  static const char kBuffer[] = "x";
  HoldingList holdings;
  for (uint32_t n = 1; n <= 200000; ++n) holdings.push_back(Holding{n, 1});
  MessageIndex index;
  index.Build(holdings.data(), holdings.size(), kBuffer);
  EXPECT_EQ(index.HeldBytes(), 200000 * sizeof(uint32_t));
  EXPECT_EQ(index.Find(0), nullptr);
  EXPECT_EQ(index.Find(200001), nullptr);
  EXPECT_EQ(index.Find(200000), kBuffer + 1);

  MessageIndex empty;
  empty.Build(holdings.data(), 0, kBuffer);
  EXPECT_EQ(empty.Find(0), nullptr);
  EXPECT_EQ(empty.Size(), 0u);
  index.Clear();
  EXPECT_EQ(index.Find(1), nullptr);
}

// The lists' sort keeps the first definition of a number; a merge keeps
// the receiver's.
TEST(HoldingsTest, SortAndMergeKeepTheFirstOfEachNumber) {
  std::mt19937 random(5);
  for (int round = 0; round < 500; ++round) {
    HoldingList a;
    std::map<uint32_t, uint32_t> modelA;
    const std::size_t count = random() % (round % 10 == 0 ? 5000 : 60);
    for (uint32_t n : DrawNumbers(random, round % 4, count)) {
      uint32_t text = static_cast<uint32_t>(a.size() + 1);
      a.push_back(Holding{n, text});
      modelA.emplace(n, text);
    }
    SortHoldings(a);
    ASSERT_EQ(a.size(), modelA.size());
    auto at = modelA.begin();
    for (const Holding& h : a) {
      ASSERT_EQ(h.number, at->first);
      ASSERT_EQ(h.text, at->second);
      ++at;
    }

    HoldingList b;
    for (uint32_t n : DrawNumbers(random, (round + 1) % 4, random() % 60)) {
      b.push_back(Holding{n, 100000 + static_cast<uint32_t>(b.size())});
    }
    SortHoldings(b);
    std::map<uint32_t, uint32_t> merged = modelA;
    for (const Holding& h : b) merged.emplace(h.number, h.text);
    MergeHoldings(a, b);
    ASSERT_EQ(a.size(), merged.size());
    at = merged.begin();
    for (const Holding& h : a) {
      ASSERT_EQ(h.number, at->first);
      ASSERT_EQ(h.text, at->second);
      ++at;
    }
  }
}

// A random message file: sections with alias lines among them (now and then
// to a missing section or to themselves), numbers in order or not, dense
// or scattered, repeated, written in the ways the syntax allows.
std::string RandomMessageFile(std::mt19937& random) {
  std::string text;
  const int sections = 1 + static_cast<int>(random() % 6);
  const int layout = static_cast<int>(random() % 4);
  if (random() % 3 == 0) text += "7: before any header\r\n";
  for (int s = 0; s < sections; ++s) {
    text += "[S" + std::to_string(random() % sections) + "]\r\n";
    if (random() % 3 != 0) {
      int target = static_cast<int>(random() % (sections * 12 + 1)) / 12;
      text += "Alias: s" + std::to_string(target) + "\r\n";
    }
    const std::size_t count = random() % (random() % 8 == 0 ? 400 : 12);
    for (uint32_t n : DrawNumbers(random, layout, count)) {
      char number[16];
      std::snprintf(number, sizeof number, random() % 5 == 0 ? "0x%x" : "%X", n);
      if (n == 0 && random() % 2) number[0] = '\0';
      text += (random() % 4 == 0 ? "  " : "") + std::string(number) + ": t" +
              std::to_string(text.size()) + (random() % 5 == 0 ? " ; note" : "") + "\r\n";
    }
    if (random() % 4 == 0) text += "; comment\r\n\r\n";
  }
  return text;
}

TEST(ParsedSectionsTest, AgreeWithAPlainModelForEveryNumberPresentOrNot) {
  std::mt19937 random(20261209);
  for (int round = 0; round < 1500; ++round) {
    const std::string text = RandomMessageFile(random);
    const test::MessageFileModel model = test::ModelOf(text);
    char* buffer = new char[text.size() + 1];
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    const char* begin = buffer;
    MessageFileData data;
    const int result = data.ParseMessageFile(buffer, buffer + text.size());
    delete[] buffer;  // null after a successful parse
    ASSERT_EQ(result, model.Opens() ? 1 : 0) << text;
    if (result == 0) continue;

    std::set<uint32_t> probes = {0, 1, UINT32_MAX};
    for (const test::ModelSection& section : model.sections) {
      for (const auto& entry : section.own) probes.insert({entry.first, entry.first + 1});
    }
    ASSERT_EQ(data.SectionCount(), model.sections.size());
    for (std::size_t i = 0; i < model.sections.size(); ++i) {
      const MessageSection* section = data.FindSection(model.sections[i].name);
      ASSERT_NE(section, nullptr);
      const std::map<uint32_t, std::size_t> expected = *model.Resolved(i);
      ASSERT_EQ(section->MessageCount(), expected.size()) << model.sections[i].name << "\n" << text;
      for (uint32_t n : probes) {
        auto found = expected.find(n);
        const char* want = found == expected.end() ? nullptr : begin + found->second;
        ASSERT_EQ(section->FindMessage(n), want)
            << model.sections[i].name << " number " << n << "\n"
            << text;
      }
    }
  }
}

// A ring of aliased sections makes every member hold every message; the
// parse gives up as if memory had run out instead of taking gigabytes.
TEST(ParseBudgetTest, AnAliasRingBeyondTheBudgetFailsAsMemoryExhaustion) {
  std::string text;
  const int count = 10000;
  for (int i = 0; i < count; ++i) {
    char lines[64];
    std::snprintf(lines, sizeof lines, "[S%04d]\r\nAlias: S%04d\r\n%X: m%d\r\n", i, (i + 1) % count,
                  i, i);
    text += lines;
  }
  ASSERT_LT(text.size(), 400000u);
  MessageFileData data;
  EXPECT_EQ(test::ParseText(data, text), 0);
  EXPECT_TRUE(data.HasError(0x102));
  EXPECT_EQ(test::ErrorContext(data, 0x143).substr(0, 1), "S");

  // A ring of a size that fits opens, every member holding every message.
  std::string small;
  for (int i = 0; i < 200; ++i) {
    small += "[R" + std::to_string(i) + "]\r\nAlias: R" + std::to_string((i + 1) % 200) + "\r\n" +
             std::to_string(i) + ": m\r\n";
  }
  MessageFileData fits;
  ASSERT_EQ(test::ParseText(fits, small), 1);
  for (const auto& named : fits.Sections()) EXPECT_EQ(named.section->MessageCount(), 200u);
}

TEST(ParseBudgetTest, RealisticAliasChainsStayFarBelowIt) {
  // Twenty product variants, each an alias of the one before and adding
  // its own range: the last one holds every message of the file.
  std::string text;
  for (int s = 0; s < 20; ++s) {
    text += "[Variant" + std::to_string(s) + "]\r\n";
    if (s > 0) text += "Alias: Variant" + std::to_string(s - 1) + "\r\n";
    for (int m = 0; m < 2000; ++m) {
      char line[64];
      std::snprintf(line, sizeof line, "%X: Message %d of variant %d\r\n", s * 0x10000 + m, m, s);
      text += line;
    }
  }
  MessageFileData data;
  ASSERT_EQ(test::ParseText(data, text), 1);
  EXPECT_EQ(data.FindSection("VARIANT19")->MessageCount(), 40000u);
  EXPECT_EQ(test::TextOf(data, "VARIANT19", 0x10005), "Message 5 of variant 1");
}

}  // namespace
}  // namespace tralvex
