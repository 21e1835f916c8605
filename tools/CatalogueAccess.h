// Where the commands look messages up: a message file opened through the
// library's handle functions, or the message context of a directory's
// "Tralvex.ini" opened through its context functions. The tool checks the
// input first, so that a failure can be told in words.
#ifndef TRALVEX_TOOLS_CATALOGUEACCESS_H
#define TRALVEX_TOOLS_CATALOGUEACCESS_H

#include <cstdint>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "tralvex/tralvex.h"

namespace tralvex::tool {

// The room the commands give the library's output: the prefilled-length
// rule cuts whatever does not fit.
constexpr std::size_t kOutputRoom = 65535;

class MessageSource {
 public:
  MessageSource() = default;
  MessageSource(const MessageSource&) = delete;
  MessageSource& operator=(const MessageSource&) = delete;
  ~MessageSource();

  // A directory opens its context; a file opens a catalogue handle on it
  // (a name without directory is looked for in the default directory when
  // --default-dir was given) with `section` or the default section selected,
  // or, with `asContext`, a context on that one file. kExitOk, or the exit
  // status of the failure with a reason: kExitFindings when the file or
  // section is at fault, kExitFailure when it cannot be read.
  int Open(const std::string& operand, const std::string& section, bool asContext,
           const Options& options, std::string& reason);

  bool IsContext() const { return context_ != nullptr; }
  // "section X of FILE" or "the context of DIR".
  const std::string& Description() const { return description_; }

  // The message as the library returns it; `missing` tells the placeholder.
  const char* Message(uint32_t number, bool& missing) const;
  // Why a missing number is missing.
  std::string WhyMissing(uint32_t number) const;

  // The library's evaluation and formatting into `result`; their status.
  int Evaluate(const std::string& source, std::string& result) const;
  int Format(uint32_t number, const std::vector<std::string>& args, std::string& result) const;

 private:
  int OpenContext(const std::string& path, std::string& reason);

  uint32_t handle_ = 0xFFFF;
  Mes_Context* context_ = nullptr;
  std::string description_;
  std::string iniPath_;
};

}  // namespace tralvex::tool

#endif
