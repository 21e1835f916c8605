// Window captions and dialog items, through the application's stand-ins
// where it has set them (Msg_SetWindowHooks), else the platform's own.
#ifndef TRALVEX_API_WINDOWHOOKS_H
#define TRALVEX_API_WINDOWHOOKS_H

#include "tralvex/tralvex.h"

namespace tralvex {

struct WindowHooks {
  // A copy of what the application passed; a null member falls back to
  // the platform's function.
  Msg_WindowHooks hooks = {nullptr, nullptr, nullptr};
};

bool IsWindowHandle(const WindowHooks& hooks, void* window);
bool SetWindowCaption(const WindowHooks& hooks, void* window, const char* text);
bool SetDialogItemText(const WindowHooks& hooks, void* dialog, int itemId, const char* text);

}  // namespace tralvex

#endif
