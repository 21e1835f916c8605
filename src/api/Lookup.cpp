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

namespace {

// The lookup in full: selection, the message or the reason it is missing,
// the default or the placeholder.
[[gnu::noinline]] const char* LookupThroughTable(uint32_t handle, uint32_t number,
                                                 const char* defaultText) {
  const char* text = CatalogueMessage(handle, number);
  if (text != nullptr) return text;
  return defaultText != nullptr ? defaultText : MakePlaceholderText(number);
}

}  // namespace

const char* LookupMessageText(uint32_t handle, uint32_t number, const char* defaultText) {
  // The catalogue asked last, asked again for a message it has: what the
  // full lookup would give, without its bookkeeping, which changes nothing
  // in this case. Kept apart so that this path stays a few instructions.
  const CatalogueHandleTable& table = TheModule().catalogues;
  if (handle != 0 && (handle & 0xFFFF) == table.CurrentHandle() &&
      table.CurrentHandle() != kNoCatalogue && table.HasNoErrors()) {
    if (const char* found = table.CurrentCatalogue()->FindIndexed(number)) return found;
  }
  return LookupThroughTable(handle, number, defaultText);
}

const char* MakePlaceholderText(uint32_t number) {
  char* buffer = TheModule().placeholderText;
  std::snprintf(buffer, sizeof TheModule().placeholderText, "MSG(%05X)", number);
  return buffer;
}

bool IsPlaceholderText(const char* text) { return text == TheModule().placeholderText; }

}  // namespace tralvex
