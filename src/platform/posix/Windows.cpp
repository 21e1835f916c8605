// POSIX has no native windows: no handle is one, and the setters fail.
// Applications with a toolkit stand in through Msg_SetWindowHooks.
#include "platform/Ui.h"

namespace tralvex::platform {

bool IsWindow(void*) { return false; }

bool SetWindowText(void*, const char*) { return false; }

bool SetDlgItemText(void*, int, const char*) { return false; }

}  // namespace tralvex::platform
