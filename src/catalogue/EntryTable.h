// The entries of the sections of a parsed file, made on first demand.
//
// Lookups in a parsed file read its sections' indexes, which hold texts
// alone; the entries that say which sections share a message are needed
// only by those who inspect a file (the tool, the tests). They follow from
// the indexes: an inherited message is the defining line's text, so the
// sections holding one text pointer share one entry, and its share count is
// the number of those sections. A text held by more sections than a count
// can hold gets one entry per 65,535 of them, in section order.
#ifndef TRALVEX_CATALOGUE_ENTRYTABLE_H
#define TRALVEX_CATALOGUE_ENTRYTABLE_H

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "catalogue/MessageEntry.h"

namespace tralvex {

class MessageIndex;

class EntryTable {
 public:
  EntryTable() = default;
  EntryTable(const EntryTable&) = delete;
  EntryTable& operator=(const EntryTable&) = delete;

  // Adds the index of a section; the result names it from then on.
  // Throws std::bad_alloc.
  uint32_t Add(const MessageIndex* index);

  // The section is going or changing: it holds nothing from now on.
  void Forget(uint32_t ordinal);

  // The entry the section holds for that text, which it must hold; null
  // when memory for the entries runs out.
  const MessageEntry* EntryOf(uint32_t ordinal, const char* text) const;

 private:
  struct Group {
    uint32_t firstEntry = 0;
    uint32_t holders = 0;
  };

  // Makes the entries from the indexes as they are now. Throws
  // std::bad_alloc.
  void Build() const;
  void Drop() const;

  std::vector<const MessageIndex*> indexes_;  // by ordinal; null once forgotten
  mutable bool built_ = false;
  mutable std::unordered_map<const char*, Group> groups_;  // by text
  mutable std::vector<MessageEntry> entries_;
  // The holders of texts held more often than a count can say, in order.
  mutable std::unordered_map<const char*, std::vector<uint32_t>> crowded_;
};

}  // namespace tralvex

#endif
