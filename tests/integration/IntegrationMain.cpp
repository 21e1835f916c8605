#include <gtest/gtest.h>

// The integration tests use the shared library as a client does: nothing of
// the library is linked in, so no module state is brought up here.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
