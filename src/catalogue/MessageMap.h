// The map from message number to entry behind a section: open addressing
// with linear probing over a power-of-two table of 8-byte slots, because a
// file's messages are inserted once and then only looked up, and one probe
// into a small flat array is what keeps parsing and lookup fast.
#ifndef TRALVEX_CATALOGUE_MESSAGEMAP_H
#define TRALVEX_CATALOGUE_MESSAGEMAP_H

#include <cstddef>
#include <cstdint>

#include "catalogue/MessageEntry.h"

namespace tralvex {

class MessageMap {
 public:
  using Handle = EntryPool::Handle;

  MessageMap() = default;
  MessageMap(const MessageMap&) = delete;
  MessageMap& operator=(const MessageMap&) = delete;
  ~MessageMap() { delete[] slots_; }

  // The entry of number, or 0.
  Handle Find(uint32_t number) const;

  // The place of number's entry: its entry when present, else a 0 the
  // caller fills with a new entry and then reports with Inserted(). Leaving
  // it 0 is allowed. Throws std::bad_alloc when the table must grow and
  // cannot.
  Handle& Slot(uint32_t number);
  void Inserted() { ++size_; }

  // Makes room for count entries without further growth.
  void Reserve(std::size_t count);

  // Gives back a table far larger than its entries need (a guess that was
  // too large). Throws std::bad_alloc, leaving the map as it was.
  void ShrinkToFit();

  // Grows the table to at least other's table size.
  void MatchCapacity(const MessageMap& other) {
    if (capacity_ < other.capacity_) Rehash(other.capacity_);
  }

  std::size_t Size() const { return size_; }
  std::size_t Capacity() const { return capacity_; }

  // Forgets every entry and frees the table.
  void Clear();

  // Calls f(number, handle) for every entry, in table order: an order that
  // depends on the numbers and the table size, nothing else.
  template <typename F>
  void ForEach(F&& f) const {
    for (std::size_t i = 0; i < capacity_; ++i) {
      if (slots_[i].handle != 0) f(slots_[i].number, slots_[i].handle);
    }
  }

 private:
  struct SlotData {
    uint32_t number;
    Handle handle;  // 0: the slot is free
  };

  std::size_t IndexOf(uint32_t number) const {
    return static_cast<std::size_t>((number * 0x9E3779B97F4A7C15ull) >> shift_);
  }
  // Tables are kept at most three quarters full.
  static bool NeedsRoom(std::size_t count, std::size_t capacity) {
    return count * 4 > capacity * 3;
  }
  bool NeedsRoomFor(std::size_t count) const { return NeedsRoom(count, capacity_); }
  void Rehash(std::size_t capacity);

  SlotData* slots_ = nullptr;
  std::size_t capacity_ = 0;  // 0 or a power of two
  std::size_t size_ = 0;
  unsigned shift_ = 63;  // 64 - log2(capacity_)
};

}  // namespace tralvex

#endif
