#include "catalogue/MessageCatalogue.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "catalogue/LoadedFileTable.h"
#include "catalogue/MessageFileData.h"
#include "catalogue/SearchDirectories.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "support/TempDirectory.h"

namespace tralvex {
namespace {

class CatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(0, directory.Set(dir.Path().string().c_str())); }

  std::unique_ptr<MessageCatalogue> Open(const char* name, const char* section = nullptr) {
    return std::make_unique<MessageCatalogue>(files, directory, name, section);
  }

  // What a failed open recorded, from a catalogue opened step by step.
  std::unique_ptr<MessageCatalogue> TryOpen(const char* name) {
    auto catalogue = std::make_unique<MessageCatalogue>(files, directory);
    EXPECT_EQ(0, catalogue->OpenCatalogueFile(name));
    return catalogue;
  }

  static std::string ContextOf(const ErrorList& list, int code) {
    unsigned position = list.FindError(code);
    int found = 0;
    const char* text = nullptr;
    if (list.GetErrorAt(position, found, text) == 0 || text == nullptr) return "";
    return text;
  }

  test::TempDirectory dir;
  DefaultDirectory directory;
  LoadedFileTable files;
};

TEST_F(CatalogueTest, NamesResolveInTheDefaultDirectoryUpperCased) {
  dir.Write("errors.msg", "1: one\r\n");
  auto catalogue = Open("errors");
  EXPECT_EQ(platform::UpperCase(dir.WithSeparator() + "ERRORS.MSG"), catalogue->FileName());
  EXPECT_STREQ("one", catalogue->GetCatalogueMessage(1));

  // A directory without a drive is replaced, not extended.
  dir.Write("sub/x.msg", "1: in sub\r\n");
  dir.Write("x.msg", "1: in default\r\n");
  EXPECT_STREQ("in default", Open("sub\\x.msg")->GetCatalogueMessage(1));
  EXPECT_STREQ("in default", Open("\\x.msg")->GetCatalogueMessage(1));

  // An extension of its own is kept.
  dir.Write("Data.txt", "1: text file\r\n");
  EXPECT_STREQ("text file", Open("Data.txt")->GetCatalogueMessage(1));
}

TEST_F(CatalogueTest, RootedNamesKeepTheirDirectory) {
  test::TempDirectory other;
  other.Write("texts.msg", "1: elsewhere\r\n");
  // A drive on Windows, a leading slash on POSIX.
  std::string full = other.WithSeparator() + "texts.msg";
  auto catalogue = Open(full.c_str());
  EXPECT_STREQ("elsewhere", catalogue->GetCatalogueMessage(1));
  EXPECT_EQ(platform::UpperCase(full), catalogue->FileName());
}

TEST_F(CatalogueTest, NetworkNamesKeepTheirDirectory) {
  if (!platform::SlashRootsPath()) GTEST_SKIP() << "would ask the network for the server";
  auto catalogue = TryOpen("\\\\server\\share\\x");
  EXPECT_EQ("\\\\SERVER\\SHARE\\X.MSG", ContextOf(*catalogue, 0x127));
}

TEST_F(CatalogueTest, FailedOpensRecordWhyAndLeaveNoTrace) {
  auto missing = TryOpen("none");
  EXPECT_EQ(platform::UpperCase(dir.WithSeparator() + "NONE.MSG"), ContextOf(*missing, 0x127));
  EXPECT_EQ(1, missing->HasError(0x140));
  EXPECT_EQ(2u, missing->GetErrorCount());

  auto noFilePart = TryOpen("sub\\");
  EXPECT_EQ("sub\\", ContextOf(*noFilePart, 0x123));
  EXPECT_EQ(1, noFilePart->HasError(0x140));

  // A directory passes the existence test but cannot be read.
  dir.Write("folder.msg/inside", "");
  auto folder = TryOpen("folder.msg");
  EXPECT_EQ(1, folder->HasError(0x120));

  std::string longName(platform::MaxPathLength(), 'n');
  auto tooLong = TryOpen(longName.c_str());
  EXPECT_EQ(1, tooLong->HasError(0x123));

  EXPECT_EQ(0, TryOpen(nullptr)->GetErrorCount());
  EXPECT_EQ(0, TryOpen("")->GetErrorCount());
  EXPECT_EQ(0u, files.Count());
  EXPECT_THROW(Open("none"), MessageCatalogue::OpenFailure);
}

TEST_F(CatalogueTest, WithoutDefaultDirectoryOnlyRootedNamesOpen) {
  DefaultDirectory unset;
  MessageCatalogue catalogue(files, unset);
  EXPECT_EQ(0, catalogue.OpenCatalogueFile("errors"));
  EXPECT_EQ("errors", ContextOf(catalogue, 0x127));
  EXPECT_EQ(1, catalogue.HasError(0x140));

  std::string full = dir.Write("x.msg", "1: a\r\n");
  MessageCatalogue rooted(files, unset);
  EXPECT_EQ(1, rooted.OpenCatalogueFile(full.c_str()));
}

TEST_F(CatalogueTest, CataloguesOnOneFileShareItsParse) {
  dir.Write("x.msg", "[Alpha]\r\n1: a1\r\n[Beta]\r\n1: b1\r\n");
  auto first = Open("x", "alpha");
  auto second = Open("X.MSG", "BETA");
  EXPECT_EQ(first->FileData(), second->FileData());
  EXPECT_EQ(2, first->FileData()->shareCount);
  EXPECT_EQ(1u, files.Count());
  EXPECT_STREQ("a1", first->GetCatalogueMessage(1));
  EXPECT_STREQ("b1", second->GetCatalogueMessage(1));

  const char* kept = second->GetCatalogueMessage(1);
  first.reset();
  EXPECT_STREQ("b1", kept);
  EXPECT_EQ(1u, files.Count());
  second.reset();
  EXPECT_EQ(0u, files.Count());

  // Read again once nobody holds it.
  dir.Write("x.msg", "[Alpha]\r\n1: changed\r\n");
  EXPECT_STREQ("changed", Open("x")->GetCatalogueMessage(1));
}

// A program that parses a file itself opens the catalogue on that parse: a
// file written over in between is not read again, and the last holder
// takes the parse out of the table.
TEST_F(CatalogueTest, ParsedFilesOpenOnWhatTheCallerRead) {
  dir.Write("x.msg", "[Alpha]\r\n1: as read\r\n");
  auto* data = new MessageFileData();  // freed by its last holder
  std::string text = "[Alpha]\r\n1: as read\r\n";
  char* buffer = new char[text.size() + 1];
  text.copy(buffer, text.size());
  buffer[text.size()] = '\0';
  char* end = buffer + text.size();
  ASSERT_EQ(1, data->ParseMessageFile(buffer, end));
  files.Enter("the key", data);
  dir.Write("x.msg", "[Beta]\r\n1: written later\r\n");

  auto catalogue = std::make_unique<MessageCatalogue>(files, directory);
  ASSERT_EQ(1, catalogue->OpenParsedFile("x", *data, "the key"));
  EXPECT_EQ(platform::UpperCase(dir.WithSeparator() + "X.MSG"), catalogue->FileName());
  EXPECT_EQ(2, data->shareCount);
  ASSERT_EQ(1, catalogue->SelectSection("alpha"));
  EXPECT_STREQ("as read", catalogue->GetCatalogueMessage(1));

  --data->shareCount;  // the caller gives up its share
  catalogue.reset();
  EXPECT_EQ(nullptr, files.Find("the key"));

  // A name that no longer resolves opens nothing.
  auto other = std::make_unique<MessageFileData>();
  auto missing = std::make_unique<MessageCatalogue>(files, directory);
  EXPECT_EQ(0, missing->OpenParsedFile("gone", *other, "another key"));
  EXPECT_EQ(1, other->shareCount);
}

// Loaded files are told apart by what they are, not by their upper-cased
// names: where the file system keeps a.msg and A.msg apart, so does the
// table, and two names of one file still share its parse.
TEST_F(CatalogueTest, FilesWhoseNamesDifferInCaseAreNotShared) {
  dir.Write("a.msg", "1: lower\r\n");
  dir.Write("A.msg", "1: capital\r\n");
  if (!std::filesystem::exists(dir.Path() / "a.msg") ||
      std::filesystem::file_size(dir.Path() / "a.msg") != 10) {
    GTEST_SKIP() << "the file system ignores case";
  }
  auto capital = Open("A.msg");
  auto lower = Open("a.msg");
  EXPECT_STREQ("capital", capital->GetCatalogueMessage(1));
  EXPECT_STREQ("lower", lower->GetCatalogueMessage(1));
  EXPECT_EQ(2u, files.Count());
  EXPECT_EQ(capital->FileName(), lower->FileName());  // both upper-cased
  // Without an extension, the one the name spells; a spelling of neither
  // takes the closest, loaded already.
  EXPECT_STREQ("lower", Open("a")->GetCatalogueMessage(1));
  EXPECT_STREQ("capital", Open("A")->GetCatalogueMessage(1));
  auto other = Open("A.MSG");
  EXPECT_STREQ("capital", other->GetCatalogueMessage(1));
  EXPECT_EQ(2u, files.Count());

  std::filesystem::create_symlink(dir.Path() / "a.msg", dir.Path() / "link.msg");
  auto link = Open("link.msg");
  EXPECT_EQ(lower->FileData(), link->FileData());
  capital.reset();
  other.reset();
  lower.reset();
  EXPECT_STREQ("lower", link->GetCatalogueMessage(1));
  link.reset();
  EXPECT_EQ(0u, files.Count());
}

TEST_F(CatalogueTest, MissingSectionFailsTheOpenAndUnloadsTheFile) {
  dir.Write("x.msg", "[Alpha]\r\n1: a1\r\n");
  EXPECT_THROW(Open("x", "Other"), MessageCatalogue::OpenFailure);
  EXPECT_EQ(0u, files.Count());
  auto held = Open("x");
  EXPECT_THROW(Open("x", "Other"), MessageCatalogue::OpenFailure);
  EXPECT_EQ(1, held->FileData()->shareCount);
}

TEST_F(CatalogueTest, SectionSelection) {
  dir.Write("x.msg", "[Errors]\r\n1: e1\r\n[Other]\r\n1: o1\r\n");
  auto catalogue = Open("x");
  EXPECT_STREQ("e1", catalogue->GetCatalogueMessage(1));
  EXPECT_EQ(1, catalogue->SelectSection("other"));
  EXPECT_STREQ("o1", catalogue->GetCatalogueMessage(1));

  // Blanks around a name: only the emptiness test and the error trim them.
  EXPECT_EQ(0, catalogue->SelectSection("  errors "));
  EXPECT_EQ("ERRORS", ContextOf(*catalogue, 0x142));
  EXPECT_EQ(nullptr, catalogue->CurrentSection());
  // Nothing is current: lookups find nothing.
  EXPECT_EQ(nullptr, catalogue->GetCatalogueMessage(1));

  EXPECT_EQ(1, catalogue->SelectSection(" \t"));
  EXPECT_STREQ("e1", catalogue->GetCatalogueMessage(1));
  EXPECT_EQ(1, catalogue->SelectSection("Other"));
  EXPECT_EQ(1, catalogue->SelectSection(nullptr));
  EXPECT_STREQ("e1", catalogue->GetCatalogueMessage(1));
  EXPECT_EQ("OTHER", catalogue->SectionName());
}

TEST_F(CatalogueTest, EmptyFileOpensWithoutSections) {
  dir.Write("empty.msg", "");
  auto catalogue = Open("empty");
  EXPECT_EQ(nullptr, catalogue->CurrentSection());
  EXPECT_EQ(nullptr, catalogue->GetCatalogueMessage(0));
  EXPECT_EQ(0, catalogue->SelectSection("A"));
  EXPECT_EQ(1, catalogue->HasError(0x142));
  EXPECT_THROW(Open("empty", "A"), MessageCatalogue::OpenFailure);
}

TEST_F(CatalogueTest, MissingNumbersAreRecordedOncePerSection) {
  dir.Write("x.msg", "[Alpha]\r\n1: a1\r\n");
  auto catalogue = Open("x");
  EXPECT_EQ(nullptr, catalogue->GetCatalogueMessage(0x100));
  EXPECT_EQ("256", ContextOf(*catalogue, 0x141));
  EXPECT_EQ(nullptr, catalogue->GetCatalogueMessage(0xFFFFFFFF));
  EXPECT_EQ("256", ContextOf(*catalogue, 0x141));
  EXPECT_EQ(1u, catalogue->GetErrorCount());
}

}  // namespace
}  // namespace tralvex
