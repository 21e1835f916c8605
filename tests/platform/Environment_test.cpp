#include "platform/Environment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace tralvex::platform {
namespace {

// What the C library's getenv reads is what a library called in the same
// process sees.
TEST(SetEnvironmentValue, SetsReplacesAndRemovesWhatGetenvReads) {
  const char* name = "TRALVEX_ENVIRONMENT_TEST";
  ASSERT_TRUE(SetEnvironmentValue(name, "1"));
  ASSERT_NE(nullptr, std::getenv(name));
  EXPECT_EQ(std::string("1"), std::getenv(name));
  ASSERT_TRUE(SetEnvironmentValue(name, "two words"));
  EXPECT_EQ(std::string("two words"), std::getenv(name));
  ASSERT_TRUE(SetEnvironmentValue(name, nullptr));
  EXPECT_EQ(nullptr, std::getenv(name));
  EXPECT_TRUE(SetEnvironmentValue(name, nullptr));  // removing what is not there
  EXPECT_FALSE(SetEnvironmentValue("A=B", "1"));
}

}  // namespace
}  // namespace tralvex::platform
