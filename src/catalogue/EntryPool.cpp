#include <new>

#include "catalogue/MessageEntry.h"

namespace tralvex {

struct EntryPool::Block {
  Block* next;
  MessageEntry* entries;
};

// Blocks grow geometrically up to this many entries, which keeps both the
// number of allocations and the waste of a small file low.
static constexpr std::size_t kLargestBlock = 64 * 1024;

EntryPool::~EntryPool() {
  while (blocks_ != nullptr) {
    Block* next = blocks_->next;
    delete[] blocks_->entries;
    delete blocks_;
    blocks_ = next;
  }
}

bool EntryPool::AddBlock() {
  Block* block = new (std::nothrow) Block;
  if (block == nullptr) return false;
  block->entries = new (std::nothrow) MessageEntry[nextBlockSize_];
  if (block->entries == nullptr) {
    delete block;
    return false;
  }
  block->next = blocks_;
  blocks_ = block;
  next_ = block->entries;
  limit_ = block->entries + nextBlockSize_;
  if (nextBlockSize_ < kLargestBlock) nextBlockSize_ *= 2;
  return true;
}

MessageEntry* EntryPool::Allocate(const char* text) {
  MessageEntry* entry;
  if (freeList_ != nullptr) {
    entry = freeList_;
    // A free entry's text field links it to the next free one.
    freeList_ = const_cast<MessageEntry*>(reinterpret_cast<const MessageEntry*>(entry->text));
  } else {
    if (next_ == limit_ && !AddBlock()) return nullptr;
    entry = next_++;
  }
  entry->text = text;
  entry->shareCount = 1;
  return entry;
}

void EntryPool::Free(MessageEntry* entry) {
  entry->text = reinterpret_cast<const char*>(freeList_);
  entry->shareCount = 0;
  freeList_ = entry;
}

}  // namespace tralvex
