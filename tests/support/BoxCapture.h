// Message boxes caught through the library's hook instead of being shown, so
// tests can read their exact text, caption and style.
#ifndef TRALVEX_TESTS_SUPPORT_BOXCAPTURE_H
#define TRALVEX_TESTS_SUPPORT_BOXCAPTURE_H

#include <string>
#include <vector>

#include "tralvex/tralvex.h"

namespace tralvex::test {

struct CapturedBox {
  std::string text, caption;
  unsigned style;
};

// Every box caught so far in this program, oldest first.
inline std::vector<CapturedBox>& CapturedBoxes() {
  static std::vector<CapturedBox> boxes;
  return boxes;
}

// A hook that records the box and answers as if the user chose Button.
template <int Button>
int TRALVEX_CALL CaptureBox(const char* text, const char* caption, unsigned int style) {
  CapturedBoxes().push_back({text, caption, style});
  return Button;
}

}  // namespace tralvex::test

#endif
