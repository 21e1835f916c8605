// Evaluation, formatting and the plain message boxes of both families,
// written over MessageServices; each export is one call of these.
#ifndef TRALVEX_API_MESSAGEFUNCTIONS_H
#define TRALVEX_API_MESSAGEFUNCTIONS_H

#include <cstddef>
#include <cstdint>

#include "api/MessageServices.h"

namespace tralvex {

// Task-modal and brought to the foreground: added to the style of plain boxes.
constexpr unsigned kPlainBoxFlags = 0x2000 | 0x10000;
constexpr const char* kNoText = "??????? ??????? ???????";
constexpr const char* kHandleCaption = "Tralvex";
constexpr const char* kContextCaption = "Tolvo";
// The work buffer of the message boxes: 1023 blanks and a terminator.
constexpr std::size_t kWorkBufferSize = 1024;

// The prefilled-length rule needs a buffer that already holds blanks.
void PrefillBlanks(char* buffer, std::size_t size);

int EvalByHandle(MessageServices& s, uint32_t handle, const char* source, char* buffer);
int FormatByHandle(MessageServices& s, uint32_t handle, uint32_t number, char* buffer,
                   const char* arg1, const char* arg2, const char* arg3);
int ShowText(MessageServices& s, const char* text, const char* caption, unsigned style);
int ShowMessageByHandle(MessageServices& s, uint32_t handle, uint32_t number, const char* caption,
                        unsigned style);

const char* ContextMessagePtr(MessageServices& s, Mes_Context* context, uint32_t number,
                              const char* defaultText);
// The context's own caption when it is live and not empty, else null.
const char* OwnCaption(MessageServices& s, Mes_Context* context);

int EvalInContext(MessageServices& s, Mes_Context* context, const char* source, char* buffer);
int FormatInContext(MessageServices& s, Mes_Context* context, uint32_t number, char* buffer,
                    const MessageArgs* record);
int ShowMessageInContext(MessageServices& s, Mes_Context* context, uint32_t number,
                         const MessageArgs* record, unsigned style);
int ComposeInContext(MessageServices& s, Mes_Context* context, const char* text, const void* args,
                     uint32_t count, unsigned style);

}  // namespace tralvex

#endif
