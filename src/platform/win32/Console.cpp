#include "platform/Console.h"

#include <windows.h>

namespace tralvex::platform {

bool IsTerminal(int stream) {
  if (stream != 1 && stream != 2) return false;
  HANDLE handle = GetStdHandle(stream == 1 ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
  DWORD mode = 0;
  // Only a console has a console mode; files and pipes refuse the query.
  return GetFileType(handle) == FILE_TYPE_CHAR && GetConsoleMode(handle, &mode) != 0;
}

}  // namespace tralvex::platform
