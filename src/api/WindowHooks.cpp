#include "api/WindowHooks.h"

#include "api/Module.h"
#include "platform/Ui.h"

namespace tralvex {

bool IsWindowHandle(const WindowHooks& hooks, void* window) {
  if (hooks.hooks.isWindow != nullptr) return hooks.hooks.isWindow(window) != 0;
  return platform::IsWindow(window);
}

bool SetWindowCaption(const WindowHooks& hooks, void* window, const char* text) {
  if (hooks.hooks.setWindowText != nullptr) return hooks.hooks.setWindowText(window, text) != 0;
  return platform::SetWindowText(window, text);
}

bool SetDialogItemText(const WindowHooks& hooks, void* dialog, int itemId, const char* text) {
  if (hooks.hooks.setDlgItemText != nullptr) {
    return hooks.hooks.setDlgItemText(dialog, itemId, text) != 0;
  }
  return platform::SetDlgItemText(dialog, itemId, text);
}

}  // namespace tralvex

TRALVEX_API void TRALVEX_CALL Msg_SetWindowHooks(const Msg_WindowHooks* hooks) {
  tralvex::WindowHooks& stored = tralvex::TheModule().windowHooks;
  stored.hooks = hooks != nullptr ? *hooks : Msg_WindowHooks{nullptr, nullptr, nullptr};
}
