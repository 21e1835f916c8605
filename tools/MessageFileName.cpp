#include "MessageFileName.h"

#include "ErrorTexts.h"
#include "InputFiles.h"
#include "api/Module.h"
#include "catalogue/MessageCatalogue.h"
#include "errors/ErrorCodes.h"
#include "platform/FileSystem.h"

namespace tralvex::tool {
namespace {

bool HasDirectory(const std::string& name) {
  return name.find_first_of("/\\:") != std::string::npos;
}

// The tool's own words for a code, with the system's reason where the
// library only knows that the test failed.
std::string InWords(const MessageFileName& name) {
  switch (name.code) {
    case error_code::kFileNotFound:
      return "no such file";
    case error_code::kAccessDenied:
      return "access is denied";
    case error_code::kNoFileName:
      return "the name is no file name the library takes (no name part, or too long)";
    default: {
      std::string reason;
      if (!name.path.empty() && !CheckRegularFile(name.path, reason)) return reason;
      return "the library cannot use the name";
    }
  }
}

}  // namespace

MessageFileName ResolveMessageFileName(const std::string& libraryName) {
  Module& module = TheModule();
  MessageCatalogue catalogue(module.loadedFiles, module.defaultDirectory);
  MessageFileName name;
  name.libraryName = libraryName;
  name.code = catalogue.ResolveName(libraryName.c_str());
  name.context = catalogue.FileName();
  name.key = catalogue.FileKey().empty() ? catalogue.FileName() : catalogue.FileKey();
  name.spelled = catalogue.SpelledName();
  if (!name.spelled.empty() && !platform::SystemPathOf(name.spelled.c_str(), name.path)) {
    name.path.clear();
  }
  return name;
}

MessageFileName ResolveOperand(const std::string& operand, const std::string& defaultDirectory) {
  bool inDefault = !defaultDirectory.empty() && !HasDirectory(operand);
  MessageFileName name = ResolveMessageFileName(inDefault ? operand : AbsolutePath(operand));
  name.written = AbsolutePath(inDefault ? defaultDirectory + "/" + operand : operand);
  return name;
}

std::string UnusableNameReason(const MessageFileName& name) {
  std::string words = InWords(name);
  // The name as written may well exist: say which file is missing.
  if (name.code == error_code::kFileNotFound && ReadsAnotherFile(name)) {
    words = "the library reads " + name.path + ", and there is no such file";
  }
  return words + " (" + DescribeError(name.code, name.context.c_str()) + "; " +
         DescribeError(error_code::kNameUnresolved, nullptr) + ")";
}

bool ReadsAnotherFile(const MessageFileName& name) {
  return !name.written.empty() && name.path != name.written;
}

}  // namespace tralvex::tool
