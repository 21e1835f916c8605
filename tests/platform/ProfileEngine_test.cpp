// The private-profile functions. Unless a test says otherwise, every
// expectation here holds for the Windows functions as well, and the same
// tests run against them in the Windows build.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "platform/Profile.h"
#include "support/ProfileTestFiles.h"

namespace tralvex::platform {
namespace {

using tralvex::testing::MakeReadOnly;
using tralvex::testing::OpensForWriting;
using tralvex::testing::ReadBytes;
using tralvex::testing::ScratchDirectory;
using tralvex::testing::WriteBytes;

// The POSIX engine and the Windows functions part ways on a few points of
// file layout; tests of those run only where the engine is ours.
bool OwnEngine() { return SlashRootsPath(); }

struct Read {
  uint32_t count;
  std::string text;  // up to the first NUL
};

class ProfileEngineTest : public ::testing::Test {
 protected:
  void SetUp() override { file_ = dir_.File("test.ini"); }

  void Put(const std::string& bytes) { WriteBytes(file_, bytes); }

  Read Get(const char* section, const char* keyword, const char* defaultText = "default",
           uint32_t size = 200) {
    std::vector<char> buffer(size + 1, '\x0c');
    uint32_t count =
        GetProfileString(section, keyword, defaultText, buffer.data(), size, file_.c_str());
    return Read{count, std::string(buffer.data())};
  }

  // The raw bytes a list read leaves in a buffer of the given size.
  std::string GetList(const char* section, uint32_t size, uint32_t* count) {
    std::string buffer(size, '\x0c');
    *count = GetProfileString(section, nullptr, "default", buffer.data(), size, file_.c_str());
    return buffer;
  }

  ScratchDirectory dir_;
  std::string file_;
};

const char kSample[] =
    "[section1]\r\n"
    "name1=val1\r\n"
    "name2=\"val2\"\r\n"
    "name3\r\n"
    "name4=a\r\n"
    "[section2]\r\n";

TEST_F(ProfileEngineTest, ReadsValuesByCaseInsensitiveNamesWithQuotesRemoved) {
  Put(kSample);
  EXPECT_EQ(Get("section1", "name1").text, "val1");
  EXPECT_EQ(Get("SECTION1", "NaMe1").count, 4u);
  EXPECT_EQ(Get("section1", "NaMe1").text, "val1");
  Read quoted = Get("section1", "name2");
  EXPECT_EQ(quoted.count, 4u);
  EXPECT_EQ(quoted.text, "val2");
  EXPECT_EQ(Get("section1", "name4").text, "a");
}

TEST_F(ProfileEngineTest, MissingEntriesGiveTheDefaultWithoutTrailingBlanks) {
  Put(kSample);
  Read missingKey = Get("section1", "notakey");
  EXPECT_EQ(missingKey.count, 7u);
  EXPECT_EQ(missingKey.text, "default");
  EXPECT_EQ(Get("notasection", "name1").text, "default");
  EXPECT_EQ(Get("", "name1").text, "default");
  EXPECT_EQ(Get("section1", "").text, "default");
  // A line without "=" is no keyword.
  EXPECT_EQ(Get("section1", "name3").text, "default");
  Read blanks = Get("section1", "none", "one two  ");
  EXPECT_EQ(blanks.count, 7u);
  EXPECT_EQ(blanks.text, "one two");
  Read nullDefault = Get("section1", "none", nullptr);
  EXPECT_EQ(nullDefault.count, 0u);
  EXPECT_EQ(nullDefault.text, "");
  EXPECT_EQ(Get("section2", "none", "").count, 0u);
}

TEST_F(ProfileEngineTest, MissingOrUnnamedFileGivesTheDefault) {
  Read missing = Get("section1", "name1");
  EXPECT_EQ(missing.count, 7u);
  EXPECT_EQ(missing.text, "default");
  char buffer[20] = "kumquat";
  EXPECT_EQ(GetProfileString("section1", "name1", "default", buffer, sizeof buffer, ""), 7u);
  EXPECT_STREQ(buffer, "default");
  EXPECT_EQ(GetProfileString("section1", "name1", "default", buffer, sizeof buffer, nullptr), 7u);
}

TEST_F(ProfileEngineTest, ValueThatDoesNotFitIsCutToSizeMinusOne) {
  Put(kSample);
  EXPECT_EQ(Get("section1", "name1", "default", 5).count, 4u);
  Read cut = Get("section1", "name1", "default", 4);
  EXPECT_EQ(cut.count, 3u);
  EXPECT_EQ(cut.text, "val");
  Read tiny = Get("section1", "name4", "default", 1);
  EXPECT_EQ(tiny.count, 0u);
  EXPECT_EQ(tiny.text, "");

  char buffer[] = "kumquat";
  EXPECT_EQ(GetProfileString("section1", "name1", "default", buffer, 0, file_.c_str()), 0u);
  EXPECT_STREQ(buffer, "kumquat");

  std::string long1023(1023, 'x');
  Put("[s]\r\nk=" + long1023 + "\r\n");
  std::vector<char> big(1024);
  EXPECT_EQ(GetProfileString("s", "k", ";;", big.data(), 1024, file_.c_str()), 1023u);
  std::vector<char> bigger(2048);
  EXPECT_EQ(GetProfileString("s", "k", ";;", bigger.data(), 2048, file_.c_str()), 1023u);
  EXPECT_EQ(std::string(bigger.data()), long1023);
}

TEST_F(ProfileEngineTest, KeywordListsAreDoubleNulListsOfLinesWithEquals) {
  Put("[s]\r\nname1=val1\r\nname2=\r\nname3\r\nname4=val4\r\n");
  uint32_t count = 0;
  std::string list = GetList("s", 100, &count);
  EXPECT_EQ(count, 18u);
  EXPECT_EQ(list.substr(0, 19), std::string("name1\0name2\0name4\0\0", 19));
  EXPECT_EQ(Get("nosuch", nullptr).text, "default");
}

TEST_F(ProfileEngineTest, ListThatDoesNotFitCountsSizeMinusTwo) {
  Put(kSample);
  uint32_t count = 0;
  std::string keys = GetList("section1", 16, &count);
  EXPECT_EQ(count, 14u);
  EXPECT_EQ(keys.substr(0, 12), std::string("name1\0name2\0", 12));
  std::string sections = GetList(nullptr, 16, &count);
  EXPECT_EQ(count, 14u);
  EXPECT_EQ(sections.substr(0, 9), std::string("section1\0", 9));
}

TEST_F(ProfileEngineTest, SectionNamesAreTrimmedAndCountedLikeWindows) {
  Put("[ section1 ]\r\n[section2]\r\n[section3]\r\n");
  std::string buffer(100, '\x0c');
  EXPECT_EQ(GetProfileSectionNames(buffer.data(), 29, file_.c_str()), 27u);
  EXPECT_EQ(buffer.substr(0, 28), std::string("section1\0section2\0section3\0\0", 28));
  // Filling the buffer to its last byte counts as not fitting.
  EXPECT_EQ(GetProfileSectionNames(buffer.data(), 28, file_.c_str()), 26u);
  EXPECT_EQ(GetProfileSectionNames(buffer.data(), 27, file_.c_str()), 25u);
  EXPECT_EQ(buffer[25], '\0');

  std::string missing(10, '\x0c');
  std::string other = dir_.File("not_here.ini");
  EXPECT_EQ(GetProfileSectionNames(missing.data(), 10, other.c_str()), 0u);
  EXPECT_EQ(missing[0], '\0');
}

TEST_F(ProfileEngineTest, ReadsEveryLineEndStyleAndSkipsComments) {
  for (const char* end : {"\r\n", "\n", "\r"}) {
    std::string e(end);
    Put("; a comment=not a keyword" + e + "[s]" + e + ";name=hidden" + e + "name = value " + e +
        "other=2" + e);
    EXPECT_EQ(Get("s", "name").text, "value") << "line end " << e.size();
    EXPECT_EQ(Get("s", "other").text, "2");
    uint32_t count = 0;
    std::string list = GetList("s", 100, &count);
    EXPECT_EQ(count, 11u);
    EXPECT_EQ(list.substr(0, 12), std::string("name\0other\0\0", 12));
  }
}

TEST_F(ProfileEngineTest, FirstOccurrenceWins) {
  Put("[s]\r\nk=first\r\nk=second\r\n[t]\r\nx=1\r\n[S]\r\nk=third\r\ny=2\r\n");
  EXPECT_EQ(Get("s", "k").text, "first");
}

TEST_F(ProfileEngineTest, WritesBuildAFileAndDeletionsTakeLinesOut) {
  ASSERT_TRUE(WriteProfileString("App1", "key1", "string1", file_.c_str()));
  EXPECT_EQ(ReadBytes(file_), "[App1]\r\nkey1=string1\r\n");
  WriteProfileString("App1", "key2", "string2", file_.c_str());
  WriteProfileString("App2", "key4", "string4", file_.c_str());
  // A new keyword goes at the end of its own section.
  WriteProfileString("App1", "key3", "string3", file_.c_str());
  EXPECT_EQ(ReadBytes(file_),
            "[App1]\r\nkey1=string1\r\nkey2=string2\r\nkey3=string3\r\n[App2]\r\nkey4=string4\r\n");

  EXPECT_TRUE(WriteProfileString("App1", "key2", nullptr, file_.c_str()));
  EXPECT_TRUE(WriteProfileString("App1", "key2", nullptr, file_.c_str()));
  EXPECT_EQ(ReadBytes(file_),
            "[App1]\r\nkey1=string1\r\nkey3=string3\r\n[App2]\r\nkey4=string4\r\n");
  EXPECT_TRUE(WriteProfileString("App1", nullptr, "ignored", file_.c_str()));
  EXPECT_EQ(ReadBytes(file_), "[App2]\r\nkey4=string4\r\n");
  EXPECT_TRUE(WriteProfileString("App2", "key4", nullptr, file_.c_str()));
  EXPECT_EQ(ReadBytes(file_), "[App2]\r\n");
}

TEST_F(ProfileEngineTest, OverwriteAndEmptyValues) {
  WriteProfileString("App", "key", "", file_.c_str());
  EXPECT_EQ(ReadBytes(file_), "[App]\r\nkey=\r\n");
  Read empty = Get("App", "key");
  EXPECT_EQ(empty.count, 0u);
  EXPECT_EQ(empty.text, "");
  WriteProfileString("app", "KEY", "new", file_.c_str());
  EXPECT_EQ(Get("App", "key").text, "new");
  EXPECT_EQ(Get("APP", "Key").count, 3u);
}

TEST_F(ProfileEngineTest, NullSectionWritesNothing) {
  EXPECT_FALSE(WriteProfileString(nullptr, "key", "string", file_.c_str()));
  EXPECT_FALSE(std::filesystem::exists(file_));
  EXPECT_FALSE(WriteProfileString("App", "key", "string", ""));
}

TEST_F(ProfileEngineTest, ChangesMadeBehindTheCacheAreSeen) {
  Put("[s]\nk=123\n");
  EXPECT_EQ(Get("s", "k").text, "123");
  Put("[s]\nk=124\n");  // same size, same second
  EXPECT_EQ(Get("s", "k").text, "124");
  Put("[s]\nk=a longer value\n");
  EXPECT_EQ(Get("s", "k").text, "a longer value");
  std::filesystem::remove(file_);
  EXPECT_EQ(Get("s", "k").text, "default");
}

TEST_F(ProfileEngineTest, OtherSpellingsOfTheNameShareTheFile) {
  std::string upper = (dir_.Path() / "TEST.INI").string();
  Put("[s]\r\nk=1\r\n");
  EXPECT_EQ(Get("s", "k").text, "1");
  ASSERT_TRUE(WriteProfileString("s", "k", "2", upper.c_str()));
  EXPECT_EQ(Get("s", "k").text, "2");
  EXPECT_EQ(ReadBytes(file_), "[s]\r\nk=2\r\n");
}

TEST_F(ProfileEngineTest, ReadOnlyFileIsNotChanged) {
  Put("[s]\r\nk=old\r\n");
  MakeReadOnly(file_);
  // Our engine honours the read-only state even for a privileged process;
  // the Windows functions (under Wine, run by such a process) may not.
  if (!OwnEngine() && OpensForWriting(file_)) GTEST_SKIP() << "the process may write any file";
  EXPECT_FALSE(WriteProfileString("s", "k", "new", file_.c_str()));
  EXPECT_EQ(ReadBytes(file_), "[s]\r\nk=old\r\n");
  EXPECT_EQ(Get("s", "k").text, "old");
}

TEST_F(ProfileEngineTest, DirectoryWhereAFileIsExpected) {
  std::filesystem::create_directory(file_);
  EXPECT_EQ(Get("s", "k").text, "default");
  EXPECT_FALSE(WriteProfileString("s", "k", "v", file_.c_str()));
  EXPECT_TRUE(std::filesystem::is_directory(file_));
}

TEST_F(ProfileEngineTest, TenMegabyteLine) {
  std::string huge(10 * 1024 * 1024, 'v');
  Put("[s]\r\nbig=" + huge + "\r\nafter=1\r\n");
  EXPECT_EQ(Get("s", "after").text, "1");
  std::vector<char> buffer(huge.size() + 1);
  EXPECT_EQ(GetProfileString("s", "big", "", buffer.data(), static_cast<uint32_t>(buffer.size()),
                             file_.c_str()),
            huge.size());
  EXPECT_EQ(Get("s", "big", "", 100).count, 99u);
}

// Files saved by editors that mark their encoding.
const char kUtf8Mark[] = "\xEF\xBB\xBF";

// A text of ASCII and Latin-1 characters in UTF-16 with its byte-order mark.
std::string Utf16(std::string_view latin1, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char c : latin1) {
    char low = c;
    bytes += bigEndian ? std::string{'\0', low} : std::string{low, '\0'};
  }
  return bytes;
}

TEST_F(ProfileEngineTest, ByteOrderMarkIsNoPartOfTheFirstLine) {
  Put(std::string(kUtf8Mark) + "[first]\r\nk=1\r\n");
  EXPECT_EQ(Get("first", "k").text, "1");
  uint32_t count = 0;
  EXPECT_EQ(GetList(nullptr, 100, &count).substr(0, 7), std::string("first\0\0", 7));
  ASSERT_TRUE(WriteProfileString("first", "l", "2", file_.c_str()));
  std::string after = ReadBytes(file_);
  EXPECT_EQ(after.substr(0, 3), kUtf8Mark);
  EXPECT_EQ(after.find("[first]", 4), std::string::npos);  // no second copy
  EXPECT_EQ(Get("first", "l").text, "2");
}

TEST_F(ProfileEngineTest, Utf16FilesAreReadAndWrittenInUtf16) {
  for (bool bigEndian : {false, true}) {
    Put(Utf16("[s]\r\nk=v\r\n", bigEndian));
    EXPECT_EQ(Get("s", "k").text, "v") << bigEndian;
    uint32_t count = 0;
    EXPECT_EQ(GetList("s", 100, &count).substr(0, 3), std::string("k\0\0", 3));
    ASSERT_TRUE(WriteProfileString("s", "l", "w", file_.c_str()));
    ASSERT_TRUE(WriteProfileString("t", "m", "x", file_.c_str()));
    EXPECT_EQ(Get("s", "l").text, "w");
    EXPECT_EQ(Get("t", "m").text, "x");
    std::string after = ReadBytes(file_);
    EXPECT_EQ(after.substr(0, 2), bigEndian ? "\xFE\xFF" : "\xFF\xFE");
    if (OwnEngine()) {
      EXPECT_EQ(after, Utf16("[s]\r\nk=v\r\nl=w\r\n[t]\r\nm=x\r\n", bigEndian));
    }
  }
}

// ---- Behaviour of our own engine only ------------------------------------

// Names and values of files in Unicode are converted from and to the code
// page of the process; Windows does that in its own functions.
class OwnEngineCodePageTest : public ProfileEngineTest {
 protected:
  void SetUp() override {
    if (!OwnEngine()) GTEST_SKIP();
    ProfileEngineTest::SetUp();
    UseCodePage(1252);
  }
  void TearDown() override { UseSystemCodePage(); }
};

TEST_F(OwnEngineCodePageTest, Utf16NamesAndValuesMeetTheCodePage) {
  // "Gr\xF6\xDFe" is Latin-1 for the German word; U+4E2D has no place in 1252.
  std::string file = Utf16(
      "[Gr\xF6\xDF"
      "e]\r\nfarbe=gr\xFCn\r\n",
      false);
  file += std::string("w\0=\0\x2D\x4E\r\0\n\0", 10);
  Put(file);
  EXPECT_EQ(Get("GR\xD6\xDF"
                "E",
                "Farbe")
                .text,
            "gr\xFCn");
  EXPECT_EQ(Get("Gr\xF6\xDF"
                "e",
                "w")
                .text,
            "?");
  uint32_t count = 0;
  EXPECT_EQ(GetList(nullptr, 100, &count).substr(0, 7), std::string("Gr\xF6\xDF"
                                                                    "e\0\0",
                                                                    7));

  ASSERT_TRUE(
      WriteProfileString("Gr\xF6\xDF"
                         "e",
                         "farbe", "wei\xDF", file_.c_str()));
  std::string expected = Utf16(
      "[Gr\xF6\xDF"
      "e]\r\nfarbe=wei\xDF\r\n",
      false);
  expected += std::string("w\0=\0\x2D\x4E\r\0\n\0", 10);
  EXPECT_EQ(ReadBytes(file_), expected);  // the line it could not show is kept
  // 0x81 is no character of 1252: refused, never written as a byte.
  EXPECT_FALSE(
      WriteProfileString("Gr\xF6\xDF"
                         "e",
                         "farbe", "\x81", file_.c_str()));
  EXPECT_EQ(ReadBytes(file_), expected);
}

TEST_F(OwnEngineCodePageTest, Utf8MarkedFilesAreUtf8) {
  Put(std::string(kUtf8Mark) + "[s]\nk=gr\xC3\xBCn\n");
  EXPECT_EQ(Get("s", "k").text, "gr\xFCn");
  ASSERT_TRUE(WriteProfileString("s", "l", "\xE9t\xE9", file_.c_str()));
  EXPECT_EQ(ReadBytes(file_), std::string(kUtf8Mark) + "[s]\nk=gr\xC3\xBCn\nl=\xC3\xA9t\xC3\xA9\n");
  // Without the mark a file is in the code page, byte for byte.
  Put("[s]\nk=gr\xC3\xBCn\n");
  EXPECT_EQ(Get("s", "k").text, "gr\xC3\xBCn");
}

TEST_F(OwnEngineCodePageTest, DamagedUtf16IsKeptAsItWas) {
  // An unpaired surrogate and an odd last byte survive a rewrite untouched.
  std::string file = Utf16("[s]\r\nk=", false) + std::string("\x00\xD8\r\0\n\0", 6);
  Put(file + "x");
  EXPECT_EQ(Get("s", "k").text, "?");
  ASSERT_TRUE(WriteProfileString("t", "m", "1", file_.c_str()));
  EXPECT_EQ(ReadBytes(file_), file + Utf16("[t]\r\nm=1\r\n", false).substr(2) + "x");
}

TEST_F(ProfileEngineTest, OwnEngineSeesARewriteThatPutsTheOldTimeBack) {
  // Copying tools restore the time of the file they overwrite; the Windows
  // functions go by that time alone.
  if (!OwnEngine()) GTEST_SKIP();
  Put("[s]\r\nk=old\r\nl=1\r\n");
  auto past = std::filesystem::last_write_time(file_) - std::chrono::hours(1);
  std::filesystem::last_write_time(file_, past);
  EXPECT_EQ(Get("s", "k").text, "old");
  Put("[s]\r\nk=new\r\nl=1\r\n");  // same size, same file, same time
  std::filesystem::last_write_time(file_, past);
  EXPECT_EQ(Get("s", "k").text, "new");
  ASSERT_TRUE(WriteProfileString("s", "l", "2", file_.c_str()));
  EXPECT_EQ(ReadBytes(file_), "[s]\r\nk=new\r\nl=2\r\n");
}

TEST_F(ProfileEngineTest, OwnEngineKeepsLayoutAndLineEnds) {
  // The Windows functions as Wine provides them rewrite the file in their
  // own layout; ours keeps every byte it has no reason to touch.
  if (!OwnEngine()) GTEST_SKIP();
  Put("; header\n\n[a]\n  x = 1 ; note\n\n; end of a\n[b]\ny=2");
  ASSERT_TRUE(WriteProfileString("a", "z", "3", file_.c_str()));
  EXPECT_EQ(ReadBytes(file_), "; header\n\n[a]\n  x = 1 ; note\n\n; end of a\nz=3\n[b]\ny=2");
  ASSERT_TRUE(WriteProfileString("a", "X", "9", file_.c_str()));
  EXPECT_EQ(ReadBytes(file_), "; header\n\n[a]\n  x=9\n\n; end of a\nz=3\n[b]\ny=2");
  ASSERT_TRUE(WriteProfileString("b", "w", "4", file_.c_str()));
  EXPECT_EQ(ReadBytes(file_), "; header\n\n[a]\n  x=9\n\n; end of a\nz=3\n[b]\ny=2\nw=4");
  ASSERT_TRUE(WriteProfileString("c", "v", "5", file_.c_str()));
  EXPECT_EQ(ReadBytes(file_),
            "; header\n\n[a]\n  x=9\n\n; end of a\nz=3\n[b]\ny=2\nw=4\n[c]\nv=5\n");
  Put("[a]\rk=1\r");
  ASSERT_TRUE(WriteProfileString("a", "l", "2", file_.c_str()));
  EXPECT_EQ(ReadBytes(file_), "[a]\rk=1\rl=2\r");
}

TEST_F(ProfileEngineTest, OwnEngineEmptySectionListsNoKeywords) {
  // Wine hands back the default for a section without keywords.
  if (!OwnEngine()) GTEST_SKIP();
  Put("[empty]\r\n[full]\r\nk=1\r\n");
  Read read = Get("empty", nullptr, ";;");
  EXPECT_EQ(read.count, 0u);
  EXPECT_EQ(read.text, "");
}

TEST_F(ProfileEngineTest, OwnEngineRefusesWhatWouldNotReadBack) {
  if (!OwnEngine()) GTEST_SKIP();
  Put("[s]\r\nk=1\r\n");
  EXPECT_FALSE(WriteProfileString("s", "k", "two\r\n[evil]", file_.c_str()));
  EXPECT_FALSE(WriteProfileString("s\n", "k", "v", file_.c_str()));
  EXPECT_FALSE(WriteProfileString("s", "a=b", "v", file_.c_str()));
  EXPECT_FALSE(WriteProfileString("s", ";k", "v", file_.c_str()));
  EXPECT_FALSE(WriteProfileString("s", "[k]", "v", file_.c_str()));
  EXPECT_EQ(ReadBytes(file_), "[s]\r\nk=1\r\n");
  // "]" inside a section name reads back as written.
  ASSERT_TRUE(WriteProfileString("a]b", "k", "v", file_.c_str()));
  EXPECT_EQ(Get("a]b", "k").text, "v");
}

TEST_F(ProfileEngineTest, OwnEngineBinaryAndNulBytes) {
  // The Windows functions guess a text encoding from such bytes.
  if (!OwnEngine()) GTEST_SKIP();
  static const char kHead[] =
      "Data \0 before \0 first \0 section\r\n[section1]\r\nkey1=str\0ing1\r\n";
  static const char kTail[] = "\xff\xfe\x00\x01[\x80]\r\n=\r\n[\r\n]\r\n";
  std::string data(kHead, sizeof kHead - 1);
  data += std::string(kTail, sizeof kTail - 1);
  Put(data);
  EXPECT_EQ(Get("section1", "key1").text, "str");
  ASSERT_TRUE(WriteProfileString("section1", "key2", "x", file_.c_str()));
  std::string after = ReadBytes(file_);
  EXPECT_EQ(after.substr(0, data.size()), data);
  EXPECT_EQ(Get("section1", "key2").text, "x");
}

TEST_F(ProfileEngineTest, OwnEngineUnreadableFileIsNeitherReadNorReplaced) {
  if (!OwnEngine()) GTEST_SKIP();
  Put("[s]\r\nk=secret\r\n");
  std::filesystem::permissions(file_, std::filesystem::perms::none);
  if (!ReadBytes(file_).empty()) GTEST_SKIP() << "the process may read any file";
  EXPECT_EQ(Get("s", "k").text, "default");
  EXPECT_FALSE(WriteProfileString("s", "k", "new", file_.c_str()));
  std::filesystem::permissions(file_, std::filesystem::perms::owner_read);
  EXPECT_EQ(ReadBytes(file_), "[s]\r\nk=secret\r\n");
}

TEST_F(ProfileEngineTest, OwnEngineReplacesAtomicallyAndFlushes) {
  if (!OwnEngine()) GTEST_SKIP();
  for (int i = 0; i < 5; ++i)
    WriteProfileString("s", "k", std::to_string(i).c_str(), file_.c_str());
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir_.Path())) {
    names.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(names, std::vector<std::string>{"test.ini"});
  // Wine answers the flush with failure; Windows and we with success.
  EXPECT_TRUE(WriteProfileString(nullptr, nullptr, nullptr, file_.c_str()));
  EXPECT_EQ(Get("s", "k").text, "4");
}

TEST_F(ProfileEngineTest, OwnEngineBareNameLiesInTheWindowsDirectory) {
  // Windows looks in its own directory, which a test cannot redirect.
  if (!OwnEngine()) GTEST_SKIP();
  OverrideWindowsDirectory(dir_.Path().string().c_str());
  EXPECT_TRUE(WriteProfileString("s", "k", "v", "bare.ini"));
  char buffer[10];
  EXPECT_EQ(GetProfileString("s", "k", "", buffer, sizeof buffer, "BARE.INI"), 1u);
  OverrideWindowsDirectory(nullptr);
  EXPECT_EQ(ReadBytes(dir_.File("bare.ini")), "[s]\r\nk=v\r\n");
}

}  // namespace
}  // namespace tralvex::platform
