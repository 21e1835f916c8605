#include "CatalogueAccess.h"

#include <cstring>
#include <filesystem>

#include "InputFiles.h"
#include "MessageFileLoader.h"
#include "RangeCoverage.h"
#include "RangeMap.h"
#include "Reporter.h"
#include "api/Lookup.h"
#include "platform/CodePage.h"

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

// A buffer by the prefilled-length rule: its blanks are the room.
std::string PrefilledBuffer() { return std::string(kOutputRoom, ' '); }

void TakeResult(const std::string& buffer, std::string& result) {
  result.assign(buffer.c_str(), std::strlen(buffer.c_str()));
}

}  // namespace

MessageSource::~MessageSource() {
  if (context_ != nullptr) Mes_CloseProcess(context_);
  if (handle_ != 0xFFFF) Msg_CloseMessages(handle_);
}

int MessageSource::OpenContext(const std::string& path, std::string& reason) {
  if (Mes_OpenProcess(&context_, path.c_str(), "tralvex", 0) == 0 || context_ == nullptr) {
    context_ = nullptr;
    reason = "the library cannot open a message context on it";
    return kExitFindings;
  }
  return kExitOk;
}

int MessageSource::Open(const std::string& operand, const std::string& section, bool asContext,
                        const Options& options, std::string& reason) {
  if (IsDirectory(operand)) {
    // A relative directory would be looked for beside the program first.
    std::string directory = AbsolutePath(operand);
    RangeMap map;
    // No settings file is an input failure; one without usable keywords a fault.
    if (!BuildRangeMap(directory, map, reason)) {
      return map.iniPath.empty() ? kExitFailure : kExitFindings;
    }
    iniPath_ = map.iniPath;
    description_ = "the context of " + map.iniPath;
    return OpenContext(directory, reason);
  }
  // The library completes a name without directory against its default
  // directory only; on a command line it means the current directory.
  bool inDefaultDir = !options.defaultDir.empty() && !HasDirectory(operand);
  std::string onDisk =
      inDefaultDir ? (std::filesystem::path(AbsolutePath(options.defaultDir)) / operand).string()
                   : operand;
  std::string libraryName = inDefaultDir ? operand : AbsolutePath(operand);
  MessageFileData data;
  switch (LoadMessageFile(onDisk, data, reason)) {
    case LoadResult::kUnreadable:
      return kExitFailure;
    case LoadResult::kParseFailed:
      return kExitFindings;
    case LoadResult::kLoaded:
      break;
  }
  if (!section.empty() && data.FindSection(section) == nullptr) {
    reason = "has no section \"" + section + "\" (its sections: " + SectionList(data) + ")";
    return kExitFindings;
  }
  if (asContext) {
    description_ = "the context of " + onDisk;
    return OpenContext(AbsolutePath(onDisk), reason);
  }
  const char* selected = section.empty() ? nullptr : section.c_str();
  if (Msg_OpenMessages(&handle_, libraryName.c_str(), selected) == 0) {
    handle_ = 0xFFFF;
    reason = "cannot be opened by the library";
    return kExitFailure;
  }
  std::string name = !section.empty()          ? platform::UpperCase(section)
                     : data.Sections().empty() ? std::string("(none)")
                                               : data.Sections().front().name;
  description_ = "section " + name + " of " + operand;
  return kExitOk;
}

const char* MessageSource::Message(uint32_t number, bool& missing) const {
  const char* text = context_ != nullptr ? Mes_GetMessagePtr(context_, number, nullptr)
                                         : Msg_GetMessagePtr(handle_, number, nullptr);
  missing = IsPlaceholderText(text);
  return text;
}

std::string MessageSource::WhyMissing(uint32_t number) const {
  if (!iniPath_.empty()) {
    RangeMap map;
    std::string problem;
    if (BuildRangeMap(std::filesystem::path(iniPath_).parent_path().string(), map, problem) &&
        !map.singleFile && ServingKeyword(map, number) < 0) {
      return "no file of " + iniPath_ + " serves " + Hex(number);
    }
  }
  return "message " + Hex(number) + " is not in " + description_;
}

int MessageSource::Evaluate(const std::string& source, std::string& result) const {
  std::string buffer = PrefilledBuffer();
  int status = context_ != nullptr ? Mes_EvalMessage(context_, source.c_str(), buffer.data())
                                   : Msg_EvalMessage(handle_, source.c_str(), buffer.data());
  TakeResult(buffer, result);
  return status;
}

int MessageSource::Format(uint32_t number, const std::vector<std::string>& args,
                          std::string& result) const {
  std::string buffer = PrefilledBuffer();
  int status;
  if (context_ != nullptr) {
    std::vector<const char*> texts;
    for (const std::string& arg : args) texts.push_back(arg.c_str());
    MessageArgs record{nullptr, nullptr, static_cast<uint32_t>(texts.size())};
    record.args = texts.size() == 1 ? static_cast<const void*>(texts[0])
                                    : static_cast<const void*>(texts.data());
    status = Mes_FormatMessage(context_, number, buffer.data(), texts.empty() ? nullptr : &record);
  } else {
    const char* a[3] = {nullptr, nullptr, nullptr};
    for (std::size_t i = 0; i < args.size() && i < 3; ++i) a[i] = args[i].c_str();
    status = Msg_FormatMessage(handle_, number, buffer.data(), a[0], a[1], a[2]);
  }
  TakeResult(buffer, result);
  return status;
}

}  // namespace tralvex::tool
