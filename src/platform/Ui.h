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

// What a message box of the style returns when the user presses Enter: its
// default button (MB_DEFBUTTON2/3/4 choose the second to fourth button of the
// style's set; a choice beyond the set means the first).
int DefaultButtonResult(unsigned int style);

// The labels of the style's buttons, in order, and the position of the
// default one; returns how many there are.
int ButtonLabels(unsigned int style, const char* const** labels, int* defaultIndex);

}  // namespace tralvex::platform

#endif
