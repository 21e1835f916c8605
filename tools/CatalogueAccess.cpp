#include "CatalogueAccess.h"

#include <filesystem>

#include "InputFiles.h"
#include "MessageFileLoader.h"
#include "api/Lookup.h"
#include "platform/CodePage.h"
#include "tralvex/tralvex.h"

namespace tralvex::tool {
namespace {

bool HasDirectory(const std::string& file) {
  return file.find_first_of("/\\") != std::string::npos || file.find(':') != std::string::npos;
}

std::string SectionList(const MessageFileData& data) {
  std::string names;
  for (const auto& section : data.Sections()) names += (names.empty() ? "" : ", ") + section.name;
  return names.empty() ? "none" : names;
}

}  // namespace

OpenedCatalogue::~OpenedCatalogue() {
  if (handle_ != 0xFFFF) Msg_CloseMessages(handle_);
}

bool OpenedCatalogue::Open(const std::string& file, const std::string& section,
                           const Options& options, std::string& reason) {
  // The library completes a name without directory against its default
  // directory only; a command line means the current directory.
  bool inDefaultDir = !options.defaultDir.empty() && !HasDirectory(file);
  std::string onDisk =
      inDefaultDir ? (std::filesystem::path(AbsolutePath(options.defaultDir)) / file).string()
                   : file;
  std::string libraryName = inDefaultDir ? file : AbsolutePath(file);
  MessageFileData data;
  if (!LoadMessageFile(onDisk, data, reason)) return false;
  if (!section.empty() && data.FindSection(section) == nullptr) {
    reason = "has no section \"" + section + "\" (its sections: " + SectionList(data) + ")";
    return false;
  }
  if (Msg_OpenMessages(&handle_, libraryName.c_str(),
                       section.empty() ? nullptr : section.c_str()) == 0) {
    handle_ = 0xFFFF;
    reason = "cannot be opened by the library";
    return false;
  }
  if (!section.empty()) {
    sectionName_ = platform::UpperCase(section);
  } else if (!data.Sections().empty()) {
    sectionName_ = data.Sections().front().name;
  }
  return true;
}

const char* OpenedCatalogue::Message(uint32_t number, bool& missing) const {
  const char* text = Msg_GetMessagePtr(handle_, number, nullptr);
  missing = IsPlaceholderText(text);
  return text;
}

}  // namespace tralvex::tool
