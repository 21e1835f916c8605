/* Captions and dialog items through the window hooks: a toolkit of the
 * application's own stands in for the platform's windows.
 * Usage: window_hooks DIRECTORY (examples/: Tralvex.ini, Notes-en.msg). */
#include <stdio.h>
#include <string.h>
#include <tralvex/tralvex.h>

/* The toolkit: a window with a caption and three items. */
struct Window {
  char caption[40];
  char items[3][40];
};
static struct Window mainWindow = {"(untitled)", {"-", "-", "-"}};

static int TRALVEX_CALL IsToolkitWindow(void* window) { return window == &mainWindow; }

static int TRALVEX_CALL SetCaption(void* window, const char* text) {
  struct Window* w = (struct Window*)window;
  strncpy(w->caption, text, sizeof w->caption - 1);
  return 1;
}

static int TRALVEX_CALL SetItem(void* dialog, int itemId, const char* text) {
  struct Window* w = (struct Window*)dialog;
  if (itemId < 0 || itemId > 2) return 0;
  strncpy(w->items[itemId], text, sizeof w->items[itemId] - 1);
  return 1;
}

static void ShowWindow(const char* after) {
  printf("%-30s [%s] %s | %s | %s\n", after, mainWindow.caption, mainWindow.items[0],
         mainWindow.items[1], mainWindow.items[2]);
}

int main(int argc, char** argv) {
  static const Msg_WindowHooks hooks = {IsToolkitWindow, SetCaption, SetItem};
  uint32_t dialogs;
  Mes_Context* notes = NULL;
  int strayWindow = 0;

  if (argc < 2 || !Msg_SetDefaultDir(argv[1]) ||
      !Msg_OpenMessages(&dialogs, "Notes-en", "Dialogs") ||
      !Mes_OpenProcess(&notes, argv[1], "Notes", 0)) {
    fprintf(stderr, "usage: window_hooks DIRECTORY\n");
    return 2;
  }
  /* Without hooks, a pointer of the toolkit is no window of the platform. */
  printf("without hooks: %d\n", Msg_SetWindowCaption(dialogs, 0x1200, &mainWindow, NULL));

  Msg_SetWindowHooks(&hooks); /* copied: the structure may go away */
  printf("by handle: %d\n", Msg_SetWindowCaption(dialogs, 0x1200, &mainWindow, NULL));
  ShowWindow("after Msg_SetWindowCaption");
  printf("by context: %d\n", Mes_SetCaption(notes, &mainWindow, 0x1000, NULL));
  ShowWindow("after Mes_SetCaption");
  {
    /* Item 1 asks for a message the file lacks: it is left alone, the
     * others are set, and the result is 0. */
    const int32_t items[] = {0, 1, 2};
    const uint32_t numbers[] = {0x1001, 0x1FFF, 0x1002};
    printf("items: %d\n", Mes_SetCaptions(notes, &mainWindow, items, numbers, 3));
    ShowWindow("after Mes_SetCaptions");
  }
  /* A missing message without a default leaves the caption alone. */
  printf("missing message: %d\n", Mes_SetCaption(notes, &mainWindow, 0x1FFF, NULL));
  printf("not a window: %d\n", Mes_SetCaption(notes, &strayWindow, 0x1000, NULL));
  ShowWindow("at the end");

  Msg_SetWindowHooks(NULL);
  Mes_CloseProcess(notes);
  Msg_CloseMessages(dialogs);
  return 0;
}
