#include "po/PoExport.h"

#include <charconv>
#include <filesystem>
#include <optional>

#include "Reporter.h"
#include "TextTraits.h"
#include "catalogue/TrimBlanks.h"
#include "po/SectionList.h"

namespace tralvex::tool {
namespace {

class Exporter {
 public:
  Exporter(const LoadedMessageFile& base, const LoadedMessageFile* translation,
           const ExportSettings& settings, DiagnosticList& problems)
      : base_(base), translation_(translation), text_(*settings.codePage), problems_(problems) {}

  // The bytes at offset of a file in UTF-8, or a problem placed there.
  bool Utf8(const LoadedMessageFile& file, std::size_t offset, std::string_view bytes,
            std::string& out) {
    std::size_t bad = 0;
    if (text_.ToUtf8(bytes, out, bad)) return true;
    Place place = file.PlaceOf(offset + bad);
    problems_.Add(file.Path(), place.line, place.column, Severity::kError,
                  "byte " + Hex(static_cast<unsigned char>(bytes[bad])) +
                      " starts no character of code page " + std::to_string(text_.CodePage()) +
                      ": the text cannot be written in UTF-8",
                  "encoding");
    return false;
  }

  std::string Header(const std::string& language) {
    std::vector<ListedSection> sections;
    for (const WrittenSection& section : base_.Layout().Sections()) {
      sections.push_back(
          {text_.ToUtf8Escaped(section.name), text_.ToUtf8Escaped(section.aliasTarget)});
    }
    return "Project-Id-Version: " + std::filesystem::path(base_.Path()).filename().string() +
           "\n"
           "PO-Revision-Date: \n"
           "Last-Translator: \n"
           "Language-Team: \n"
           "Language: " +
           language +
           "\n"
           "MIME-Version: 1.0\n"
           "Content-Type: text/plain; charset=UTF-8\n"
           "Content-Transfer-Encoding: 8bit\n" +
           kSectionsField + ": " + FormatSectionList(sections) + "\n";
  }

  void AddEntry(const WrittenMessage& message, PoMessages& messages) {
    const std::string& bytes = base_.Bytes();
    std::string_view text(bytes.data() + message.text, message.textLength);
    if (text.empty()) return;  // nothing to translate
    const std::string& section = base_.Layout().Sections()[message.section].name;
    const std::string* context = SectionInUtf8(message.section);
    // The strings are the exporter's, used again for every entry: the
    // library copies what it keeps.
    msgid_.clear();
    msgstr_.clear();
    bool ok = context != nullptr;
    ok = Utf8(base_, message.text, text, msgid_) && ok;
    if (translation_ != nullptr) {
      if (std::optional<FoundText> found = translation_->Find(section, message.number)) {
        ok = Utf8(*translation_, found->offset, found->text, msgstr_) && ok;
      }
    }
    if (!ok) return;
    po_message_t entry = po_message_create();
    po_message_set_msgctxt(entry, EntryContext(*context, message.number).c_str());
    po_message_set_msgid(entry, msgid_.c_str());
    po_message_set_msgstr(entry, msgstr_.c_str());
    po_message_add_filepos(entry, base_.Path().c_str(), base_.LineOf(message.line.start));
    std::string comment = Comment(message);
    if (!comment.empty()) po_message_set_extracted_comments(entry, comment.c_str());
    if (TraitsOf(text).textConversions > 0) po_message_set_format(entry, "c-format", 1);
    messages.Append(entry);
  }

 private:
  // The name in UTF-8, converted once; null when it cannot be.
  const std::string* SectionInUtf8(std::size_t index) {
    if (sectionNames_.empty()) sectionNames_.resize(base_.Layout().Sections().size());
    std::optional<std::string>& name = sectionNames_[index];
    if (!name) {
      const WrittenSection& section = base_.Layout().Sections()[index];
      std::string converted;
      std::size_t at = section.header == kNoIndex ? 0 : section.header;
      if (!Utf8(base_, at, section.name, converted)) converted.clear();
      name = converted;
    }
    return name->empty() ? nullptr : &*name;
  }

  // What follows the line's last ";", for the translator to read.
  std::string Comment(const WrittenMessage& message) const {
    if (message.cut == message.line.end) return std::string();
    std::string_view comment(base_.Bytes().data() + message.cut + 1,
                             message.line.end - message.cut - 1);
    return text_.ToUtf8Escaped(TrimBlanks(comment));
  }

  const LoadedMessageFile& base_;
  const LoadedMessageFile* translation_;
  const CodePageText& text_;
  DiagnosticList& problems_;
  std::vector<std::optional<std::string>> sectionNames_;
  std::string msgid_, msgstr_;
};

}  // namespace

std::string EntryContext(const std::string& section, uint32_t number) {
  char digits[8];
  char* end = std::to_chars(digits, digits + sizeof digits, number, 16).ptr;
  std::string context;
  context.reserve(section.size() + 1 + static_cast<std::size_t>(end - digits));
  context.append(section).append(1, '/');
  for (const char* p = digits; p < end; ++p) {
    context += static_cast<char>(*p >= 'a' && *p <= 'f' ? *p - 'a' + 'A' : *p);
  }
  return context;
}

void BuildPo(const LoadedMessageFile& base, const LoadedMessageFile* translation,
             const ExportSettings& settings, PoFile& po, DiagnosticList& problems) {
  Exporter exporter(base, translation, settings, problems);
  PoMessages messages(po);
  po_message_t header = po_message_create();
  po_message_set_msgid(header, "");
  po_message_set_msgstr(header, exporter.Header(settings.language).c_str());
  messages.Append(header);
  for (const WrittenMessage& message : base.Layout().Messages()) {
    if (message.counts) exporter.AddEntry(message, messages);
  }
}

}  // namespace tralvex::tool
