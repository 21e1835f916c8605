// One message text and the block allocator its entries come from.
#ifndef TRALVEX_CATALOGUE_MESSAGEENTRY_H
#define TRALVEX_CATALOGUE_MESSAGEENTRY_H

#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tralvex {

struct MessageEntry {
  const char* text;     // NUL-terminated, in the file's text buffer
  uint16_t shareCount;  // number of sections holding this entry
};

// The most sections one entry can be shared by; a section that would be one
// more gets an entry of its own for the same text.
inline constexpr uint16_t kMaxEntryShares = UINT16_MAX;

// Hands out entries from blocks, so that a file of many messages costs a few
// allocations rather than one per message. An entry is named by a 32-bit
// handle, which keeps the maps that refer to entries at half the size that
// pointers would need. Entries given back are reused. Every entry lives
// until the pool is destroyed at the latest, which is why all sections that
// may share entries share one pool.
class EntryPool {
 public:
  using Handle = uint32_t;  // 0 names no entry

  EntryPool() = default;
  EntryPool(const EntryPool&) = delete;
  EntryPool& operator=(const EntryPool&) = delete;
  ~EntryPool();

  // A new entry for text with a share count of 1, or 0 when memory cannot
  // be obtained.
  Handle Allocate(const char* text);

  // Gives an entry whose share count has dropped to 0 back for reuse.
  void Free(Handle handle);

  MessageEntry* At(Handle handle) const {
    // Block b holds kFirstBlock << b entries: the position of the highest
    // bit of the index, in units of the first block, names the block.
    std::size_t index = handle - 1;
    unsigned block = std::bit_width((index >> kFirstBlockShift) + 1) - 1;
    std::size_t blockStart = ((std::size_t{1} << block) - 1) << kFirstBlockShift;
    return blocks_[block] + (index - blockStart);
  }

 private:
  static constexpr unsigned kFirstBlockShift = 6;

  bool AddBlock();

  std::vector<MessageEntry*> blocks_;
  std::size_t used_ = 0;           // entries handed out from the blocks so far
  std::size_t capacity_ = 0;       // entries in all blocks
  MessageEntry* next_ = nullptr;   // the next fresh entry of the last block
  MessageEntry* limit_ = nullptr;  // the end of the last block
  Handle freeList_ = 0;
};

}  // namespace tralvex

#endif
