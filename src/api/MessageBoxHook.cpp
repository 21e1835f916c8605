#include "api/MessageBoxHook.h"

#include "api/Module.h"
#include "platform/Ui.h"
#include "tralvex/tralvex.h"

namespace tralvex {

int ShowMessageBox(const char* text, const char* caption, unsigned int style) {
  Msg_MessageBoxProc hook = TheModule().messageBoxHook;
  if (hook != nullptr) return hook(text, caption, style);
  return platform::MessageBox(text, caption, style);
}

}  // namespace tralvex

TRALVEX_API Msg_MessageBoxProc TRALVEX_CALL Msg_SetMessageBoxHook(Msg_MessageBoxProc hook) {
  Msg_MessageBoxProc previous = tralvex::TheModule().messageBoxHook;
  tralvex::TheModule().messageBoxHook = hook;
  return previous;
}
