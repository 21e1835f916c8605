#include "api/ContextCatalogueAccess.h"

#include "api/Lookup.h"
#include "api/Module.h"
#include "tralvex/tralvex.h"

namespace tralvex {

int ContextCatalogueAccess::OpenCatalogue(const char* fileName, uint32_t* handle) {
  return Msg_OpenMessages(handle, fileName, nullptr);
}

void ContextCatalogueAccess::CloseCatalogue(uint32_t handle) { Msg_CloseMessages(handle); }

MessageCatalogue* ContextCatalogueAccess::FindCatalogue(uint32_t handle) {
  return TheModule().catalogues.SelectCatalogue(static_cast<uint16_t>(handle & 0xFFFF));
}

const char* ContextCatalogueAccess::LookupMessageText(uint32_t handle, uint32_t number,
                                                      const char* defaultText) {
  return tralvex::LookupMessageText(handle, number, defaultText);
}

const char* ContextCatalogueAccess::MakePlaceholderText(uint32_t number) {
  return tralvex::MakePlaceholderText(number);
}

}  // namespace tralvex
