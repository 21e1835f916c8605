// Another library's errors through the export, with the libraries built
// beside the tests: names differ per system (FamilyLibrary.so or .dll), so
// the build passes them in.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "api/Module.h"
#include "support/BoxCapture.h"
#include "tralvex/tralvex.h"

namespace {

using Box = tralvex::test::CapturedBox;
std::vector<Box>& boxes = tralvex::test::CapturedBoxes();
constexpr Msg_MessageBoxProc Capture = tralvex::test::CaptureBox<2>;

// The error line as the boxes of the handle family write it.
std::string Line(const char* code, int number) {
  const char* unknown = tralvex::TheModule().texts.unspecifiedError;
  return std::string("\n") + code + "\t:  " + Msg_GetPtr2QelError(number, unknown);
}

class LibraryErrorExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = Msg_SetMessageBoxHook(Capture);
    label_ = tralvex::TheModule().texts.actionLabel;
  }
  void TearDown() override { Msg_SetMessageBoxHook(previous_); }
  Msg_MessageBoxProc previous_ = nullptr;
  std::string label_;
};

TEST_F(LibraryErrorExportTest, TheFamilyLibrarysErrors) {
  EXPECT_EQ(Msg_DisplayLibErrors("Loading", TRALVEX_FAMILY_LIBRARY, 0, 0x30, 0), 2);
  const Box box = boxes.back();
  EXPECT_EQ(box.caption, "QelError");
  EXPECT_EQ(box.style, 0x30u);
  EXPECT_EQ(box.text.substr(0, label_.size() + 8), label_ + "Loading\n");
  EXPECT_NE(box.text.find(Line("0127", 0x127) + " (first.msg)"), std::string::npos);
  EXPECT_NE(box.text.find(Line("0120", 0x120) + "\n0108"), std::string::npos);
  EXPECT_NE(box.text.find("(a context text longer than twenty)"), std::string::npos);
  // Found in the cache the second time, with the same result.
  EXPECT_EQ(Msg_DisplayLibErrors("Loading", TRALVEX_FAMILY_LIBRARY, 0, 0x30, 0), 2);
  EXPECT_EQ(boxes.back().text, box.text);
}

TEST_F(LibraryErrorExportTest, AFailingExportAndTooManyErrors) {
  Msg_DisplayLibErrors("act", TRALVEX_FAMILY_LIBRARY, 1, 0x30, 0);
  EXPECT_EQ(boxes.back().text,
            label_ + "act\n" + Line("0154", 0x154) + " (" + TRALVEX_FAMILY_LIBRARY + ")");
  EXPECT_EQ(boxes.back().style, 0x12030u);
  Msg_DisplayLibErrors("act", TRALVEX_FAMILY_LIBRARY, 2, 0, 0);
  EXPECT_NE(boxes.back().text.find("\n0209\t:  "), std::string::npos);
  EXPECT_EQ(boxes.back().text.find("\n020A\t:  "), std::string::npos);
  Msg_DisplayLibErrors("act", TRALVEX_FAMILY_LIBRARY, 3, 0, 0);
  EXPECT_EQ(boxes.back().text, label_ + "act\n" + Line("0000", 0));
}

TEST_F(LibraryErrorExportTest, LibrariesThatCannotServe) {
  EXPECT_EQ(Msg_DisplayLibErrors("act", TRALVEX_PLAIN_LIBRARY, 0, 0, 0), -1);
  EXPECT_EQ(boxes.back().text, label_ + "act\n" + Line("0150", 0x150) + " (Qel_GetAllErrors)");
  EXPECT_EQ(boxes.back().style, 0x12030u);
  // The export of a library it depends on is not its own.
  EXPECT_EQ(Msg_DisplayLibErrors("act", TRALVEX_DEPENDENT_LIBRARY, 0, 0, 0), -1);
  EXPECT_EQ(boxes.back().text, label_ + "act\n" + Line("0150", 0x150) + " (Qel_GetAllErrors)");
  EXPECT_EQ(Msg_DisplayLibErrors("act", "NoSuchLibrary.lib", 0, 0, 0), -1);
  EXPECT_NE(boxes.back().text.find(Line("0152", 0x152) + " ("), std::string::npos);
  EXPECT_NE(boxes.back().text.find("NoSuchLibrary.lib)"), std::string::npos);
  // A name that does not fit the procedure key is refused without loading.
  std::string tooLong(31, 'x');
  EXPECT_EQ(Msg_DisplayLibErrors("act", tooLong.c_str(), 0, 0, 0), -1);
  EXPECT_EQ(boxes.back().text, label_ + "act\n" + Line("0152", 0x152) + " (" + tooLong + ")");
  EXPECT_EQ(Msg_DisplayLibErrors("act", nullptr, 0, 0, 0), -1);
}

}  // namespace
