#include "api/LiveServices.h"

#include "api/ContextFunctions.h"
#include "api/Lookup.h"
#include "api/MessageBoxHook.h"
#include "api/Module.h"
#include "catalogue/MessageCatalogue.h"

namespace tralvex {

const BuiltInTexts& LiveServices::Texts() { return TheModule().texts; }

int LiveServices::FillErrorText(int errHandle, int code, char* buffer) {
  uint32_t number = static_cast<uint32_t>(code);
  if (errHandle == 0) return Msg_GetQelErrString(number, buffer);
  return Msg_GetMessage(static_cast<uint32_t>(errHandle), number, buffer);
}

int LiveServices::ShowBox(const char* text, const char* caption, unsigned style) {
  return ShowMessageBox(text, caption, style);
}

const char* LiveServices::LookupMessageText(uint32_t handle, uint32_t number,
                                            const char* defaultText) {
  return tralvex::LookupMessageText(handle, number, defaultText);
}

const char* LiveServices::MakePlaceholderText(uint32_t number) {
  return tralvex::MakePlaceholderText(number);
}

bool LiveServices::IsPlaceholder(const char* text) { return IsPlaceholderText(text); }

// A plain selection by handle: 0 is no registered catalogue here, and an
// unknown handle leaves its error in the handle table.
const char* LiveServices::CatalogueMessage(uint32_t handle, uint32_t number) {
  MessageCatalogue* catalogue =
      TheModule().catalogues.SelectCatalogue(static_cast<uint16_t>(handle & 0xFFFF));
  return catalogue != nullptr ? catalogue->GetCatalogueMessage(number) : nullptr;
}

bool LiveServices::IsLiveContext(Mes_Context* context) { return tralvex::IsLiveContext(context); }

const char* LiveServices::ContextMessage(Mes_Context* context, uint32_t number,
                                         const char* defaultText) {
  return LiveContextMessage(context, number, defaultText);
}

const char* LiveServices::ContextCaption(Mes_Context* context) {
  return LiveContextCaption(context);
}

}  // namespace tralvex
