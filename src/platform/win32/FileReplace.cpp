// Replacing a file over the Windows ANSI calls.
#include "platform/FileReplace.h"

#include <windows.h>

#include <functional>

namespace tralvex::platform {
namespace {

std::string SystemReason(const char* what) {
  DWORD error = GetLastError();
  char text[256] = "";
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                error, 0, text, sizeof text, nullptr);
  while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' ||
                        text[length - 1] == ' ' || text[length - 1] == '.')) {
    text[--length] = '\0';
  }
  std::string reason = std::string(what) + ": ";
  return reason + (length > 0 ? text : "system error " + std::to_string(error));
}

bool WriteAll(HANDLE file, std::string_view content) {
  std::size_t done = 0;
  while (done < content.size()) {
    std::size_t rest = content.size() - done;
    DWORD chunk = rest > 0x10000000 ? 0x10000000 : static_cast<DWORD>(rest);
    DWORD written = 0;
    if (!WriteFile(file, content.data() + done, chunk, &written, nullptr) || written == 0) {
      return false;
    }
    done += written;
  }
  return true;
}

// A new file beside the target. A filler opens it again by its name, which
// the sharing allows.
HANDLE CreateSibling(const std::string& target, std::string& name, std::string& reason) {
  for (unsigned attempt = 0; attempt < 100; ++attempt) {
    name = target + "." + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(attempt) +
           ".tmp";
    HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) return file;
    if (GetLastError() != ERROR_FILE_EXISTS) break;
  }
  reason = SystemReason("cannot create a file beside it");
  return INVALID_HANDLE_VALUE;
}

// Creates the file beside the target, lets write fill it through the handle
// or by its name, flushes it to the disk and moves it over the target.
bool Replace(const std::string& path, const std::function<bool(HANDLE, const std::string&)>& write,
             std::string& reason) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      reason = "is a directory";
      return false;
    }
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
      reason = "is read-only";
      return false;
    }
  }
  std::string temporary;
  HANDLE file = CreateSibling(path, temporary, reason);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = write(file, temporary);
  // The flush covers the file's data, whichever handle wrote it.
  if (ok && !FlushFileBuffers(file)) {
    ok = false;
    reason = SystemReason("cannot be flushed to the disk");
  }
  CloseHandle(file);
  if (ok && !MoveFileExA(temporary.c_str(), path.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    ok = false;
    reason = SystemReason("cannot be replaced");
  }
  if (!ok) DeleteFileA(temporary.c_str());
  return ok;
}

}  // namespace

bool ReplaceFileContent(const std::string& path, std::string_view content, std::string& reason) {
  return Replace(
      path,
      [&](HANDLE file, const std::string&) {
        if (WriteAll(file, content)) return true;
        reason = SystemReason("cannot be written");
        return false;
      },
      reason);
}

bool ReplaceFileContentBy(const std::string& path, const FileFiller& fill, std::string& reason) {
  return Replace(
      path, [&](HANDLE, const std::string& name) { return fill(name, reason); }, reason);
}

}  // namespace tralvex::platform
