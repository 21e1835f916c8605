// Windows and message boxes.
#ifndef TRALVEX_PLATFORM_UI_H
#define TRALVEX_PLATFORM_UI_H

namespace tralvex::platform {

bool IsWindow(void* window);
bool SetWindowText(void* window, const char* text);
bool SetDlgItemText(void* dialog, int itemId, const char* text);

// A modal message box without owner window; returns the button chosen, or 0
// when the box cannot be shown.
int MessageBox(const char* text, const char* caption, unsigned int style);

}  // namespace tralvex::platform

#endif
