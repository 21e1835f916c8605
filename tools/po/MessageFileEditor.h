// Changes to a message file that touch only the lines they must: a text
// replaced on its own line, a message added to its section in number order,
// a section added at the end with its alias line. Every other byte stays as
// it was: comments, blank lines, order, line ends, quoting.
#ifndef TRALVEX_TOOLS_PO_MESSAGEFILEEDITOR_H
#define TRALVEX_TOOLS_PO_MESSAGEFILEEDITOR_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "MessageFileLayout.h"

namespace tralvex::tool {

class MessageFileEditor {
 public:
  // bytes and layout are the file's; both must outlive the editor.
  MessageFileEditor(const std::string& bytes, const MessageFileLayout& layout)
      : bytes_(bytes), layout_(layout) {}

  // Texts are in the file's code page; sections are named upper-cased.
  // False when no message line can hold the text.
  bool Replace(std::size_t message, const std::string& text);
  bool Add(std::size_t section, uint32_t number, const std::string& text);
  // A section the file lacks, written as [name] and, when aliasTarget is not
  // empty, an alias line; then its messages in number order. Sections are
  // added in the order of these calls.
  void AddSection(const std::string& name, const std::string& aliasTarget);
  bool AddToNewSection(const std::string& name, uint32_t number, const std::string& text);

  std::size_t Edits() const { return edits_.size() + newSections_.size(); }

  // The file with every change made.
  std::string Result() const;

 private:
  struct Edit {
    std::size_t offset;    // where the edit starts in the old bytes
    std::size_t replaced;  // how many old bytes it takes out
    uint32_t number;       // orders additions at one place
    std::string text;      // what goes in, line ends included
  };
  struct NewSection {
    std::string name;
    std::string aliasTarget;
    std::vector<std::pair<uint32_t, std::string>> lines;  // number and line
  };

  // Where a message of a section goes, to keep the section in number order.
  std::size_t InsertionPoint(std::size_t section, uint32_t number) const;
  // A line end first when offset is not where a line starts.
  std::string LineStartAt(std::size_t offset) const;
  std::string SectionText(const NewSection& section) const;

  const std::string& bytes_;
  const MessageFileLayout& layout_;
  std::vector<Edit> edits_;
  std::vector<NewSection> newSections_;
};

}  // namespace tralvex::tool

#endif
