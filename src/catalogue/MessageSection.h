// One section of a message file: its messages by number, its own and those
// inherited through its alias chain.
#ifndef TRALVEX_CATALOGUE_MESSAGESECTION_H
#define TRALVEX_CATALOGUE_MESSAGESECTION_H

#include <cstddef>
#include <cstdint>
#include <memory>

#include "catalogue/MessageEntry.h"
#include "catalogue/MessageMap.h"
#include "tralvex/ErrorList.h"

namespace tralvex {

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
  const char* FindMessage(uint32_t number) const;
  const MessageEntry* FindEntry(uint32_t number) const {
    EntryPool::Handle handle = messages_.Find(number);
    return handle != 0 ? pool_->At(handle) : nullptr;
  }

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
  void DiscardMessages() { messages_.Clear(); }

  std::size_t MessageCount() const { return messages_.Size(); }

  // Calls f(number, const MessageEntry&) for every message, in no
  // particular order: sort the numbers where order matters.
  template <typename F>
  void ForEachMessage(F&& f) const {
    messages_.ForEach([this, &f](uint32_t number, EntryPool::Handle handle) {
      f(number, static_cast<const MessageEntry&>(*pool_->At(handle)));
    });
  }

  // The alias target named by the section's last alias line, pointing into
  // the file's text; null when there is none or once it is resolved.
  const char* aliasTarget = nullptr;

 private:
  EntryPool& Pool();

  MessageMap messages_;
  std::shared_ptr<EntryPool> pool_;
};

}  // namespace tralvex

#endif
