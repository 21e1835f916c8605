#include "CommandLine.h"

#include <cstdlib>

#include "InputFiles.h"
#include "api/Module.h"
#include "errors/BuiltInTexts.h"
#include "platform/CodePage.h"
#include "tralvex/tralvex.h"

namespace tralvex::tool {
namespace {

struct OptionName {
  const char* name;
  unsigned bit;
  bool takesValue;
};

constexpr OptionName kOptionNames[] = {
    {"--section", kSectionOption, true},   {"--format", kFormatOption, true},
    {"--werror", kWerrorOption, false},    {"--default-dir", kDefaultDirOption, true},
    {"--codepage", kCodePageOption, true}, {"--lang", kLangOption, true},
    {"-o", kOutputOption, true},           {"--output", kOutputOption, true},
    {"--lang", kLanguageOption, true},
};

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Decimal digits only, and few enough that the number cannot wrap into a
// known one (4294968546 is 1250 plus 2 to the 32nd).
bool ReadCodePageNumber(const std::string& text, unsigned& id) {
  constexpr std::size_t kMostDigits = 5;
  if (text.empty() || text.size() > kMostDigits) return false;
  id = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    id = id * 10 + static_cast<unsigned>(c - '0');
  }
  return true;
}

// A language tag as PO headers carry it: "cs", "pt_BR", "sr@latin".
bool IsLanguageTag(const std::string& value) {
  std::size_t i = 0;
  auto letters = [&](bool upper, std::size_t min, std::size_t max) {
    std::size_t start = i;
    while (i < value.size() && i - start < max &&
           (upper ? value[i] >= 'A' && value[i] <= 'Z' : value[i] >= 'a' && value[i] <= 'z')) {
      ++i;
    }
    return i - start >= min;
  };
  if (!letters(false, 2, 3)) return false;
  if (i < value.size() && value[i] == '_' && (++i, !letters(true, 2, 2))) return false;
  if (i < value.size() && value[i] == '@' && (++i, !letters(false, 1, 16))) return false;
  return i == value.size();
}

bool SetOption(const OptionName& option, const std::string& value, Options& options,
               std::string& error) {
  const std::string name = option.name;
  if (option.bit == kLanguageOption) {
    if (!IsLanguageTag(value)) {
      error = "--lang takes a language such as cs, de or pt_BR, not \"" + value + "\"";
      return false;
    }
    options.language = value;
  } else if (option.bit == kOutputOption) {
    options.output = value;
  } else if (name == "--section") {
    options.section = value;
  } else if (name == "--format") {
    if (value != "json" && value != "text") {
      error = "--format takes \"text\" or \"json\", not \"" + value + "\"";
      return false;
    }
    options.json = value == "json";
  } else if (name == "--default-dir") {
    options.defaultDir = value;
  } else if (name == "--codepage") {
    unsigned id = 0;
    if (!ReadCodePageNumber(value, id) || platform::FindCodePage(id) == nullptr) {
      error = "unknown code page \"" + value +
              "\" (known: 1250, 1251, 1252, 932, 936, 949, 950, 65001)";
      return false;
    }
    options.codePage = id;
  } else if (name == "--lang") {
    if (value != "en" && value != "de" && value != "cs") {
      error = "--lang takes en, de or cs, not \"" + value + "\"";
      return false;
    }
    options.lang = value;
  }
  return true;
}

// The locale identifier whose primary language is the one named.
uint32_t LocaleOf(const std::string& lang) {
  if (lang == "cs") return 0x0405;
  if (lang == "de") return 0x0407;
  return 0x0409;
}

}  // namespace

bool ParseOptions(const std::vector<std::string>& args, unsigned accepted, Options& options,
                  std::string& error) {
  bool operandsOnly = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (operandsOnly || arg.size() < 2 || arg[0] != '-') {
      options.operands.push_back(arg);
      continue;
    }
    if (arg == "--") {
      operandsOnly = true;
      continue;
    }
    if (arg == "--help" || arg == "-h") {
      options.help = true;
      continue;
    }
    std::size_t equals = arg.find('=');
    std::string name = arg.substr(0, equals);
    const OptionName* found = nullptr;
    for (const OptionName& option : kOptionNames) {
      if (name == option.name && (accepted & option.bit) != 0) found = &option;
    }
    if (found == nullptr) {
      // A negative number or a text beginning with "-" is an operand.
      if (arg[1] != '-') {
        options.operands.push_back(arg);
        continue;
      }
      error = "unknown option \"" + name + "\"";
      return false;
    }
    if (!found->takesValue) {
      if (equals != std::string::npos) {
        error = name + " takes no value";
        return false;
      }
      options.werror = true;
      continue;
    }
    std::string value;
    if (equals != std::string::npos) {
      value = arg.substr(equals + 1);
    } else if (i + 1 < args.size()) {
      value = args[++i];
    } else {
      error = name + " needs a value";
      return false;
    }
    if (value.empty()) {
      error = name + " has an empty value";
      return false;
    }
    if (!SetOption(*found, value, options, error)) return false;
  }
  return true;
}

bool ParseMessageNumber(const std::string& text, uint32_t& number) {
  std::size_t start =
      text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X') ? 2 : 0;
  std::size_t digits = text.size() - start;
  if (digits == 0 || digits > 8) return false;
  for (std::size_t i = start; i < text.size(); ++i) {
    if (!IsHexDigit(text[i])) return false;
  }
  number = static_cast<uint32_t>(std::strtoul(text.c_str() + start, nullptr, 16));
  return true;
}

bool ApplyEnvironment(const Options& options, std::string& error) {
  if (options.codePage != 0) platform::UseCodePage(options.codePage);
  if (!options.lang.empty()) {
    TheModule().texts = SelectBuiltInTexts(LocaleOf(options.lang), platform::ActiveCodePage().id);
  }
  if (!options.defaultDir.empty()) {
    if (!IsDirectory(options.defaultDir)) {
      error = options.defaultDir + ": no such directory (--default-dir)";
      return false;
    }
    std::string directory = AbsolutePath(options.defaultDir);
    if (Msg_SetDefaultDir(directory.c_str()) == 0) {
      error = options.defaultDir + ": the library refuses it as the default directory";
      return false;
    }
  }
  return true;
}

}  // namespace tralvex::tool
