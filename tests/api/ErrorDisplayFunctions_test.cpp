#include "api/ErrorDisplayFunctions.h"

#include <gtest/gtest.h>

#include <string>

#include "support/FakeMessageServices.h"
#include "tralvex/ErrorList.h"

namespace {

using namespace tralvex;
using tralvex::testing::FakeMessageServices;

class ErrorDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s.catalogues[0][0x108] = "Out of memory";
    s.catalogues[0][0x50] = "Reading\\tfile";
    s.catalogues[4][0x60] = "Writing\\nnow";
    s.contextMessages[0x108] = "Out of memory";
    s.contextMessages[0x500] = "Saving %s";
    s.contextCaption = "MyApp";
  }
  Mes_Context* Dead() { return reinterpret_cast<Mes_Context*>(&s); }
  FakeMessageServices s;
};

TEST_F(ErrorDisplayTest, ActionsFromCatalogues) {
  ShowErrorByMessage(s, 0, 0x50, 0x108, nullptr, 0, 0);
  EXPECT_EQ(s.LastBox().text, "ACTION\t:  Reading\tfile\n\n0108\t:  Out of memory");
  // A missing action keeps its own placeholder although the error lookup
  // makes another one.
  ShowErrorByMessage(s, 0, 0x77, 0x999, nullptr, 0, 0);
  EXPECT_EQ(s.LastBox().text, "ACTION\t:  MSG(00077)\n\n0999\t:  Unknown error");
  ShowErrorsByMessage(s, 4, 0x60, nullptr, nullptr, 0, 0, 0);
  EXPECT_EQ(s.LastBox().text, "ACTION\t:  Writing\nnow\n\n0000\t:  Unknown error");
  // Handle 0 is no registered catalogue here.
  ShowErrorsByMessage(s, 0, 0x50, nullptr, nullptr, 0, 0, 0);
  EXPECT_EQ(s.LastBox().text, "ACTION\t:  (0050)\n\n0000\t:  Unknown error");
}

TEST_F(ErrorDisplayTest, OneContextErrorWithAndWithoutAction) {
  MessageArgs record{nullptr, "doc.txt", 1};
  ShowContextError(s, s.liveContext, 0x500, &record, 0x108, "disk", 0x10);
  EXPECT_EQ(s.LastBox().text, "ACTION\t:  Saving doc.txt\n\n# 0108\t:  Out of memory (disk)");
  EXPECT_EQ(s.LastBox().caption, "MyApp - [Error]");
  s.texts = SelectBuiltInTexts(0x0407, 1252);
  ShowContextError(s, s.liveContext, 0, nullptr, 0x108, nullptr, 0);
  EXPECT_EQ(s.LastBox().text, "Out of memory");
  EXPECT_EQ(s.LastBox().caption, "MyApp - [Fehler 0108]");
  s.texts = SelectBuiltInTexts(0x0405, 1250);
  ShowContextError(s, s.liveContext, 0, nullptr, 0x109, nullptr, 0);
  EXPECT_EQ(s.LastBox().text, "Nespecifikovan\xE1 chyba");
  EXPECT_EQ(s.LastBox().caption, "MyApp - [Chyba 0109]");
}

TEST_F(ErrorDisplayTest, AContextThatIsNotLiveShowsThePlaceholder) {
  ShowContextError(s, Dead(), 0x500, nullptr, 0x108, nullptr, 0);
  EXPECT_EQ(s.LastBox().text, "ACTION\t:  MSG(00500)\n\n# 0108\t:  MSG(00108)");
  EXPECT_EQ(s.LastBox().caption, "QelError");
  ShowContextError(s, nullptr, 0, nullptr, 0x108, nullptr, 0);
  EXPECT_EQ(s.LastBox().caption, "QelError - [Error 0108]");
  ShowContextErrors(s, Dead(), 0, nullptr, nullptr, nullptr, 0, 0);
  EXPECT_EQ(s.LastBox().text, "# 0000\t:  Unknown error");
}

TEST_F(ErrorDisplayTest, SeveralContextErrors) {
  const int codes[] = {0x108, 0, 0x200};
  const char* contexts[] = {"a context text of 30 characters", "skipped", nullptr};
  ShowContextErrors(s, s.liveContext, 0, nullptr, codes, contexts, 3, 0);
  EXPECT_EQ(s.LastBox().text,
            "# 0108\t:  Out of memory\n\t   (a context text of 30 characters)\n"
            "# 0200\t:  Unknown error\n");
  EXPECT_EQ(s.LastBox().caption, "MyApp - [Error]");
  ShowContextErrors(s, s.liveContext, 0, nullptr, codes, nullptr, 1, 0);
  EXPECT_EQ(s.LastBox().text, "# 0108\t:  Out of memory\n");
}

TEST_F(ErrorDisplayTest, ErrorListsShowTheTenOldest) {
  ErrorList list;
  for (int code = 1; code <= 12; ++code) list.AddError(code, nullptr);
  ShowContextErrorList(s, s.liveContext, 0, nullptr, &list, 0);
  const std::string& text = s.LastBox().text;
  EXPECT_NE(text.find("# 000A"), std::string::npos);
  EXPECT_EQ(text.find("# 000B"), std::string::npos);
  ErrorList empty;
  ShowContextErrorList(s, s.liveContext, 0, nullptr, &empty, 0);
  EXPECT_EQ(s.LastBox().text, "# 0000\t:  Unknown error");
  ShowContextErrorList(s, s.liveContext, 0, nullptr, nullptr, 0);
  EXPECT_EQ(s.LastBox().text, "Unknown error");
  EXPECT_EQ(s.LastBox().caption, "MyApp - [Error 0000]");
}

TEST_F(ErrorDisplayTest, TheActionMessageIsCutTo1022Characters) {
  s.contextMessages[0x501] = std::string(2000, 'a');
  ShowContextError(s, s.liveContext, 0x501, nullptr, 0x108, nullptr, 0);
  EXPECT_EQ(s.LastBox().text,
            "ACTION\t:  " + std::string(1022, 'a') + "\n\n# 0108\t:  Out of memory");
}

}  // namespace
