#include "api/MessageReference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "api/Escapes.h"
#include "platform/CodePage.h"
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

// ---- Evaluation against a plain model ------------------------------------
// The model takes the documented steps literally: it collects up to eight
// references first, reads each number with the C library's conversion, and
// builds the result in a string cut at the room on character boundaries.

struct ModelReference {
  int32_t number = -1;
  std::string fallback;
};

ModelReference ModelParse(std::string inner) {
  while (!inner.empty() && inner.back() == ' ') inner.pop_back();
  ModelReference parsed;
  parsed.fallback = inner;
  bool read = inner.size() >= 2;
  const char* bar = tralvex::platform::FindChar(inner.data(), inner.data() + inner.size(), '|');
  if (bar != nullptr) {
    std::size_t at = static_cast<std::size_t>(bar - inner.data());
    std::size_t from = inner.find_first_not_of(' ', at + 1);
    parsed.fallback = from == std::string::npos ? "" : inner.substr(from);
    read = at >= 1;
  }
  if (read) {
    // A 32-bit long: out of range values stick at its limits.
    long long value = std::strtoll(inner.substr(0, 16).c_str(), nullptr, 16);
    parsed.number = static_cast<int32_t>(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
  }
  return parsed;
}

// Appends `piece`, at most `room` bytes and never half a double-byte
// character.
void ModelAppend(std::string& out, std::size_t& room, const std::string& piece) {
  std::size_t n = 0;
  while (n < piece.size()) {
    bool pair =
        tralvex::platform::IsLeadByte(static_cast<unsigned char>(piece[n])) && n + 1 < piece.size();
    std::size_t step = pair ? 2 : 1;
    if (n + step > room) break;
    n += step;
  }
  out.append(piece, 0, n);
  room -= n;
}

struct ModelResult {
  std::string text;
  bool evaluated = false;
  bool lastMissing = false;
  std::vector<uint32_t> asked;
};

ModelResult ModelEvaluate(const std::string& source, std::size_t room,
                          const std::map<uint32_t, std::string>& messages) {
  using tralvex::platform::FindChar;
  const char* begin = source.data();
  const char* end = begin + source.size();
  std::vector<std::pair<std::size_t, std::size_t>> references;
  for (const char* open = FindChar(begin, end, '{'); open != nullptr;) {
    const char* close = FindChar(open + 1, end, '}');
    if (close == nullptr || references.size() == 8) break;
    references.emplace_back(open - begin, close - begin);
    open = FindChar(close + 1, end, '{');
  }
  ModelResult result;
  if (references.empty()) {
    result.text = source.substr(0, room);
    return result;
  }
  result.evaluated = true;
  ModelAppend(result.text, room, source.substr(0, references[0].first));
  for (std::size_t i = 0; i < references.size(); ++i) {
    auto [open, close] = references[i];
    ModelReference parsed = ModelParse(source.substr(open + 1, close - open - 1));
    std::string insertion = parsed.fallback;
    result.lastMissing = false;
    if (parsed.number > 0) {
      uint32_t number = static_cast<uint32_t>(parsed.number);
      result.asked.push_back(number);
      auto found = messages.find(number);
      result.lastMissing = found == messages.end();
      insertion = result.lastMissing ? "<missing>" : found->second;
    }
    if (insertion.size() >= 2) ModelAppend(result.text, room, insertion);
    std::size_t plainEnd = i + 1 < references.size() ? references[i + 1].first : source.size();
    ModelAppend(result.text, room, source.substr(close + 1, plainEnd - close - 1));
    if (room == 0) break;
  }
  return result;
}

// Random texts made of the pieces that steer evaluation: references with
// blanks, signs, prefixes and bars, braces that close nothing, and, on a
// double-byte code page, characters whose second byte is a brace or a bar.
class RandomTexts {
 public:
  RandomTexts(uint32_t seed, bool doubleByte) : random_(seed), doubleByte_(doubleByte) {}

  std::string Plain() {
    static const char* const kPieces[] = {"ab", " ", "x y", "\t", "|", "}", "0", "-", "{"};
    static const char* const kDoubleByte[] = {"\x82\xA0", "\x82{", "\x82}", "\x82|", "\x81 "};
    std::string text;
    for (int i = Pick(4); i > 0; --i) {
      text += doubleByte_ && Pick(3) == 0 ? kDoubleByte[Pick(5)] : kPieces[Pick(9)];
    }
    return text;
  }

  std::string Reference() {
    std::string body;
    if (Pick(4) == 0) body += std::string(Pick(3), ' ');
    if (Pick(6) == 0) body += Pick(2) ? "-" : "+";
    if (Pick(8) == 0) body += "0x";
    int digits = Pick(10) == 0 ? 9 + Pick(10) : Pick(3);
    if (digits > 0 && digits < 3) body += Number();
    for (int i = digits < 3 ? 0 : digits; i > 0; --i) body += "0123456789abcdefABCDEFG"[Pick(23)];
    if (Pick(2)) body += std::string(Pick(2), ' ') + "|" + std::string(Pick(3), ' ') + Plain();
    if (Pick(3) == 0) body += std::string(Pick(3), ' ');
    return "{" + body + "}";
  }

  std::string Text() {
    std::string text = Plain();
    for (int i = Pick(12); i > 0; --i) text += Pick(4) ? Reference() + Plain() : Plain();
    return text;
  }

  std::map<uint32_t, std::string> Messages() {
    std::map<uint32_t, std::string> messages;
    for (uint32_t n = 1; n < 0x40; ++n) {
      if (Pick(4) != 0) messages[n] = Pick(5) == 0 ? std::string(Pick(2), 'm') : Plain();
    }
    return messages;
  }

  std::string Number() {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%X", Pick(0x48));
    return digits;
  }

  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

 private:
  std::mt19937 random_;
  bool doubleByte_;
};

class EvaluationModelTest : public ::testing::TestWithParam<unsigned> {
 protected:
  void SetUp() override { ASSERT_TRUE(tralvex::platform::UseCodePage(GetParam())); }
  void TearDown() override { tralvex::platform::UseSystemCodePage(); }
};

TEST_P(EvaluationModelTest, RandomTextsEvaluateAsTheModelSays) {
  RandomTexts random(20261209 + GetParam(), GetParam() == 932);
  for (int round = 0; round < 4000; ++round) {
    MapLookup lookup;
    lookup.messages = random.Messages();
    lookup.missing = "<missing>";
    std::string source = random.Text();
    std::size_t room =
        static_cast<std::size_t>(random.Pick(2 * static_cast<int>(source.size()) + 8));
    std::vector<char> buffer = Blanks(room);
    // Now and then the source lies in the buffer itself, from its start or
    // further in; the room is then the length of the whole text.
    const char* where = source.c_str();
    int placement = random.Pick(8);
    if (placement < 2) {
      std::string inBuffer =
          std::string(placement, ' ') + source + std::string(random.Pick(9), ' ');
      buffer.assign(inBuffer.begin(), inBuffer.end());
      buffer.push_back('\0');
      where = buffer.data() + placement;
      source = where;
      room = inBuffer.size();
    }
    ModelResult expected = ModelEvaluate(source, room, lookup.messages);
    tralvex::EvaluationResult result = EvaluateReferences(where, buffer.data(), lookup);

    ASSERT_EQ(std::string(buffer.data()), expected.text) << source << " room " << room;
    EXPECT_EQ(result.outcome, expected.evaluated ? Evaluation::kEvaluated : Evaluation::kCopied)
        << source;
    EXPECT_EQ(result.lastMissing, expected.lastMissing) << source;
    EXPECT_EQ(lookup.asked, expected.asked) << source;
  }
}

// The escapes walked character by character, as documented.
std::string ModelExpandEscapes(const std::string& text) {
  auto characterSize = [&text](std::size_t i) {
    return tralvex::platform::IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()
               ? 2
               : 1;
  };
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 'n' || text[i + 1] == 't')) {
      out += text[i + 1] == 'n' ? '\n' : '\t';
      i += 2;
    } else if (text[i] == '\\' && i + 1 < text.size()) {
      std::size_t n = 1 + characterSize(i + 1);
      out += text.substr(i, n);
      i += n;
    } else {
      std::size_t n = characterSize(i);
      out += text.substr(i, n);
      i += n;
    }
  }
  return out;
}

TEST_P(EvaluationModelTest, RandomTextsExpandTheirEscapesAsTheModelSays) {
  // Among them double-byte characters whose second byte is a backslash or
  // an "n", and escaped double-byte characters.
  const char* const kPieces[] = {"a",      "\\",    "n",          "t",   "\\n",
                                 "\x82\\", "\x82n", "\\\x82\xA0", "\x82"};
  std::mt19937 random(GetParam());
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    for (int i = std::uniform_int_distribution<int>(0, 8)(random); i > 0; --i) {
      text += kPieces[std::uniform_int_distribution<int>(0, 8)(random)];
    }
    std::string storage;
    const char* expanded = ExpandEscapes(text.c_str(), storage);
    ASSERT_EQ(std::string(expanded), ModelExpandEscapes(text)) << text;
    if (expanded != text.c_str()) {
      EXPECT_EQ(expanded, storage.c_str());
    }
  }
}

INSTANTIATE_TEST_SUITE_P(CodePages, EvaluationModelTest, ::testing::Values(1252u, 932u));

}  // namespace
