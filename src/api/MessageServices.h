// The lookups and the message box that evaluation, formatting and the error
// boxes rest on. The exports use the module's own; tests put stand-ins in.
#ifndef TRALVEX_API_MESSAGESERVICES_H
#define TRALVEX_API_MESSAGESERVICES_H

#include <cstdint>

#include "errors/ErrorBoxes.h"
#include "tralvex/tralvex.h"

namespace tralvex {

class MessageServices : public ErrorBoxServices {
 public:
  // The message, else the default text, else the placeholder text; never null.
  virtual const char* LookupMessageText(uint32_t handle, uint32_t number,
                                        const char* defaultText) = 0;
  virtual const char* MakePlaceholderText(uint32_t number) = 0;
  // Recognises the placeholder buffer by its address.
  virtual bool IsPlaceholder(const char* text) = 0;
  // The message in the current section of a registered catalogue, or null;
  // no default and no placeholder.
  virtual const char* CatalogueMessage(uint32_t handle, uint32_t number) = 0;

  virtual bool IsLiveContext(Mes_Context* context) = 0;
  // Only for live contexts: the message, else the default text, else the
  // placeholder text.
  virtual const char* ContextMessage(Mes_Context* context, uint32_t number,
                                     const char* defaultText) = 0;
  // Only for live contexts: the context's own caption, possibly empty.
  virtual const char* ContextCaption(Mes_Context* context) = 0;
};

}  // namespace tralvex

#endif
