#include "api/MessageFunctions.h"

#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <string_view>

#include "api/Escapes.h"
#include "api/MessageFormatter.h"
#include "api/MessageReference.h"

namespace tralvex {
namespace {

constexpr uint32_t kNoNumber = 0xFFFFFFFFu;

class HandleLookup : public ReferenceLookup {
 public:
  HandleLookup(MessageServices& s, uint32_t handle) : s_(s), handle_(handle) {}
  std::string_view MessageText(uint32_t number, std::string_view) override {
    return s_.LookupMessageText(handle_, number, nullptr);
  }
  bool IsMissing(const char* text) override { return s_.IsPlaceholder(text); }

 private:
  MessageServices& s_;
  uint32_t handle_;
};

class ContextLookup : public ReferenceLookup {
 public:
  ContextLookup(MessageServices& s, Mes_Context* context) : s_(s), context_(context) {}
  // The context's lookup takes the fallback as its default text, which must
  // end with a terminator.
  std::string_view MessageText(uint32_t number, std::string_view fallback) override {
    fallback_.assign(fallback);
    return s_.ContextMessage(context_, number, fallback_.c_str());
  }
  bool IsMissing(const char*) override { return false; }

 private:
  MessageServices& s_;
  Mes_Context* context_;
  std::string fallback_;
};

bool IsEmpty(const char* text) { return text == nullptr || *text == '\0'; }

bool Overlaps(std::string_view text, const char* buffer, std::size_t room) {
  // Compared as addresses: the text and the buffer are usually unrelated.
  auto at = [](const char* p) { return reinterpret_cast<std::uintptr_t>(p); };
  return at(text.data()) <= at(buffer) + room && at(text.data()) + text.size() >= at(buffer);
}

// Whether formatting `format` with `args` reads any byte of the buffer,
// terminators included.
bool ReadsFromBuffer(std::string_view format, const char* const (&args)[3], const char* buffer,
                     std::size_t room) {
  if (Overlaps(format, buffer, room)) return true;
  for (const char* arg : args) {
    if (arg != nullptr && Overlaps(arg, buffer, room)) return true;
  }
  return false;
}

// Escapes expanded, or the text as it is when memory runs out.
const char* ExpandOrKeep(const char* text, std::string& storage) {
  try {
    return ExpandEscapes(text, storage);
  } catch (const std::bad_alloc&) {
    return text;
  }
}

}  // namespace

void PrefillBlanks(char* buffer, std::size_t size) {
  if (size == 0) return;
  std::memset(buffer, ' ', size - 1);
  buffer[size - 1] = '\0';
}

int EvalByHandle(MessageServices& s, uint32_t handle, const char* source, char* buffer) {
  HandleLookup lookup(s, handle);
  EvaluationResult result = EvaluateReferences(source, buffer, lookup);
  switch (result.outcome) {
    case Evaluation::kRefused:
      return 0;
    case Evaluation::kNoMemory:
      CopyIntoPrefilled(buffer, source);
      return 1;
    default:
      return result.lastMissing ? 0 : 1;
  }
}

int FormatByHandle(MessageServices& s, uint32_t handle, uint32_t number, char* buffer,
                   const char* arg1, const char* arg2, const char* arg3) {
  if (buffer == nullptr) return 0;
  const char* text = s.LookupMessageText(handle, number, nullptr);
  if (s.IsPlaceholder(text)) {
    CopyIntoPrefilled(buffer, text);
    return 0;
  }
  try {
    std::string storage;
    std::string_view expanded = ExpandEscapes(std::string_view(text), storage);
    // An absent argument is null or empty; either stands for "%s".
    const char* args[3] = {IsEmpty(arg1) ? nullptr : arg1, IsEmpty(arg2) ? nullptr : arg2,
                           IsEmpty(arg3) ? nullptr : arg3};
    std::size_t room = std::strlen(buffer);
    // The buffer's room cuts the text anyway, so it is formatted straight
    // into the buffer, unless the buffer is also one of its sources.
    if (!ReadsFromBuffer(expanded, args, buffer, room)) {
      FormatIntoBuffer(expanded, args, 3, buffer, room);
      return 1;
    }
    std::string formatted;
    FormatWithTexts(expanded, args, 3, room, formatted);
    CopyIntoPrefilled(buffer, formatted.c_str());
    return 1;
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

int ShowText(MessageServices& s, const char* text, const char* caption, unsigned style) {
  if (IsEmpty(text)) text = kNoText;
  if (IsEmpty(caption)) caption = kHandleCaption;
  return s.ShowBox(text, caption, style | kPlainBoxFlags);
}

int ShowMessageByHandle(MessageServices& s, uint32_t handle, uint32_t number, const char* caption,
                        unsigned style) {
  std::string storage;
  const char* text = ExpandOrKeep(s.LookupMessageText(handle, number, nullptr), storage);
  return ShowText(s, text, caption, style);
}

const char* ContextMessagePtr(MessageServices& s, Mes_Context* context, uint32_t number,
                              const char* defaultText) {
  if (s.IsLiveContext(context)) return s.ContextMessage(context, number, defaultText);
  return defaultText != nullptr ? defaultText : s.MakePlaceholderText(number);
}

const char* OwnCaption(MessageServices& s, Mes_Context* context) {
  if (!s.IsLiveContext(context)) return nullptr;
  const char* caption = s.ContextCaption(context);
  return IsEmpty(caption) ? nullptr : caption;
}

int EvalInContext(MessageServices& s, Mes_Context* context, const char* source, char* buffer) {
  if (source == nullptr || buffer == nullptr) return 0;
  if (!s.IsLiveContext(context)) {
    CopyIntoPrefilled(buffer, source);
    return 0;
  }
  ContextLookup lookup(s, context);
  std::size_t room = std::strlen(buffer);
  EvaluationResult result = EvaluateReferences(source, buffer, lookup);
  if (result.outcome != Evaluation::kNoMemory) return 1;
  PrefillBlanks(buffer, room);
  CopyIntoPrefilled(buffer, source);
  return 0;
}

int FormatInContext(MessageServices& s, Mes_Context* context, uint32_t number, char* buffer,
                    const MessageArgs* record) {
  if (buffer == nullptr) return 0;
  const char* recordText = record != nullptr ? record->text : nullptr;
  const char* source;
  if (number == 0 || number == kNoNumber) {
    source = recordText != nullptr ? recordText : ContextMessagePtr(s, context, 0, nullptr);
  } else {
    source = ContextMessagePtr(s, context, number, recordText);
  }
  int status = 0;
  std::string formatted;
  if (record != nullptr && record->args != nullptr && record->count != 0) {
    status = FormatMessageArguments(source, record->args, record->count, formatted);
    if (status != 0) source = formatted.c_str();
  }
  CopyIntoPrefilled(buffer, source);
  return status;
}

int ShowMessageInContext(MessageServices& s, Mes_Context* context, uint32_t number,
                         const MessageArgs* record, unsigned style) {
  if (!s.IsLiveContext(context)) {
    const char* text =
        record != nullptr && record->text != nullptr ? record->text : s.MakePlaceholderText(number);
    return s.ShowBox(text, kContextCaption, style);
  }
  char work[kWorkBufferSize];
  PrefillBlanks(work, sizeof work);
  FormatInContext(s, context, number, work, record);
  std::string storage;
  const char* text = ExpandOrKeep(work, storage);
  const char* caption = OwnCaption(s, context);
  return s.ShowBox(text, caption != nullptr ? caption : kContextCaption, style);
}

int ComposeInContext(MessageServices& s, Mes_Context* context, const char* text, const void* args,
                     uint32_t count, unsigned style) {
  if (text == nullptr) return 0;
  char work[kWorkBufferSize];
  const char* source = text;
  const char* caption = kContextCaption;
  if (s.IsLiveContext(context)) {
    PrefillBlanks(work, sizeof work);
    EvalInContext(s, context, text, work);
    source = work;
    const char* own = OwnCaption(s, context);
    if (own != nullptr) caption = own;
  }
  std::string formatted;
  if (FormatMessageArguments(source, args, count, formatted) != 0) source = formatted.c_str();
  return s.ShowBox(source, caption, style);
}

}  // namespace tralvex
