// The exported handle functions. No exception leaves them: what the
// catalogue layer cannot absorb ends as the function's failure value.
#include <new>

#include "api/Lookup.h"
#include "api/Module.h"
#include "api/WindowHooks.h"
#include "catalogue/MessageCatalogue.h"
#include "catalogue/SearchDirectories.h"
#include "errors/ErrorCodes.h"
#include "tralvex/tralvex.h"

namespace tralvex {
namespace {

uint16_t LowBits(uint32_t handle) { return static_cast<uint16_t>(handle & 0xFFFF); }

// Builds a catalogue; null when it cannot be made (nothing is recorded
// except the lack of memory for the object itself).
MessageCatalogue* BuildCatalogue(Module& module, const char* fileName, const char* section) {
  void* memory = ::operator new(sizeof(MessageCatalogue), std::nothrow);
  if (memory == nullptr) {
    module.catalogues.AddError(error_code::kNoObject, nullptr);
    return nullptr;
  }
  try {
    return new (memory)
        MessageCatalogue(module.loadedFiles, module.defaultDirectory, fileName, section);
  } catch (...) {
    ::operator delete(memory);
    return nullptr;
  }
}

}  // namespace
}  // namespace tralvex

using tralvex::Module;
using tralvex::TheModule;

TRALVEX_API TralvexStatus TRALVEX_CALL Msg_SetDefaultDir(const char* directory) {
  Module& module = TheModule();
  if (module.defaultDirectorySet != 0) return 0;
  try {
    if (module.defaultDirectory.Set(directory) != 0) return 0;
  } catch (...) {
    return 0;
  }
  module.defaultDirectorySet = 1;
  return 1;
}

TRALVEX_API TralvexStatus TRALVEX_CALL Msg_OpenMessages(uint32_t* handleOut, const char* fileName,
                                                        const char* section) {
  // Nowhere to put a handle: an open catalogue could never be closed.
  if (handleOut == nullptr) return 0;
  Module& module = TheModule();
  tralvex::MessageCatalogue* catalogue = tralvex::BuildCatalogue(module, fileName, section);
  if (catalogue == nullptr) {
    *handleOut = tralvex::kNoCatalogue;
    return 0;
  }
  uint16_t handle = module.catalogues.RegisterCatalogue(catalogue);
  if (handle == tralvex::kNoCatalogue) delete catalogue;
  *handleOut = handle;
  return handle == tralvex::kNoCatalogue ? 0 : 1;
}

TRALVEX_API TralvexStatus TRALVEX_CALL Msg_CloseMessages(uint32_t handle) {
  Module& module = TheModule();
  uint16_t closing = tralvex::LowBits(handle);
  if (module.catalogues.CloseCatalogue(closing) == 0) return 0;
  // The error catalogue's handle could otherwise be reissued to another
  // file, and its texts be read from there.
  if (closing == module.errorCatalogueHandle) module.errorCatalogueHandle = tralvex::kNoCatalogue;
  // Nor may a context that opened it read or close it once reissued.
  module.liveContexts.ForgetCatalogue(closing);
  return 1;
}

TRALVEX_API TralvexStatus TRALVEX_CALL Msg_GetMessage(uint32_t handle, uint32_t number,
                                                      char* buffer) {
  const char* text = tralvex::LookupMessageText(handle, number, nullptr);
  tralvex::CopyToPaddedBuffer(buffer, text);
  return tralvex::IsPlaceholderText(text) ? 0 : 1;
}

TRALVEX_API const char* TRALVEX_CALL Msg_GetMessagePtr(uint32_t handle, uint32_t number,
                                                       const char* defaultText) {
  return tralvex::LookupMessageText(handle, number, defaultText);
}

TRALVEX_API TralvexStatus TRALVEX_CALL Msg_SetWindowCaption(uint32_t handle, uint32_t number,
                                                            void* window, const char* defaultText) {
  const tralvex::WindowHooks& hooks = TheModule().windowHooks;
  if (!tralvex::IsWindowHandle(hooks, window)) return 0;
  const char* text = tralvex::LookupMessageText(handle, number, defaultText);
  if (tralvex::IsPlaceholderText(text)) return 0;
  return tralvex::SetWindowCaption(hooks, window, text) ? 1 : 0;
}

TRALVEX_API TralvexStatus TRALVEX_CALL Msg_SetMsgSection(uint32_t handle, const char* section) {
  if (handle == tralvex::kNoCatalogue) return 0;
  tralvex::MessageCatalogue* catalogue =
      TheModule().catalogues.SelectCatalogue(tralvex::LowBits(handle));
  if (catalogue == nullptr) return 0;
  try {
    return catalogue->SelectSection(section) != 0 ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

TRALVEX_API TralvexStatus TRALVEX_CALL Msg_GetQelErrString(uint32_t number, char* buffer) {
  if (!tralvex::OpenErrorCatalogue()) return 0;
  return Msg_GetMessage(TheModule().errorCatalogueHandle, number, buffer);
}

TRALVEX_API const char* TRALVEX_CALL Msg_GetPtr2QelError(uint32_t number, const char* defaultText) {
  if (!tralvex::OpenErrorCatalogue()) return defaultText;
  return Msg_GetMessagePtr(TheModule().errorCatalogueHandle, number, defaultText);
}

TRALVEX_API TralvexStatus TRALVEX_CALL Msg_SetQelErrSection(const char* section) {
  Module& module = TheModule();
  if (module.errorCatalogueHandle == tralvex::kNoCatalogue) {
    return Msg_OpenMessages(&module.errorCatalogueHandle, "QelError.msg", section);
  }
  return Msg_SetMsgSection(module.errorCatalogueHandle, section);
}
