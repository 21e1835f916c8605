#include "api/Lookup.h"

#include <cstdio>

#include "api/Module.h"
#include "catalogue/MessageCatalogue.h"
#include "tralvex/tralvex.h"

namespace tralvex {

bool OpenErrorCatalogue() {
  Module& module = TheModule();
  if (module.errorCatalogueHandle != kNoCatalogue) return true;
  return Msg_OpenMessages(&module.errorCatalogueHandle, "QelError.msg", nullptr) != 0;
}

const char* CatalogueMessage(uint32_t handle, uint32_t number) {
  if (handle == 0) {
    if (!OpenErrorCatalogue()) return nullptr;
    handle = TheModule().errorCatalogueHandle;
  }
  if (handle == kNoCatalogue) return nullptr;
  MessageCatalogue* catalogue =
      TheModule().catalogues.SelectCatalogue(static_cast<uint16_t>(handle & 0xFFFF));
  if (catalogue == nullptr) return nullptr;
  return catalogue->GetCatalogueMessage(number);
}

const char* LookupMessageText(uint32_t handle, uint32_t number, const char* defaultText) {
  const char* text = CatalogueMessage(handle, number);
  if (text != nullptr) return text;
  return defaultText != nullptr ? defaultText : MakePlaceholderText(number);
}

const char* MakePlaceholderText(uint32_t number) {
  char* buffer = TheModule().placeholderText;
  std::snprintf(buffer, sizeof TheModule().placeholderText, "MSG(%05X)", number);
  return buffer;
}

bool IsPlaceholderText(const char* text) { return text == TheModule().placeholderText; }

}  // namespace tralvex
