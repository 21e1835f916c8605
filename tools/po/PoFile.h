// A PO file in memory through gettext's own library, libgettextpo: read from
// and written to bytes, with every problem the library reports collected
// rather than printed.
#ifndef TRALVEX_TOOLS_PO_POFILE_H
#define TRALVEX_TOOLS_PO_POFILE_H

#include <gettext-po.h>

#include <cstddef>
#include <string>
#include <vector>

namespace tralvex::tool {

struct PoProblem {
  std::size_t line = 0;    // in the PO file; 0 when the library names none
  std::size_t column = 0;  // 0 when the library names none
  bool warning = false;
  std::string text;
};

class PoFile {
 public:
  PoFile();  // empty
  PoFile(const PoFile&) = delete;
  PoFile& operator=(const PoFile&) = delete;
  ~PoFile();

  // Reads PO text. Everything the library finds wrong is added to problems;
  // false when it could not read the text at all (reason says why).
  bool Read(const std::string& bytes, std::vector<PoProblem>& problems, std::string& reason);

  // The PO text, as the library writes it. False with a reason.
  bool Write(std::string& bytes, std::string& reason) const;

  po_file_t Handle() const { return file_; }

 private:
  static void Free(po_file_t file);

  po_file_t file_;
};

// The messages of the default domain, in file order.
class PoMessages {
 public:
  explicit PoMessages(const PoFile& file);
  PoMessages(const PoMessages&) = delete;
  PoMessages& operator=(const PoMessages&) = delete;
  ~PoMessages();

  po_message_t Next() { return po_next_message(iterator_); }
  // Adds a message at the end; the file owns it.
  void Append(po_message_t message) { po_message_insert(iterator_, message); }

 private:
  po_message_iterator_t iterator_;
};

// A field of a header entry's text, or empty.
std::string HeaderField(const char* header, const char* field);

}  // namespace tralvex::tool

#endif
