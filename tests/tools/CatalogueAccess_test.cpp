#include "CatalogueAccess.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "PreloadedFile.h"
#include "api/Module.h"
#include "support/TempDirectory.h"

namespace tralvex::tool {
namespace {

class MessageSourceTest : public ::testing::Test {
 protected:
  int Open(MessageSource& source, const std::string& file, const std::string& section) {
    Options options;
    std::string reason;
    int status = source.Open(file, section, false, options, reason);
    reason_ = reason;
    return status;
  }
  test::TempDirectory directory_;
  std::string reason_;
};

// The tool's own read of the file is the one parse the library's catalogues
// use: the loaded-file table holds it once, and it goes with the last user.
TEST_F(MessageSourceTest, SharesOneParseWithTheLibrary) {
  std::string file = directory_.Write("Texts.msg", "[One]\r\n1: one\r\n[Two]\r\n1: two\r\n");
  LoadedFileTable& files = TheModule().loadedFiles;
  ASSERT_EQ(files.Count(), 0u);
  {
    MessageSource first, second;
    ASSERT_EQ(Open(first, file, ""), kExitOk) << reason_;
    EXPECT_EQ(files.Count(), 1u);
    ASSERT_EQ(Open(second, directory_.Path().string() + "/texts", " two "), kExitFindings);
    ASSERT_EQ(Open(second, directory_.Path().string() + "/texts", "two"), kExitOk) << reason_;
    EXPECT_EQ(files.Count(), 1u);
    bool missing = true;
    EXPECT_STREQ(first.Message(1, missing), "one");
    EXPECT_STREQ(second.Message(1, missing), "two");
    EXPECT_EQ(second.FileNote(), directory_.Path().string() + "/texts is read as " + file);
  }
  EXPECT_EQ(files.Count(), 0u);
}

// A read tried again may find its own earlier parse under the same key (a
// replaced file's inode used again): sharing it must not free it.
TEST(PreloadedFile, SharingWhatItHoldsKeepsIt) {
  LoadedFileTable& files = TheModule().loadedFiles;
  {
    PreloadedFile file;
    file.Hold("KEY", std::make_unique<MessageFileData>());
    const MessageFileData* held = file.Data();
    ASSERT_TRUE(file.Share("KEY"));
    EXPECT_EQ(file.Data(), held);
    EXPECT_EQ(held->shareCount, 1);
    EXPECT_EQ(files.Count(), 1u);
  }
  EXPECT_EQ(files.Count(), 0u);
}

TEST_F(MessageSourceTest, ABlankSectionIsTheDefaultOne) {
  std::string file = directory_.Write("Texts.msg", "[One]\r\n1: one\r\n[Two]\r\n1: two\r\n");
  MessageSource source;
  ASSERT_EQ(Open(source, file, " \t"), kExitOk) << reason_;
  EXPECT_EQ(source.Description(), "section ONE of " + file);
}

TEST_F(MessageSourceTest, GivesTheLibrarysReasons) {
  MessageSource source;
  EXPECT_EQ(Open(source, directory_.Path().string() + "/gone.msg", ""), kExitFailure);
  EXPECT_NE(reason_.find("no such file (error 0127: The file was not found ["), std::string::npos)
      << reason_;
  EXPECT_NE(reason_.find("error 0140: The message file name cannot be used"), std::string::npos);
  std::string broken = directory_.Write("Broken.msg", "[Main]\r\nAlias: Gone\r\n");
  EXPECT_EQ(Open(source, broken, ""), kExitFindings);
  EXPECT_EQ(reason_,
            "the library would not open it: error 0143: The alias of the message section cannot "
            "be resolved [MAIN]");
  EXPECT_EQ(TheModule().loadedFiles.Count(), 0u);
}

}  // namespace
}  // namespace tralvex::tool
