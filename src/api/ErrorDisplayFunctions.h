// The error boxes that take their action text from a catalogue or a message
// context, written over MessageServices; each export is one call of these.
#ifndef TRALVEX_API_ERRORDISPLAYFUNCTIONS_H
#define TRALVEX_API_ERRORDISPLAYFUNCTIONS_H

#include <cstdint>

#include "api/MessageServices.h"

namespace tralvex {

// Error lists are read up to this many entries, oldest first.
constexpr unsigned kMaxErrorsShown = 10;

int ShowErrorByMessage(MessageServices& s, uint32_t msgHandle, uint32_t number, int code,
                       const char* context, unsigned style, int errHandle);
int ShowErrorsByMessage(MessageServices& s, uint32_t msgHandle, uint32_t number, const int* codes,
                        const char* const* contexts, unsigned count, unsigned style, int errHandle);

int ShowContextError(MessageServices& s, Mes_Context* context, uint32_t number,
                     const MessageArgs* record, int code, const char* contextText, unsigned style);
int ShowContextErrors(MessageServices& s, Mes_Context* context, uint32_t number,
                      const MessageArgs* record, const int* codes, const char* const* contexts,
                      uint32_t count, unsigned style);
int ShowContextErrorList(MessageServices& s, Mes_Context* context, uint32_t number,
                         const MessageArgs* record, const ErrorList* list, unsigned style);

}  // namespace tralvex

#endif
