// Opening a message file through the library's own handle functions, after
// the tool has made sure that a failure can be told in words.
#ifndef TRALVEX_TOOLS_CATALOGUEACCESS_H
#define TRALVEX_TOOLS_CATALOGUEACCESS_H

#include <cstdint>
#include <string>

#include "CommandLine.h"

namespace tralvex::tool {

class OpenedCatalogue {
 public:
  OpenedCatalogue() = default;
  OpenedCatalogue(const OpenedCatalogue&) = delete;
  OpenedCatalogue& operator=(const OpenedCatalogue&) = delete;
  ~OpenedCatalogue();

  // Opens `file` (a name without directory is looked for in the default
  // directory when --default-dir was given) and selects `section`, or the
  // file's default section when it is empty. False with a reason.
  bool Open(const std::string& file, const std::string& section, const Options& options,
            std::string& reason);

  uint32_t Handle() const { return handle_; }
  // The upper-cased name of the selected section.
  const std::string& SectionName() const { return sectionName_; }

  // The message as the library returns it, and whether it is missing (the
  // placeholder text then).
  const char* Message(uint32_t number, bool& missing) const;

 private:
  uint32_t handle_ = 0xFFFF;
  std::string sectionName_;
};

}  // namespace tralvex::tool

#endif
