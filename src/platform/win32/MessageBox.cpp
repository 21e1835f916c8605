#include <windows.h>
// The system's header renames MessageBox to MessageBoxA; ours keeps its name.
#undef MessageBox

#include "platform/Ui.h"

namespace tralvex::platform {

int MessageBox(const char* text, const char* caption, unsigned int style) {
  return ::MessageBoxA(nullptr, text, caption, style);
}

}  // namespace tralvex::platform
