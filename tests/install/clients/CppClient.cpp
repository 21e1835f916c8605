// A C++ client of the installed library that keeps its own ErrorList and
// hands it to Mes_DisplayErrBase; the message box is caught by a hook, so
// the test sees what a user would.
#include <cstdio>
#include <string>

#include "tralvex/ErrorList.h"
#include "tralvex/tralvex.h"

namespace {

std::string shown;

int TRALVEX_CALL CatchBox(const char* text, const char* caption, unsigned) {
  shown = std::string(caption != nullptr ? caption : "") + "|" + (text != nullptr ? text : "");
  return TRALVEX_IDOK;
}

}  // namespace

int main() {
  Msg_SetMessageBoxHook(CatchBox);
  Mes_Context* context = nullptr;
  // One message file given directly: it serves every number.
  if (Mes_OpenProcess(&context, ERROR_CATALOGUE, "Client", 0) != 1 || context == nullptr) {
    std::fprintf(stderr, "cannot open a context on %s\n", ERROR_CATALOGUE);
    return 1;
  }
  ErrorList errors;
  errors.AddError(0x127, "settings.ini");
  Mes_DisplayErrBase(context, 0, nullptr, &errors, 0);
  Mes_CloseProcess(context);
  bool ok = shown.find("0127") != std::string::npos &&
            shown.find("The file was not found") != std::string::npos &&
            shown.find("settings.ini") != std::string::npos;
  std::printf("c++ client: %s\n", shown.c_str());
  return ok ? 0 : 1;
}
