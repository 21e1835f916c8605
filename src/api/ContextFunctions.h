// What the other Mes_ exports need of message contexts: the validity test by
// pointer value and, for live contexts only, the lookup and the caption.
#ifndef TRALVEX_API_CONTEXTFUNCTIONS_H
#define TRALVEX_API_CONTEXTFUNCTIONS_H

#include <cstdint>

#include "tralvex/tralvex.h"

namespace tralvex {

class MessageContext;

// The context behind the pointer when it is live, else null; an invalid
// pointer is never followed.
MessageContext* FindLiveContext(Mes_Context* context);
bool IsLiveContext(Mes_Context* context);

// For live contexts only: the message, else the default text, else the
// placeholder text.
const char* LiveContextMessage(Mes_Context* context, uint32_t number, const char* defaultText);
// For live contexts only: the context's own caption, possibly empty.
const char* LiveContextCaption(Mes_Context* context);

}  // namespace tralvex

#endif
