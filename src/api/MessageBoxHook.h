#ifndef TRALVEX_API_MESSAGEBOXHOOK_H
#define TRALVEX_API_MESSAGEBOXHOOK_H

namespace tralvex {

// Shows a box through the hook set by Msg_SetMessageBoxHook, or the
// platform's own message box when there is none.
int ShowMessageBox(const char* text, const char* caption, unsigned int style);

}  // namespace tralvex

#endif
