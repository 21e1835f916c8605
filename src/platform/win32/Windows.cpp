// Window captions and dialog items over the Windows calls.
#include <windows.h>
// The ANSI names are called explicitly; the generic macros would rename ours.
#undef SetWindowText
#undef SetDlgItemText

#include "platform/Ui.h"

namespace tralvex::platform {

bool IsWindow(void* window) { return ::IsWindow(static_cast<HWND>(window)) != FALSE; }

bool SetWindowText(void* window, const char* text) {
  return ::SetWindowTextA(static_cast<HWND>(window), text) != FALSE;
}

bool SetDlgItemText(void* dialog, int itemId, const char* text) {
  return ::SetDlgItemTextA(static_cast<HWND>(dialog), itemId, text) != FALSE;
}

}  // namespace tralvex::platform
