// One section of a message file: its messages by number, its own and those
// inherited through its alias chain.
#ifndef TRALVEX_CATALOGUE_MESSAGESECTION_H
#define TRALVEX_CATALOGUE_MESSAGESECTION_H

#include <cstddef>
#include <cstdint>
#include <memory>

#include "catalogue/Holdings.h"
#include "catalogue/MessageEntry.h"
#include "catalogue/MessageIndex.h"
#include "catalogue/MessageMap.h"
#include "tralvex/ErrorList.h"

namespace tralvex {

class EntryTable;

// A section is built message by message (AddMessage, MergeMessages), or, as
// the sections of a parsed file are, handed its finished messages at once
// (Freeze) and from then on answers lookups from a read-only index. A
// frozen section that is changed again goes back to being built.
class MessageSection : public ErrorList {
 public:
  // A section on its own, with entries of its own.
  MessageSection();
  // A section of a file, whose entries come from the file's pool so that
  // its sections can share them.
  explicit MessageSection(std::shared_ptr<EntryPool> pool);
  ~MessageSection() override;

  // The text of a message, or null after recording 321 with the number in
  // decimal (as a signed 32-bit value).
  const char* GetMsgString(uint32_t number);

  // The same lookup, recording nothing.
  const char* FindMessage(uint32_t number) const {
    if (frozen_) return index_.Find(number);
    EntryPool::Handle handle = messages_.Find(number);
    return handle != 0 ? pool_->At(handle)->text : nullptr;
  }
  // The lookup of a frozen section, which is all its index: null for a
  // number it lacks and for any number while it is still being built.
  const char* FindIndexed(uint32_t number) const { return index_.Find(number); }

  // The entry of a message, or null. For a frozen section the entries are
  // made on first demand (null also when memory for them runs out) and
  // stay valid until a section of the file changes.
  const MessageEntry* FindEntry(uint32_t number) const;

  // 1 when the number is present afterwards (a present number keeps its
  // text); 0 after recording 272 (no memory for the entry) or 258 (no
  // memory for the map).
  int AddMessage(uint32_t number, const char* text);

  // Takes over every message of other whose number this section lacks, as
  // the same entry with one more sharer. An entry already shared by the
  // most sections a count can hold, or one from another file's pool, is
  // given to this section as an entry of its own with the same text.
  // Returns 1, or 0 after recording 272 or 258.
  int MergeMessages(MessageSection& other);

  // Makes room for count messages in advance; only a hint, so running out
  // of memory here is left for AddMessage to report.
  void ReserveMessages(std::size_t count);

  // Gives up every message; entries no other section holds are freed.
  void ReleaseMessages();

  // Gives back room reserved beyond need; only a hint, like the above.
  void CompactMessages();

  // Forgets every message without counting shares, for when every holder
  // of the pool's entries goes at once together with the pool.
  void DiscardMessages();

  // Replaces the section's messages by the holdings, sorted by number with
  // no number twice, whose texts lie in the text buffer at base. The
  // entries of frozen sections come from the file's entry table. Throws
  // std::bad_alloc, leaving a section that was not frozen as it was.
  void Freeze(const HoldingList& holdings, const char* base, std::shared_ptr<EntryTable> entries);
  bool IsFrozen() const { return frozen_; }

  std::size_t MessageCount() const { return frozen_ ? index_.Size() : messages_.Size(); }

  // Calls f(number, const MessageEntry&) for every message, in no
  // particular order: sort the numbers where order matters. For a frozen
  // section, throws std::bad_alloc when memory for the entries runs out.
  template <typename F>
  void ForEachMessage(F&& f) const {
    if (frozen_) {
      index_.ForEach([this, &f](uint32_t number, const char* text) {
        f(number, static_cast<const MessageEntry&>(FrozenEntry(text)));
      });
      return;
    }
    messages_.ForEach([this, &f](uint32_t number, EntryPool::Handle handle) {
      f(number, static_cast<const MessageEntry&>(*pool_->At(handle)));
    });
  }

  // Calls f(number, text) for every message, in no particular order.
  template <typename F>
  void ForEachText(F&& f) const {
    if (frozen_) {
      index_.ForEach(f);
      return;
    }
    messages_.ForEach([this, &f](uint32_t number, EntryPool::Handle handle) {
      f(number, static_cast<const char*>(pool_->At(handle)->text));
    });
  }

  // The alias target named by the section's last alias line, pointing into
  // the file's text; null when there is none or once it is resolved.
  const char* aliasTarget = nullptr;

 private:
  EntryPool& Pool();
  // MergeMessages from a frozen section: its entries are the file's, so
  // this section's are its own. Throws std::bad_alloc.
  int MergeTexts(const MessageSection& other);
  const MessageEntry& FrozenEntry(const char* text) const;
  // Turns a frozen section back into one built message by message, its
  // messages becoming entries of its own. Throws std::bad_alloc, leaving
  // it frozen.
  void Thaw();
  void Unfreeze();

  // What lookups read first, together.
  bool frozen_ = false;
  MessageIndex index_;

  MessageMap messages_;
  std::shared_ptr<EntryPool> pool_;
  std::shared_ptr<EntryTable> entries_;  // while frozen
  uint32_t ordinal_ = 0;                 // in entries_
};

}  // namespace tralvex

#endif
