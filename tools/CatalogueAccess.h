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
#include "Commands.h"
#include "PreloadedFile.h"
#include "RangeMap.h"
#include "tralvex/tralvex.h"

namespace tralvex::tool {

struct MessageFileName;

class MessageSource {
 public:
  MessageSource() = default;
  MessageSource(const MessageSource&) = delete;
  MessageSource& operator=(const MessageSource&) = delete;
  ~MessageSource();

  // A directory opens its context; a file opens a catalogue handle on the
  // file the library resolves the name to (a name without directory is
  // looked for in the default directory when --default-dir was given), with
  // `section` or the default section selected, or, with `asContext`, a
  // context on that one file. The file is read and parsed once, by the
  // tool, and the library's catalogue shares that parse. kExitOk, or the
  // exit status of the failure with a reason: kExitFindings when the file
  // or section is at fault, kExitFailure when it cannot be read.
  int Open(const std::string& operand, const std::string& section, bool asContext,
           const Options& options, std::string& reason);

  bool IsContext() const { return context_ != nullptr; }
  // "section X of FILE" or "the context of DIR".
  const std::string& Description() const { return description_; }
  // Which file the library reads, when it is not the one the operand names
  // as written; empty otherwise.
  const std::string& FileNote() const { return fileNote_; }

  // The message as the library returns it; `missing` tells the placeholder.
  const char* Message(uint32_t number, bool& missing) const;
  // Why a missing number is missing.
  std::string WhyMissing(uint32_t number) const;

  // The library's evaluation and formatting into `result`, whole however
  // long it is; their status.
  int Evaluate(const std::string& source, std::string& result) const;
  int Format(uint32_t number, const std::vector<std::string>& args, std::string& result) const;

 private:
  int OpenDirectory(const std::string& operand, std::string& reason);
  int OpenFile(const std::string& operand, const std::string& section, bool asContext,
               const Options& options, std::string& reason);
  // Opens a catalogue by handle on the file the tool has just parsed.
  int OpenCatalogue(const MessageFileName& name, const std::string& operand,
                    const std::string& section, std::string& reason);
  int OpenContext(const std::string& path, std::string& reason);

  uint32_t handle_ = 0xFFFF;
  Mes_Context* context_ = nullptr;
  // Declared before the handle and context go, so destroyed after them.
  PreloadedFile file_;
  RangeMap map_;  // the context's, for a directory
  std::string description_;
  std::string fileNote_;
};

// Opens options.operands[0] for a command; on failure tells why on
// standard error, and on success which file is read when it is not the one
// named. Returns what Open returns.
int OpenMessageSource(const char* command, MessageSource& source, bool asContext,
                      const Options& options, Streams& io);

}  // namespace tralvex::tool

#endif
