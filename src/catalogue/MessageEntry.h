// One message text and the block allocator its entries come from.
#ifndef TRALVEX_CATALOGUE_MESSAGEENTRY_H
#define TRALVEX_CATALOGUE_MESSAGEENTRY_H

#include <cstddef>
#include <cstdint>

namespace tralvex {

struct MessageEntry {
  const char* text;     // NUL-terminated, in the file's text buffer
  uint16_t shareCount;  // number of sections holding this entry
};

// The most sections one entry can be shared by; a section that would be one
// more gets an entry of its own for the same text.
inline constexpr uint16_t kMaxEntryShares = UINT16_MAX;

// Hands out entries from blocks, so that a file of many messages costs a few
// allocations rather than one per message. Entries given back are reused.
// Every entry lives until the pool is destroyed at the latest, which is why
// all sections that may share entries share one pool.
class EntryPool {
 public:
  EntryPool() = default;
  EntryPool(const EntryPool&) = delete;
  EntryPool& operator=(const EntryPool&) = delete;
  ~EntryPool();

  // A new entry for text with a share count of 1, or null when memory
  // cannot be obtained.
  MessageEntry* Allocate(const char* text);

  // Gives an entry whose share count has dropped to 0 back for reuse.
  void Free(MessageEntry* entry);

 private:
  struct Block;
  bool AddBlock();

  Block* blocks_ = nullptr;
  MessageEntry* next_ = nullptr;
  MessageEntry* limit_ = nullptr;
  MessageEntry* freeList_ = nullptr;
  std::size_t nextBlockSize_ = 64;
};

}  // namespace tralvex

#endif
