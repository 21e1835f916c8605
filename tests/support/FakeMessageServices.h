// Stand-in lookups and a message box that records what it was asked to show,
// so the composed texts can be checked without catalogues or windows.
#ifndef TRALVEX_TESTS_SUPPORT_FAKEMESSAGESERVICES_H
#define TRALVEX_TESTS_SUPPORT_FAKEMESSAGESERVICES_H

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "api/MessageServices.h"

namespace tralvex::testing {

struct CapturedBox {
  std::string text;
  std::string caption;
  unsigned style;
};

class FakeMessageServices : public MessageServices {
 public:
  FakeMessageServices() : texts(SelectBuiltInTexts(0x0409, 1252)) {}

  // Catalogue handle -> number -> text. Handle 0 is the error catalogue.
  std::map<uint32_t, std::map<uint32_t, std::string>> catalogues;
  std::map<uint32_t, std::string> contextMessages;
  std::string contextCaption;
  Mes_Context* liveContext = reinterpret_cast<Mes_Context*>(&contextCaption);
  BuiltInTexts texts;
  std::vector<CapturedBox> boxes;
  std::vector<uint32_t> lookedUp;
  int boxResult = 1;

  const BuiltInTexts& Texts() override { return texts; }

  int FillErrorText(int errHandle, int code, char* buffer) override {
    auto catalogue = catalogues.find(static_cast<uint32_t>(errHandle));
    if (catalogue == catalogues.end()) return 0;  // cannot be opened: untouched
    const char* text =
        LookupMessageText(static_cast<uint32_t>(errHandle), static_cast<uint32_t>(code), nullptr);
    CopyPrefilled(buffer, text);
    return IsPlaceholder(text) ? 0 : 1;
  }

  int ShowBox(const char* text, const char* caption, unsigned style) override {
    boxes.push_back({text, caption, style});
    return boxResult;
  }

  const char* LookupMessageText(uint32_t handle, uint32_t number,
                                const char* defaultText) override {
    lookedUp.push_back(number);
    const char* found = Find(handle, number);
    if (found != nullptr) return found;
    return defaultText != nullptr ? defaultText : MakePlaceholderText(number);
  }

  const char* MakePlaceholderText(uint32_t number) override {
    std::snprintf(placeholder_, sizeof placeholder_, "MSG(%05X)", number);
    return placeholder_;
  }

  bool IsPlaceholder(const char* text) override { return text == placeholder_; }

  // Handle 0 is never registered: only the lookups reach the error catalogue.
  const char* CatalogueMessage(uint32_t handle, uint32_t number) override {
    return handle != 0 ? Find(handle, number) : nullptr;
  }

  const char* Find(uint32_t handle, uint32_t number) {
    auto catalogue = catalogues.find(handle);
    if (catalogue == catalogues.end()) return nullptr;
    auto message = catalogue->second.find(number);
    return message != catalogue->second.end() ? message->second.c_str() : nullptr;
  }

  bool IsLiveContext(Mes_Context* context) override {
    return context != nullptr && context == liveContext;
  }

  const char* ContextMessage(Mes_Context*, uint32_t number, const char* defaultText) override {
    lookedUp.push_back(number);
    auto message = contextMessages.find(number);
    if (message != contextMessages.end()) return message->second.c_str();
    return defaultText != nullptr ? defaultText : MakePlaceholderText(number);
  }

  const char* ContextCaption(Mes_Context*) override { return contextCaption.c_str(); }

  const CapturedBox& LastBox() const { return boxes.back(); }

  static void CopyPrefilled(char* buffer, const char* text) {
    std::size_t room = std::strlen(buffer);
    std::size_t n = std::strlen(text) < room ? std::strlen(text) : room;
    std::memmove(buffer, text, n);
    buffer[n] = '\0';
  }

 private:
  char placeholder_[16] = {};
};

// A buffer holding `room` blanks.
inline std::vector<char> Blanks(std::size_t room) {
  std::vector<char> buffer(room + 1, ' ');
  buffer[room] = '\0';
  return buffer;
}

}  // namespace tralvex::testing

#endif
