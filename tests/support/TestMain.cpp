#include <gtest/gtest.h>

#include "platform/Modules.h"

// Unit tests link the library's objects statically, so the module-wide state
// is brought up and torn down here as the shared library's load and unload
// would.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  tralvex::OnModuleLoad();
  int result = RUN_ALL_TESTS();
  tralvex::OnModuleUnload();
  return result;
}
