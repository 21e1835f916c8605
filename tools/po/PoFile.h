// A PO file in memory through gettext's own library, libgettextpo: read from
// and written to files or bytes, with every problem the library reports
// collected rather than printed.
#ifndef TRALVEX_TOOLS_PO_POFILE_H
#define TRALVEX_TOOLS_PO_POFILE_H

#include <gettext-po.h>

#include <cstddef>
#include <string>
#include <string_view>
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

  // Reads the PO file at path. byteWise says that its bytes are what
  // PoScan::ByteWise accepts, which lets the library take them byte by byte
  // rather than character by character: faster, to the same result.
  // Everything the library finds wrong is added to problems; false when it
  // could not read the file at all (reason says why).
  bool ReadFile(const std::string& path, bool byteWise, std::vector<PoProblem>& problems,
                std::string& reason);
  // The same for PO text in memory, which the library reads from a private
  // copy on disk.
  bool Read(const std::string& bytes, std::vector<PoProblem>& problems, std::string& reason);

  // Writes the PO text to the file at path (created or truncated), as the
  // library writes it. False with a reason, the file then incomplete.
  bool WriteFile(const std::string& path, std::string& reason) const;
  // The PO text in memory, through a private file. False with a reason.
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

// True for a charset name that stands for UTF-8 ("UTF-8", "utf8").
bool IsUtf8CharsetName(std::string_view charset);

}  // namespace tralvex::tool

#endif
