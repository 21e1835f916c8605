#include "errors/ErrorBoxes.h"

#include <gtest/gtest.h>

#include <string>

#include "support/FakeMessageServices.h"
#include "tralvex/ErrorList.h"

namespace {

using tralvex::SelectBuiltInTexts;
using tralvex::ShowErrorBox;
using tralvex::ShowErrorListBox;
using tralvex::ShowErrors;
using tralvex::ShowMemoryFailureBox;
using tralvex::ShowOneError;
using tralvex::testing::FakeMessageServices;

class ErrorBoxesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s.catalogues[0][0x0127] = "File not found";
    s.catalogues[0][0x0000] = "No error";
    s.catalogues[7][0x0127] = "Soubor nenalezen";
  }
  FakeMessageServices s;
};

TEST_F(ErrorBoxesTest, OneErrorInEachLanguage) {
  EXPECT_EQ(ShowOneError(s, "Opening", 0x127, "a.msg", 0x30, 0), 1);
  EXPECT_EQ(s.LastBox().text, "ACTION\t:  Opening\n\n0127\t:  File not found (a.msg)");
  EXPECT_EQ(s.LastBox().caption, "QelError");
  EXPECT_EQ(s.LastBox().style, 0x30u);

  s.texts = SelectBuiltInTexts(0x0407, 1252);
  ShowOneError(s, "Laden", 0x999, nullptr, 0, 0);
  EXPECT_EQ(s.LastBox().text, "AKTION\t:  Laden\n\n0999\t:  Nichtspezifizierter Fehler");

  s.texts = SelectBuiltInTexts(0x0405, 1250);
  ShowOneError(s,
               "Otev\xF8"
               "en\xED",
               0x127, "", 0, 7);
  EXPECT_EQ(s.LastBox().text,
            "AKCE\t:  Otev\xF8"
            "en\xED\n\n0127\t:  Soubor nenalezen");
}

TEST_F(ErrorBoxesTest, MissingTextsGiveTheWholeUnspecifiedText) {
  // The failed lookup leaves the short placeholder in the buffer; the
  // unspecified text must not be cut to its length.
  s.texts = SelectBuiltInTexts(0x0407, 1252);
  ShowOneError(s, "x", 0x1, nullptr, 0, 0);
  EXPECT_NE(s.LastBox().text.find("0001\t:  Nichtspezifizierter Fehler"), std::string::npos);
  // An error catalogue that cannot be opened, and an unknown handle.
  s.catalogues.clear();
  ShowOneError(s, "x", 0x127, nullptr, 0, 0);
  EXPECT_NE(s.LastBox().text.find("0127\t:  Nichtspezifizierter Fehler"), std::string::npos);
  ShowOneError(s, "x", 0x127, nullptr, 0, 99);
  EXPECT_NE(s.LastBox().text.find("0127\t:  Nichtspezifizierter Fehler"), std::string::npos);
}

TEST_F(ErrorBoxesTest, LongContextsStartAnIndentedLine) {
  s.catalogues[0][0x10] = "eleven char";  // 11 characters
  s.catalogues[0][0x11] = "ten chars!";   // 10 characters
  ShowOneError(s, "a", 0x10, "twenty-one characters", 0, 0);
  EXPECT_EQ(s.LastBox().text, "ACTION\t:  a\n\n0010\t:  eleven char\n\t   (twenty-one characters)");
  ShowOneError(s, "a", 0x10, "twenty characters!!!", 0, 0);
  EXPECT_EQ(s.LastBox().text, "ACTION\t:  a\n\n0010\t:  eleven char (twenty characters!!!)");
  ShowOneError(s, "a", 0x11, "twenty-one characters", 0, 0);
  EXPECT_EQ(s.LastBox().text, "ACTION\t:  a\n\n0011\t:  ten chars! (twenty-one characters)");
}

TEST_F(ErrorBoxesTest, ErrorTextsAreCutTo119Characters) {
  s.catalogues[0][0x20] = std::string(200, 'e');
  ShowOneError(s, nullptr, 0x20, nullptr, 0, 0);
  EXPECT_EQ(s.LastBox().text, "ACTION\t:  \n\n0020\t:  " + std::string(119, 'e'));
}

TEST_F(ErrorBoxesTest, SeveralErrorsAndNoErrors) {
  const int codes[] = {0x127, 0, 0x1234};
  const char* contexts[] = {"one", nullptr, "three"};
  ShowErrors(s, "act", codes, contexts, 3, 0x10, 7);
  EXPECT_EQ(s.LastBox().text,
            "ACTION\t:  act\n\n0127\t:  Soubor nenalezen (one)\n0000\t:  Unknown error"
            "\n1234\t:  Unknown error (three)");
  // No errors: message 0 of the error catalogue, whatever the handle.
  ShowErrors(s, "act", codes, contexts, 0, 0, 7);
  EXPECT_EQ(s.LastBox().text, "ACTION\t:  act\n\n0000\t:  No error");
  // Null arrays: no codes counts as no errors, no contexts as no context texts.
  ShowErrors(s, "act", nullptr, contexts, 5, 0, 0);
  EXPECT_EQ(s.LastBox().text, "ACTION\t:  act\n\n0000\t:  No error");
  ShowErrors(s, "act", codes, nullptr, 1, 0, 0);
  EXPECT_EQ(s.LastBox().text, "ACTION\t:  act\n\n0127\t:  File not found");
}

TEST_F(ErrorBoxesTest, ErrorListsWithoutTheLongContextRule) {
  ErrorList list;
  ShowErrorListBox(s, list, "loading", 0x12030, 0);
  EXPECT_EQ(s.LastBox().text, "ACTION\t:  loading\n\n0000\t:  No error");
  s.catalogues[0][0x152] = "Cannot load the library";
  list.AddError(0x152, "a/very/long/path/to/some/library.so");
  list.AddError(0x127, nullptr);
  ShowErrorListBox(s, list, "loading", 0x12030, 0);
  EXPECT_EQ(s.LastBox().text,
            "ACTION\t:  loading\n\n0152\t:  Cannot load the library "
            "(a/very/long/path/to/some/library.so)\n0127\t:  File not found");
  EXPECT_EQ(s.LastBox().style, 0x12030u);
}

TEST_F(ErrorBoxesTest, CaptionsAndTheMemoryFailureBox) {
  s.boxResult = 6;
  EXPECT_EQ(ShowErrorBox(s, "t", 4, nullptr), 6);
  EXPECT_EQ(s.LastBox().caption, "QelError");
  s.texts = SelectBuiltInTexts(0x0407, 1252);
  ShowErrorBox(s, "t", 4, "App");
  EXPECT_EQ(s.LastBox().caption, "App - [Fehler]");
  s.texts = SelectBuiltInTexts(0x0405, 1250);
  EXPECT_EQ(ShowMemoryFailureBox(s), 6);
  EXPECT_EQ(s.LastBox().text, s.texts.memoryFailure);
  EXPECT_EQ(s.LastBox().caption, "QelError");
  EXPECT_EQ(s.LastBox().style, 0x12030u);
}

}  // namespace
