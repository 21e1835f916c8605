// The options and operands of one command, and the exit statuses every
// command shares.
#ifndef TRALVEX_TOOLS_COMMANDLINE_H
#define TRALVEX_TOOLS_COMMANDLINE_H

#include <cstdint>
#include <string>
#include <vector>

namespace tralvex::tool {

constexpr int kExitOk = 0;
constexpr int kExitFindings = 1;  // errors found, or a message is missing
constexpr int kExitFailure = 2;   // a usage, input or output failure

// Which options a command takes.
enum OptionBit : unsigned {
  kSectionOption = 1,
  kFormatOption = 2,
  kWerrorOption = 4,
  kDefaultDirOption = 8,
  kCodePageOption = 16,
  kLangOption = 32,       // the language of the built-in texts: en, de or cs
  kOutputOption = 64,     // -o FILE, --output=FILE
  kLanguageOption = 128,  // --lang LL: any language tag, for a translation's header
};

struct Options {
  std::vector<std::string> operands;
  std::string section;
  bool json = false;
  bool werror = false;
  std::string defaultDir;
  unsigned codePage = 0;  // 0: the system's
  std::string lang;
  std::string output;    // -o: the file to write; empty for standard output or in place
  std::string language;  // --lang of kLanguageOption, such as "cs" or "pt_BR"
  bool help = false;
};

// Reads args (the words after the command's name). False with a message
// for an unknown option, a missing or empty value, or a bad value.
bool ParseOptions(const std::vector<std::string>& args, unsigned accepted, Options& options,
                  std::string& error);

// A message number as the tool takes it: hexadecimal digits with an
// optional "0x", at most 8 of them. False for anything else.
bool ParseMessageNumber(const std::string& text, uint32_t& number);

// Applies --codepage, --lang and --default-dir to the library. False with a
// message when one of them cannot be applied.
bool ApplyEnvironment(const Options& options, std::string& error);

}  // namespace tralvex::tool

#endif
