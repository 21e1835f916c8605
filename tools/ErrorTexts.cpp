#include "ErrorTexts.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "catalogue/MessageFileData.h"

namespace tralvex::tool {
namespace {

// The bytes of data/QelError.msg, built into the tool so that it speaks
// wherever it is run from.
constexpr char kErrorCatalogue[] = {
#include "ErrorCatalogueBytes.inc"
};

// Parsed once, by the library's parser, and kept for the run.
const MessageFileData& ErrorCatalogue() {
  static const MessageFileData* catalogue = [] {
    auto data = std::make_unique<MessageFileData>();
    std::size_t size = sizeof kErrorCatalogue;
    char* buffer = new char[size + 1];
    std::memcpy(buffer, kErrorCatalogue, size);
    buffer[size] = '\0';
    if (data->ParseMessageFile(buffer, buffer + size) == 0) delete[] buffer;
    return data.release();
  }();
  return *catalogue;
}

}  // namespace

std::string ErrorText(int code) {
  const MessageSection* texts = ErrorCatalogue().defaultSection;
  const char* text = texts != nullptr ? texts->FindMessage(static_cast<uint32_t>(code)) : nullptr;
  return text != nullptr ? text : "unknown error";
}

std::string DescribeError(int code, const char* context) {
  char hex[8];
  std::snprintf(hex, sizeof hex, "%04X", static_cast<unsigned>(code) & 0xFFFF);
  std::string text = std::string("error ") + hex + ": " + ErrorText(code);
  if (context != nullptr && *context != '\0') text += std::string(" [") + context + "]";
  return text;
}

std::string DescribeErrors(const ErrorList& errors) {
  std::string text;
  for (unsigned position = 1; position <= errors.GetErrorCount(); ++position) {
    int code = 0;
    const char* context = nullptr;
    errors.GetErrorAt(position, code, context);
    if (!text.empty()) text += "; ";
    text += DescribeError(code, context);
  }
  return text;
}

}  // namespace tralvex::tool
