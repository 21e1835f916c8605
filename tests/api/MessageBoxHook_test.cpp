#include "api/MessageBoxHook.h"

#include <gtest/gtest.h>

#include <string>

#include "tralvex/tralvex.h"

namespace {

std::string seenText, seenCaption;
unsigned seenStyle = 0;

int TRALVEX_CALL Capture(const char* text, const char* caption, unsigned int style) {
  seenText = text;
  seenCaption = caption;
  seenStyle = style;
  return 42;
}

int TRALVEX_CALL Other(const char*, const char*, unsigned int) { return 7; }

TEST(MessageBoxHook, EveryBoxGoesThroughTheHookAndNullRestores) {
  Msg_MessageBoxProc before = Msg_SetMessageBoxHook(Capture);
  EXPECT_EQ(tralvex::ShowMessageBox("text", "caption", 0x24), 42);
  EXPECT_EQ(seenText, "text");
  EXPECT_EQ(seenCaption, "caption");
  EXPECT_EQ(seenStyle, 0x24u);
  EXPECT_EQ(Msg_SetMessageBoxHook(Other), Capture);
  EXPECT_EQ(tralvex::ShowMessageBox("t", "c", 0), 7);
  EXPECT_EQ(Msg_SetMessageBoxHook(nullptr), Other);
  EXPECT_EQ(Msg_SetMessageBoxHook(before), nullptr);
}

}  // namespace
