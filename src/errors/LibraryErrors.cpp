#include "errors/LibraryErrors.h"

#include "errors/ErrorCodes.h"

namespace tralvex {

int ShowLibraryErrors(ErrorBoxServices& services, ProcedureResolver& resolver, const char* action,
                      const char* module, uint32_t selector, unsigned style, int errHandle) {
  void* address = resolver.GetLibraryProcedure(kGetAllErrorsName, module);
  if (address == nullptr) {
    ErrorList reasons;
    reasons.CopyErrors(resolver);
    ShowErrorListBox(services, reasons, action, kAlertBoxStyle, 0);
    return -1;
  }
  auto getAllErrors = reinterpret_cast<GetAllErrorsProc>(address);
  unsigned count = kLibraryErrorCapacity;
  int codes[kLibraryErrorCapacity] = {};
  const char* texts[kLibraryErrorCapacity] = {};
  if ((getAllErrors(&count, codes, texts, selector) & 0xFFFF) != 1) {
    return ShowOneError(services, action, error_code::kLibraryExportFailed, module, kAlertBoxStyle,
                        0);
  }
  if (count > kLibraryErrorCapacity) count = kLibraryErrorCapacity;
  return ShowErrors(services, action, codes, texts, count, style, errHandle);
}

}  // namespace tralvex
