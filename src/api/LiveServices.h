// The module's own lookups and message box, behind the exports.
#ifndef TRALVEX_API_LIVESERVICES_H
#define TRALVEX_API_LIVESERVICES_H

#include "api/MessageServices.h"

namespace tralvex {

class LiveServices : public MessageServices {
 public:
  const BuiltInTexts& Texts() override;
  int FillErrorText(int errHandle, int code, char* buffer) override;
  int ShowBox(const char* text, const char* caption, unsigned style) override;

  const char* LookupMessageText(uint32_t handle, uint32_t number, const char* defaultText) override;
  const char* MakePlaceholderText(uint32_t number) override;
  bool IsPlaceholder(const char* text) override;
  const char* CatalogueMessage(uint32_t handle, uint32_t number) override;

  bool IsLiveContext(Mes_Context* context) override;
  const char* ContextMessage(Mes_Context* context, uint32_t number,
                             const char* defaultText) override;
  const char* ContextCaption(Mes_Context* context) override;
};

}  // namespace tralvex

#endif
