#include "api/MessageReference.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "api/Escapes.h"
#include "support/FakeMessageServices.h"

namespace {

using tralvex::EvaluateReferences;
using tralvex::Evaluation;
using tralvex::ExpandEscapes;
using tralvex::ParseMessageReference;
using tralvex::testing::Blanks;

struct Parsed {
  int32_t number;
  std::string fallback;
};

Parsed Parse(const std::string& reference) {
  tralvex::ParsedReference parsed = ParseMessageReference(reference);
  return {parsed.number, std::string(parsed.fallback)};
}

TEST(ParseMessageReference, NumbersAndFallbacks) {
  EXPECT_EQ(Parse("{1A2}").number, 0x1A2);
  EXPECT_EQ(Parse("{1A2}").fallback, "1A2");
  EXPECT_EQ(Parse("{1A2|not found}").number, 0x1A2);
  EXPECT_EQ(Parse("{1A2|   not found  }").fallback, "not found");
  EXPECT_EQ(Parse("{Bad}").number, 0xBAD);
  EXPECT_EQ(Parse("{ 1A2 }").number, 0x1A2);
  EXPECT_EQ(Parse("{0x1f|x}").number, 0x1F);
  EXPECT_EQ(Parse("{-5|x}").number, -5);
  EXPECT_EQ(Parse("{zz}").number, 0);
}

TEST(ParseMessageReference, ShortReferencesReadNoNumber) {
  EXPECT_EQ(Parse("{}").number, -1);
  EXPECT_EQ(Parse("{5}").number, -1);
  EXPECT_EQ(Parse("{5}").fallback, "5");
  EXPECT_EQ(Parse("{|text}").number, -1);
  EXPECT_EQ(Parse("{|text}").fallback, "text");
  EXPECT_EQ(Parse("{5|}").number, 5);
}

TEST(ParseMessageReference, OnlySixteenCharactersAreReadAndValuesStickAtTheLimits) {
  // The seventeenth digit is not read.
  EXPECT_EQ(Parse("{0000000000000001F}").number, 1);
  EXPECT_EQ(Parse("{FFFFFFFFFF}").number, INT32_MAX);
  EXPECT_EQ(Parse("{-FFFFFFFFFF}").number, INT32_MIN);
}

TEST(ExpandEscapes, NewlinesTabsAndTheRestAsWritten) {
  std::string storage;
  const char* plain = "no escapes";
  EXPECT_EQ(ExpandEscapes(plain, storage), plain);
  EXPECT_EQ(ExpandEscapes(nullptr, storage), nullptr);
  EXPECT_STREQ(ExpandEscapes("a\\tb", storage), "a\tb");
  EXPECT_STREQ(ExpandEscapes("x\\ny\\", storage), "x\ny\\");
  EXPECT_STREQ(ExpandEscapes("\\\\n\\q", storage), "\\\\n\\q");
}

class MapLookup : public tralvex::ReferenceLookup {
 public:
  std::map<uint32_t, std::string> messages;
  std::vector<uint32_t> asked;
  std::string missing = "MISSING";
  std::string_view MessageText(uint32_t number, std::string_view) override {
    asked.push_back(number);
    auto found = messages.find(number);
    return found != messages.end() ? found->second.c_str() : missing.c_str();
  }
  bool IsMissing(const char* text) override { return text == missing.c_str(); }
};

std::string Evaluate(const char* source, std::size_t room, MapLookup& lookup,
                     tralvex::EvaluationResult* result = nullptr) {
  std::vector<char> buffer = Blanks(room);
  tralvex::EvaluationResult r = EvaluateReferences(source, buffer.data(), lookup);
  if (result != nullptr) *result = r;
  return buffer.data();
}

TEST(EvaluateReferences, ReplacesReferencesAndDropsShortInsertions) {
  MapLookup lookup;
  lookup.messages[0x1A2] = "Enter";
  tralvex::EvaluationResult result;
  EXPECT_EQ(Evaluate("Press {1A2|OK} now", 100, lookup, &result), "Press Enter now");
  EXPECT_EQ(result.outcome, Evaluation::kEvaluated);
  EXPECT_FALSE(result.lastMissing);
  EXPECT_EQ(Evaluate("a{}b{5}c{|xy}d", 100, lookup), "abcxyd");
  EXPECT_EQ(Evaluate("Press {1A3|OK} now", 100, lookup, &result), "Press MISSING now");
  EXPECT_TRUE(result.lastMissing);
  EXPECT_EQ(Evaluate("{1A3} {1A2}", 100, lookup, &result), "MISSING Enter");
  EXPECT_FALSE(result.lastMissing);
}

TEST(EvaluateReferences, AtMostEightReferencesAndUnclosedBracesStay) {
  MapLookup lookup;
  lookup.messages[0x11] = "ab";
  EXPECT_EQ(Evaluate("{11}{11}{11}{11}{11}{11}{11}{11}{11}", 100, lookup), "abababababababab{11}");
  EXPECT_EQ(lookup.asked.size(), 8u);
  tralvex::EvaluationResult result;
  EXPECT_EQ(Evaluate("open { brace", 100, lookup, &result), "open { brace");
  EXPECT_EQ(result.outcome, Evaluation::kCopied);
  EXPECT_EQ(Evaluate("{11} then {", 100, lookup), "ab then {");
}

TEST(EvaluateReferences, TheRoomOfTheBufferCuts) {
  MapLookup lookup;
  lookup.messages[0x1A2] = "a long replacement text";
  EXPECT_EQ(Evaluate("Press {1A2} now, please", 10, lookup), "Press a lo");
  EXPECT_EQ(Evaluate("no references at all here", 5, lookup), "no re");
  EXPECT_EQ(Evaluate("{1A2}", 0, lookup), "");
  // Once the room is used up no further reference is looked up.
  lookup.asked.clear();
  Evaluate("{1A2}{1A2}{1A2}", 3, lookup);
  EXPECT_EQ(lookup.asked.size(), 1u);
}

TEST(EvaluateReferences, NullsAreRefusedAndOverlapIsSafe) {
  MapLookup lookup;
  char buffer[] = "     ";
  EXPECT_EQ(EvaluateReferences(nullptr, buffer, lookup).outcome, Evaluation::kRefused);
  EXPECT_STREQ(buffer, "     ");
  EXPECT_EQ(EvaluateReferences("x", nullptr, lookup).outcome, Evaluation::kRefused);
  lookup.messages[0x12] = "XYZ";
  char same[] = "a{12}b      ";
  EvaluateReferences(same, same, lookup);
  // The blanks after the reference are part of the source.
  EXPECT_STREQ(same, "aXYZb      ");
}

}  // namespace
