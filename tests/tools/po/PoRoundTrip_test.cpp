// The PO round trip on random message files in code pages 1250, 932 and
// UTF-8: export then import of the unchanged PO file gives the translation
// back byte for byte, and an import of changed translations makes the
// library read exactly those texts while every other line keeps its text.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "CodePageText.h"
#include "LoadedMessageFile.h"
#include "platform/CodePage.h"
#include "po/PoEntries.h"
#include "po/PoExport.h"
#include "po/PoFile.h"
#include "po/PoImport.h"

// libgettextpo keeps a copy of the name of every file it reads, and of some
// texts it writes, past the call: a handful of bytes per call that a
// process reading one PO file never notices, but that add up over the
// thousands of calls below. (Its texts come from vasprintf, whose frames the
// sanitizer's fast unwinding cannot pass; nothing of ours calls it.)
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libgettextpo.so\nleak:__vasprintf_internal\n";
}

namespace tralvex::tool {
namespace {

// Characters of each code page, as its bytes: what texts and names are made
// of. Code page 932 brings trail bytes equal to "\" and "]".
struct Alphabet {
  unsigned codePage;
  std::vector<std::string> letters;
  std::vector<std::string> sectionNames;
};

const Alphabet& AlphabetOf(unsigned codePage) {
  static const std::vector<std::string> common = {"a",   "b",  "Z",  "0", "7", " ", " ",      "\t",
                                                  ";",   "\"", "%s", "%", "{", "}", "{10|x}", "\\",
                                                  "\\n", ":",  "[",  "]", "|", "'", "#"};
  static const std::map<unsigned, Alphabet> alphabets = [] {
    std::map<unsigned, Alphabet> all;
    all[1250] = {1250,
                 {"\xE8", "\xF8", "\x9E", "\x8A", "\x84", "\x93", "\xBE"},
                 {"Main", "Common", "dialogs", "\x8Eluv", "ERRORS"}};
    all[932] = {932,
                {"\x83\x5C", "\x95\x5C", "\x94\x5C", "\x83\x5D", "\x81\x5B", "\x83\x93", "\xB1"},
                {"Main", "Common", "dialogs", "\x83\x5D\x81\x5B\x83\x93", "ERRORS"}};
    all[65001] = {65001,
                  {"\xC4\x8D", "\xE2\x82\xAC", "\xE6\x97\xA5", "\xF0\x9F\x98\x80", "\xC3\xA9"},
                  {"Main", "Common", "dialogs",
                   "\xC4\x8C"
                   "esky",
                   "ERRORS"}};
    for (auto& [id, alphabet] : all) {
      alphabet.letters.insert(alphabet.letters.end(), common.begin(), common.end());
    }
    return all;
  }();
  return alphabets.at(codePage);
}

// The structure of a file (sections, aliases, numbers, layout) and its texts
// come from two generators, so that a base and its translation can share
// their structure and differ in their texts.
class RandomFiles {
 public:
  RandomFiles(unsigned structureSeed, unsigned textSeed, const Alphabet& alphabet)
      : random_(structureSeed), texts_(textSeed), alphabet_(alphabet) {}

  std::size_t Below(std::size_t n) { return Below(random_, n); }
  bool OneIn(std::size_t n) { return Below(n) == 0; }

  std::string Text(std::size_t maxLength, bool semicolons = true) {
    std::string text;
    for (std::size_t i = Below(texts_, maxLength + 1); i > 0; --i) {
      const std::string& letter = alphabet_.letters[Below(texts_, alphabet_.letters.size())];
      if (!semicolons && letter == ";") continue;
      text += letter;
    }
    return text;
  }

  // A message file as people write them: comments, blank lines, sections
  // that alias each other (cycles too), repeated numbers and headers,
  // quotes, comments after ";", spaces before lines and numbers.
  std::string MessageFile() {
    std::string end = OneIn(4) ? "\r" : "\r\n";
    std::vector<std::string> sections;
    std::string file;
    if (OneIn(2)) file += "; " + Text(20) + end + end;
    if (OneIn(4)) file += Message() + end;
    for (std::size_t s = Below(5) + 1; s > 0; --s) {
      std::string name = alphabet_.sectionNames[Below(alphabet_.sectionNames.size())];
      sections.push_back(name);
      file += std::string(Below(2), ' ') + "[" + name + "]" + (OneIn(5) ? " trailing" : "") + end;
      if (OneIn(3)) {
        std::string target = sections[Below(sections.size())];
        file += (OneIn(2) ? "Alias: " : "ALIAS :  ") + target + end;
      }
      for (std::size_t m = Below(8); m > 0; --m) {
        file += (OneIn(6) ? "; " + Text(10) : Message()) + end;
      }
      if (OneIn(3)) file += end;
    }
    if (OneIn(5) && !file.empty()) file.resize(file.size() - end.size());  // no last line end
    return file;
  }

 private:
  static std::size_t Below(std::mt19937& random, std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
  }

  std::string Message() {
    char number[16];
    std::snprintf(number, sizeof number, OneIn(5) ? "0x%X" : "%X",
                  static_cast<unsigned>(Below(24)));
    std::string line =
        std::string(Below(3), ' ') + number + (OneIn(4) ? " :" : ":") + std::string(Below(3), ' ');
    std::string text = Text(12);
    line += OneIn(3) ? "\"" + text + "\"" : text;
    if (OneIn(3)) line += std::string(Below(3), ' ') + ";" + Text(8, false);
    return line;
  }

  std::mt19937 random_;
  std::mt19937 texts_;
  const Alphabet& alphabet_;
};

std::string RandomFile(unsigned structureSeed, unsigned textSeed, unsigned codePage) {
  return RandomFiles(structureSeed * 7919 + codePage, textSeed * 104729 + codePage,
                     AlphabetOf(codePage))
      .MessageFile();
}

class PoRoundTrip : public ::testing::Test {
 protected:
  void TearDown() override { platform::UseSystemCodePage(); }

  // Export of base and translation, as the PO text.
  static std::string Export(const LoadedMessageFile& base, const LoadedMessageFile& translation,
                            const CodePageText& text, PoFile& po) {
    DiagnosticList problems;
    BuildPo(base, &translation, {&text, "cs"}, po, problems);
    EXPECT_TRUE(problems.Items().empty()) << problems.Items().front().text;
    std::string bytes, reason;
    EXPECT_TRUE(po.Write(bytes, reason)) << reason;
    return bytes;
  }

  static std::string Import(const std::string& poBytes, const LoadedMessageFile& translation,
                            const CodePageText& text, PoEntries& entries) {
    DiagnosticList problems;
    std::string result;
    ImportReport report;
    bool read = ReadPoEntries("random.po", poBytes, entries, problems);
    bool imported = read && ImportTranslations("random.po", entries, translation, text, result,
                                               report, problems);
    EXPECT_TRUE(imported) << (problems.Items().empty() ? std::string("no problem")
                                                       : problems.Items().front().text);
    return result;
  }
};

TEST_F(PoRoundTrip, ExportThenImportOfTheUnchangedFileIsTheIdentity) {
  for (unsigned codePage : {1250u, 932u, 65001u}) {
    ASSERT_TRUE(platform::UseCodePage(codePage));
    CodePageText text(codePage);
    for (unsigned seed = 0; seed < 40; ++seed) {
      SCOPED_TRACE("code page " + std::to_string(codePage) + ", seed " + std::to_string(seed));
      LoadedMessageFile base, translation;
      std::string reason;
      ASSERT_EQ(LoadResult::kLoaded,
                base.Parse("base.msg", RandomFile(seed, seed, codePage), reason))
          << reason;
      // Every other translation has the base's structure.
      unsigned structure = seed % 2 == 0 ? seed : seed + 1000;
      ASSERT_EQ(LoadResult::kLoaded,
                translation.Parse("tr.msg", RandomFile(structure, seed + 5000, codePage), reason));
      PoFile po;
      PoEntries entries;
      std::string result = Import(Export(base, translation, text, po), translation, text, entries);
      ASSERT_EQ(translation.Bytes(), result);
    }
  }
}

// Changes msgstr of random entries: a new text, or none (untranslated).
std::map<std::pair<std::string, uint32_t>, std::string> ChangeTranslations(
    PoFile& po, RandomFiles& random, const CodePageText& text) {
  std::map<std::pair<std::string, uint32_t>, std::string> meant;  // UTF-8 section, number
  PoMessages messages(po);
  for (po_message_t m; (m = messages.Next()) != nullptr;) {
    if (po_message_msgctxt(m) == nullptr) continue;
    std::string context = po_message_msgctxt(m);
    std::size_t slash = context.rfind('/');
    std::pair<std::string, uint32_t> key{
        context.substr(0, slash),
        static_cast<uint32_t>(std::stoul(context.substr(slash + 1), nullptr, 16))};
    if (random.OneIn(3)) {
      std::string utf8, bytes = random.Text(14);
      std::size_t bad = 0;
      EXPECT_TRUE(text.ToUtf8(bytes, utf8, bad));
      po_message_set_msgstr(m, utf8.c_str());
    } else if (random.OneIn(4)) {
      po_message_set_msgstr(m, "");
    }
    if (*po_message_msgstr(m) != '\0') meant[key] = po_message_msgstr(m);
  }
  return meant;
}

TEST_F(PoRoundTrip, ImportedTextsReadBackAndEveryOtherLineKeepsItsText) {
  for (unsigned codePage : {1250u, 932u, 65001u}) {
    ASSERT_TRUE(platform::UseCodePage(codePage));
    CodePageText text(codePage);
    for (unsigned seed = 0; seed < 40; ++seed) {
      SCOPED_TRACE("code page " + std::to_string(codePage) + ", seed " + std::to_string(seed));
      RandomFiles random(seed, seed + 9000, AlphabetOf(codePage));
      LoadedMessageFile base, translation, result;
      std::string reason;
      ASSERT_EQ(LoadResult::kLoaded,
                base.Parse("base.msg", RandomFile(seed, seed, codePage), reason));
      unsigned structure = seed % 2 == 0 ? seed : seed + 1000;
      ASSERT_EQ(LoadResult::kLoaded,
                translation.Parse("tr.msg", RandomFile(structure, seed + 5000, codePage), reason));
      PoFile po;
      Export(base, translation, text, po);
      auto meant = ChangeTranslations(po, random, text);
      std::string changed;
      ASSERT_TRUE(po.Write(changed, reason));
      PoEntries entries;
      std::string bytes = Import(changed, translation, text, entries);
      ASSERT_EQ(LoadResult::kLoaded, result.Parse("result.msg", bytes, reason)) << reason;
      std::map<std::pair<std::string, uint32_t>, bool> translated;
      for (const auto& [key, utf8] : meant) {
        std::string section;
        std::size_t bad = 0;
        ASSERT_TRUE(text.FromUtf8(key.first, section, bad));
        std::optional<FoundText> found = result.Find(section, key.second);
        ASSERT_TRUE(found) << key.first << "/" << key.second;
        std::string read;
        ASSERT_TRUE(text.ToUtf8(found->text, read, bad));
        EXPECT_EQ(utf8, read) << key.first << "/" << key.second;
        translated[{section, key.second}] = true;
      }
      // Every line the PO file does not translate stays as it was (a last
      // line may gain a line end when a line follows it now).
      const MessageFileLayout& before = translation.Layout();
      for (const WrittenSection& section : before.Sections()) {
        for (std::size_t m : section.own) {
          const WrittenMessage& message = before.Messages()[m];
          if (translated.count({section.name, message.number}) != 0) continue;
          std::size_t now = result.Layout().FindSection(section.name);
          ASSERT_NE(kNoIndex, now);
          std::size_t kept = result.Layout().FindOwn(now, message.number);
          ASSERT_NE(kNoIndex, kept);
          const WrittenMessage& after = result.Layout().Messages()[kept];
          EXPECT_EQ(
              translation.Bytes().substr(message.line.start, message.line.end - message.line.start),
              result.Bytes().substr(after.line.start, after.line.end - after.line.start));
        }
      }
    }
  }
}

}  // namespace
}  // namespace tralvex::tool

namespace tralvex::tool {
namespace {

// Imports the translations given (context to UTF-8 text) from a template of
// base into translation; the result's bytes.
std::string ImportInto(const std::string& baseBytes, const std::string& translationBytes,
                       const std::map<std::string, std::string>& texts) {
  CodePageText text(1252);
  LoadedMessageFile base, translation;
  std::string reason, bytes, result;
  EXPECT_EQ(LoadResult::kLoaded, base.Parse("base.msg", baseBytes, reason)) << reason;
  EXPECT_EQ(LoadResult::kLoaded, translation.Parse("tr.msg", translationBytes, reason)) << reason;
  PoFile po;
  DiagnosticList problems;
  BuildPo(base, nullptr, {&text, ""}, po, problems);
  {
    PoMessages messages(po);
    for (po_message_t m; (m = messages.Next()) != nullptr;) {
      const char* context = po_message_msgctxt(m);
      auto it = context != nullptr ? texts.find(context) : texts.end();
      if (it != texts.end()) po_message_set_msgstr(m, it->second.c_str());
    }
  }
  EXPECT_TRUE(po.Write(bytes, reason)) << reason;
  PoEntries entries;
  ImportReport report;
  EXPECT_TRUE(ReadPoEntries("t.po", bytes, entries, problems));
  EXPECT_TRUE(ImportTranslations("t.po", entries, translation, text, result, report, problems))
      << (problems.Items().empty() ? "" : problems.Items().front().text);
  return result;
}

TEST(PoImportSections, AddsMissingSectionsWithTheBaseAliasesAndTheirTargets) {
  platform::UseCodePage(1252);
  const std::string base =
      "1: one\r\nAlias: Main\r\n[Main]\r\n2: two\r\n[Sub]\r\nAlias: Main\r\n3: three\r\n";
  // Messages before any header go in front of the first header, the alias
  // line after them, where it counts.
  EXPECT_EQ(
      "; Czech\r\n1: jedna\r\nAlias: Main\r\n[Other]\r\n9: x\r\n\r\n[MAIN]\r\n2: dva\r\n\r\n"
      "[SUB]\r\nAlias: Main\r\n3: tri\r\n",
      ImportInto(base, "; Czech\r\n[Other]\r\n9: x\r\n",
                 {{"I_N_V_I_S_I_B_L_E/1", "jedna"}, {"MAIN/2", "dva"}, {"SUB/3", "tri"}}));
  // A section whose alias target the translation lacks brings the target.
  EXPECT_EQ("[Other]\r\n9: x\r\n\r\n[MAIN]\r\n\r\n[SUB]\r\nAlias: Main\r\n3: tri\r\n",
            ImportInto(base, "[Other]\r\n9: x\r\n", {{"SUB/3", "tri"}}));
  // Into a file that ends without a line end, in CR line ends.
  EXPECT_EQ("[Main]\r2: dva\r3: x\r\r[SUB]\rAlias: Main\r3: tri\r",
            ImportInto(base, "[Main]\r3: x", {{"MAIN/2", "dva"}, {"SUB/3", "tri"}}));
  platform::UseSystemCodePage();
}

}  // namespace
}  // namespace tralvex::tool
