#include "catalogue/MessageMap.h"

namespace tralvex {

static constexpr std::size_t kSmallestTable = 16;

MessageMap::Handle MessageMap::Find(uint32_t number) const {
  if (size_ == 0) return 0;
  const std::size_t mask = capacity_ - 1;
  for (std::size_t i = IndexOf(number);; i = (i + 1) & mask) {
    const SlotData& slot = slots_[i];
    if (slot.handle == 0) return 0;
    if (slot.number == number) return slot.handle;
  }
}

MessageMap::Handle& MessageMap::Slot(uint32_t number) {
  if (NeedsRoomFor(size_ + 1)) Rehash(capacity_ == 0 ? kSmallestTable : capacity_ * 2);
  const std::size_t mask = capacity_ - 1;
  for (std::size_t i = IndexOf(number);; i = (i + 1) & mask) {
    SlotData& slot = slots_[i];
    if (slot.handle == 0) {
      slot.number = number;
      return slot.handle;
    }
    if (slot.number == number) return slot.handle;
  }
}

void MessageMap::Reserve(std::size_t count) {
  if (!NeedsRoomFor(count)) return;
  std::size_t capacity = capacity_ == 0 ? kSmallestTable : capacity_;
  while (NeedsRoom(count, capacity)) capacity *= 2;
  Rehash(capacity);
}

void MessageMap::ShrinkToFit() {
  if (size_ == 0) {
    Clear();
    return;
  }
  std::size_t capacity = kSmallestTable;
  while (NeedsRoom(size_, capacity)) capacity *= 2;
  if (capacity * 4 <= capacity_) Rehash(capacity);
}

void MessageMap::Rehash(std::size_t capacity) {
  SlotData* fresh = new SlotData[capacity]();
  SlotData* old = slots_;
  std::size_t oldCapacity = capacity_;
  slots_ = fresh;
  capacity_ = capacity;
  shift_ = 64;
  for (std::size_t c = capacity; c > 1; c >>= 1) --shift_;
  const std::size_t mask = capacity_ - 1;
  for (std::size_t j = 0; j < oldCapacity; ++j) {
    if (old[j].handle == 0) continue;
    std::size_t i = IndexOf(old[j].number);
    while (slots_[i].handle != 0) i = (i + 1) & mask;
    slots_[i] = old[j];
  }
  delete[] old;
}

void MessageMap::Clear() {
  delete[] slots_;
  slots_ = nullptr;
  capacity_ = 0;
  size_ = 0;
  shift_ = 63;
}

}  // namespace tralvex
