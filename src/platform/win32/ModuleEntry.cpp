// The DLL's attach and detach notifications bring the module-wide state up
// and down.
#include <windows.h>

#include "platform/Modules.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) tralvex::OnModuleLoad();
  if (reason == DLL_PROCESS_DETACH) tralvex::OnModuleUnload();
  return TRUE;
}
