// An application's own error list, shown by the context family: a class
// that can fail derives from ErrorList, records what went wrong, and hands
// the list to Mes_DisplayErrBase.
// Usage: error_list DIRECTORY (examples/, the directory of Tralvex.ini).
#include <tralvex/ErrorList.h>
#include <tralvex/tralvex.h>

#include <cstdio>
#include <string>

namespace {

// A printer that fails in every way it can.
class Printer : public ErrorList {
 public:
  bool Print(const std::string& document) {
    ClearErrors();  // the list tells about this call only
    AddError(0x127, document.c_str());
    AddError(0x120, "spool.tmp");
    AddError(0x127, "another.txt");  // a code is kept once: ignored
    return HasNoErrors() != 0;
  }
};

int TRALVEX_CALL PrintBox(const char* text, const char* caption, unsigned int) {
  std::printf("+-- %s\n%s\n+--\n", caption, text);
  return TRALVEX_IDOK;
}

}  // namespace

int main(int argc, char** argv) {
  Mes_Context* notes = nullptr;
  if (argc < 2 || !Mes_OpenProcess(&notes, argv[1], "Notes", 0)) {
    std::fprintf(stderr, "usage: error_list DIRECTORY\n");
    return 2;
  }
  Msg_SetMessageBoxHook(PrintBox);

  Printer printer;
  if (!printer.Print("report.txt")) {
    std::printf("%u errors, the last %04X\n", printer.GetErrorCount(),
                static_cast<unsigned>(printer.GetLastErrorCode()));
    MessageArgs name = {nullptr, "LPT1", 1};
    Mes_DisplayErrBase(notes, 0x2002, &name, &printer, TRALVEX_MB_OK);
  }

  // At most the ten oldest entries are shown.
  ErrorList many;
  for (int code = 0x120; code < 0x12C; ++code) many.AddError(code, nullptr);
  std::printf("%u errors in the list\n", many.GetErrorCount());
  Mes_DisplayErrBase(notes, 0, nullptr, &many, TRALVEX_MB_OK);

  Mes_CloseProcess(notes);
  return 0;
}
