#include "CatalogueAccess.h"

#include <cstring>
#include <memory>

#include "ErrorTexts.h"
#include "InputFiles.h"
#include "MessageFileLoader.h"
#include "MessageFileName.h"
#include "RangeCoverage.h"
#include "Reporter.h"
#include "api/Lookup.h"
#include "api/Module.h"
#include "catalogue/MessageCatalogue.h"
#include "catalogue/TrimBlanks.h"
#include "platform/CodePage.h"

namespace tralvex::tool {
namespace {

// The room first given to the library's evaluation and formatting: most
// results fit, and a longer one is made again with more room.
constexpr std::size_t kFirstRoom = 65535;

std::string SectionList(const MessageFileData& data) {
  std::string names;
  for (const auto& section : data.Sections()) names += (names.empty() ? "" : ", ") + section.name;
  return names.empty() ? "none" : names;
}

// Runs call(buffer) on a buffer filled by the prefilled-length rule, whose
// blanks are the room, until the result is shorter than the room and so is
// whole.
template <typename Call>
int WithRoomForAll(Call call, std::string& result) {
  for (std::size_t room = kFirstRoom;; room = room * 4 + 3) {
    std::string buffer(room, ' ');
    int status = call(buffer.data());
    std::size_t length = std::strlen(buffer.c_str());
    if (length < room) {
      result.assign(buffer.c_str(), length);
      return status;
    }
  }
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
  if (IsDirectory(operand)) return OpenDirectory(operand, reason);
  return OpenFile(operand, section, asContext, options, reason);
}

int MessageSource::OpenDirectory(const std::string& operand, std::string& reason) {
  // A relative directory would be looked for beside the program first.
  std::string directory = AbsolutePath(operand);
  // No settings file, or one that cannot be read, is an input failure; one
  // without usable keywords a fault.
  if (!BuildRangeMap(directory, map_, reason)) {
    return map_.unreadable ? kExitFailure : kExitFindings;
  }
  // The context opens its files itself, when a number first needs one: no
  // FIFO or device may keep it waiting.
  for (const RangeKeyword& keyword : map_.keywords) {
    MessageFileName name = ResolveMessageFileName(keyword.path);
    std::string why;
    // A file that is missing, or a directory, the library refuses by itself.
    if (name.code == 0 && !IsDirectory(name.path) && !CheckRegularFile(name.path, why)) {
      reason = "the message file " + keyword.value + " of " + map_.iniPath + " (line " +
               std::to_string(keyword.line) + ") " + why;
      return kExitFailure;
    }
  }
  description_ = "the context of " + map_.iniPath;
  return OpenContext(directory, reason);
}

int MessageSource::OpenFile(const std::string& operand, const std::string& section, bool asContext,
                            const Options& options, std::string& reason) {
  MessageFileName name = ResolveOperand(operand, options.defaultDir);
  if (name.code != 0) {
    reason = UnusableNameReason(name);
    return kExitFailure;
  }
  if (ReadsAnotherFile(name)) fileNote_ = operand + " is read as " + name.path;
  if (!file_.Share(name.key)) {
    auto data = std::make_unique<MessageFileData>();
    switch (LoadMessageFile(name.path, *data, reason)) {
      case LoadResult::kUnreadable:
        if (name.path != name.written) reason = name.path + " " + reason;
        return kExitFailure;
      case LoadResult::kParseFailed:
        return kExitFindings;
      case LoadResult::kLoaded:
        break;
    }
    file_.Hold(name.key, std::move(data));
  }
  if (asContext) {
    description_ = "the context of " + name.path;
    return OpenContext(name.spelled, reason);
  }
  return OpenCatalogue(name, operand, section, reason);
}

int MessageSource::OpenCatalogue(const MessageFileName& name, const std::string& operand,
                                 const std::string& section, std::string& reason) {
  Module& module = TheModule();
  MessageFileData& data = *file_.Data();
  // The catalogue is opened on the parse just made rather than by name: a
  // file replaced meanwhile would otherwise be read again, and what is
  // shown would mix two versions of it.
  auto catalogue = std::make_unique<MessageCatalogue>(module.loadedFiles, module.defaultDirectory);
  if (catalogue->OpenParsedFile(name.libraryName.c_str(), data, name.key) == 0) {
    reason = "the library cannot open it (" + DescribeErrors(*catalogue) + ")";
    return kExitFailure;
  }
  if (catalogue->SelectSection(section.c_str()) == 0) {
    reason = "has no section \"" + section + "\" (its sections: " + SectionList(data) + "; " +
             DescribeErrors(*catalogue) + ")";
    return kExitFindings;
  }
  uint16_t handle = module.catalogues.RegisterCatalogue(catalogue.get());
  if (handle == kNoCatalogue) {
    reason = "the library has no handle left for it";
    return kExitFailure;
  }
  catalogue.release();  // the handle table owns it now
  handle_ = handle;
  // A name blank after trimming selects the default section, as the
  // library does.
  std::string_view wanted = TrimBlanks(std::string_view(section));
  std::string selected = !wanted.empty()           ? platform::UpperCase(wanted)
                         : data.Sections().empty() ? std::string("(none)")
                                                   : data.Sections().front().name;
  description_ = "section " + selected + " of " + operand;
  return kExitOk;
}

const char* MessageSource::Message(uint32_t number, bool& missing) const {
  const char* text = context_ != nullptr ? Mes_GetMessagePtr(context_, number, nullptr)
                                         : Msg_GetMessagePtr(handle_, number, nullptr);
  missing = IsPlaceholderText(text);
  return text;
}

std::string MessageSource::WhyMissing(uint32_t number) const {
  if (!map_.iniPath.empty() && !map_.singleFile && ServingKeyword(map_, number) < 0) {
    return "no file of " + map_.iniPath + " serves " + Hex(number);
  }
  return "message " + Hex(number) + " is not in " + description_;
}

int MessageSource::Evaluate(const std::string& source, std::string& result) const {
  return WithRoomForAll(
      [&](char* buffer) {
        return context_ != nullptr ? Mes_EvalMessage(context_, source.c_str(), buffer)
                                   : Msg_EvalMessage(handle_, source.c_str(), buffer);
      },
      result);
}

int MessageSource::Format(uint32_t number, const std::vector<std::string>& args,
                          std::string& result) const {
  if (context_ != nullptr) {
    std::vector<const char*> texts;
    for (const std::string& arg : args) texts.push_back(arg.c_str());
    MessageArgs record{nullptr, nullptr, static_cast<uint32_t>(texts.size())};
    record.args = texts.size() == 1 ? static_cast<const void*>(texts[0])
                                    : static_cast<const void*>(texts.data());
    const MessageArgs* passed = texts.empty() ? nullptr : &record;
    return WithRoomForAll(
        [&](char* buffer) { return Mes_FormatMessage(context_, number, buffer, passed); }, result);
  }
  const char* a[3] = {nullptr, nullptr, nullptr};
  for (std::size_t i = 0; i < args.size() && i < 3; ++i) a[i] = args[i].c_str();
  return WithRoomForAll(
      [&](char* buffer) { return Msg_FormatMessage(handle_, number, buffer, a[0], a[1], a[2]); },
      result);
}

int OpenMessageSource(const char* command, MessageSource& source, bool asContext,
                      const Options& options, Streams& io) {
  std::string reason;
  const std::string& operand = options.operands[0];
  int opened = source.Open(operand, options.section, asContext, options, reason);
  if (opened != kExitOk) {
    io.err << "tralvex " << command << ": " << operand << ": " << reason << "\n";
  } else if (!source.FileNote().empty()) {
    io.err << "tralvex " << command << ": note: " << source.FileNote() << "\n";
  }
  return opened;
}

}  // namespace tralvex::tool
