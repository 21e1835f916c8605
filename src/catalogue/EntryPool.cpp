#include <new>

#include "catalogue/MessageEntry.h"

namespace tralvex {

// Handles are 32 bits wide; past this the pool reports exhaustion.
static constexpr std::size_t kMostEntries = UINT32_MAX - 1;

EntryPool::~EntryPool() {
  for (MessageEntry* block : blocks_) delete[] block;
}

bool EntryPool::AddBlock() {
  if (capacity_ >= kMostEntries) return false;
  // Each block doubles the capacity, so an index finds its block by its
  // highest bit.
  std::size_t size = std::size_t{1} << (kFirstBlockShift + blocks_.size());
  try {
    blocks_.reserve(blocks_.size() + 1);
  } catch (...) {
    return false;
  }
  MessageEntry* block = new (std::nothrow) MessageEntry[size];
  if (block == nullptr) return false;
  blocks_.push_back(block);
  capacity_ += size;
  next_ = block;
  limit_ = block + size;
  return true;
}

EntryPool::Handle EntryPool::Allocate(const char* text) {
  Handle handle;
  MessageEntry* entry;
  if (freeList_ != 0) {
    handle = freeList_;
    entry = At(handle);
    // A free entry's text field holds the handle of the next free one.
    freeList_ = static_cast<Handle>(reinterpret_cast<uintptr_t>(entry->text));
  } else {
    if (used_ >= kMostEntries || (next_ == limit_ && !AddBlock())) return 0;
    handle = static_cast<Handle>(++used_);
    entry = next_++;
  }
  entry->text = text;
  entry->shareCount = 1;
  return handle;
}

void EntryPool::Free(Handle handle) {
  MessageEntry* entry = At(handle);
  entry->text = reinterpret_cast<const char*>(static_cast<uintptr_t>(freeList_));
  entry->shareCount = 0;
  freeList_ = handle;
}

}  // namespace tralvex
