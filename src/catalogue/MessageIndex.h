// The read-only lookup of a section of a parsed file: message number to
// text in one load. A file's sections never change once its aliases are
// resolved, so each gets an index built for lookup alone: where its numbers
// are dense, an array of text offsets by number minus the section's lowest
// number; elsewhere a hash table of 8-byte slots, number and text offset.
// Offsets into the file's text buffer take half the room of pointers, and a
// text never starts at offset 0 (a colon stands before it), so 0 marks a
// number the section lacks.
#ifndef TRALVEX_CATALOGUE_MESSAGEINDEX_H
#define TRALVEX_CATALOGUE_MESSAGEINDEX_H

#include <cstddef>
#include <cstdint>

#include "catalogue/Holdings.h"

namespace tralvex {

class MessageIndex {
 public:
  MessageIndex() = default;
  MessageIndex(const MessageIndex&) = delete;
  MessageIndex& operator=(const MessageIndex&) = delete;
  ~MessageIndex() { Clear(); }

  // The most bytes an index takes per message it holds: a hash table at
  // its lowest load, and a dense array is only chosen when smaller.
  static constexpr std::size_t kMostBytesPerMessage = 20;

  // Builds the index of holdings [first, first + count), which are sorted by
  // number with no number twice and whose text offsets lie in the buffer at
  // base. Throws std::bad_alloc, leaving the index empty.
  void Build(const Holding* first, std::size_t count, const char* base);

  // The text of number, or null.
  const char* Find(uint32_t number) const {
    if (dense_) {
      const uint32_t place = number - lowest_;
      if (place >= span_) return nullptr;
      const uint32_t text = slots_[place];
      return text != 0 ? base_ + text : nullptr;
    }
    return FindHashed(number);
  }

  std::size_t Size() const { return count_; }

  // The bytes the index holds, for the tests and the benchmarks.
  std::size_t HeldBytes() const;

  // Calls f(number, text) for every message: ascending where the index is
  // dense, in table order otherwise.
  template <typename F>
  void ForEach(F&& f) const {
    if (dense_) {
      for (uint32_t place = 0; place < span_; ++place) {
        if (slots_[place] != 0) f(lowest_ + place, base_ + slots_[place]);
      }
      return;
    }
    for (std::size_t i = 0; i <= mask_ && count_ != 0; ++i) {
      if (slots_[2 * i + 1] != 0) f(slots_[2 * i], base_ + slots_[2 * i + 1]);
    }
  }

  void Clear();

 private:
  // Hashed tables are kept at most four fifths full: a lookup of a number
  // that is present then reads three slots on average, all in one or two
  // cache lines.
  static std::size_t HashedCapacity(std::size_t count);

  std::size_t HashOf(uint32_t number) const {
    return static_cast<std::size_t>((number * 0x9E3779B97F4A7C15ull) >> shift_);
  }

  const char* FindHashed(uint32_t number) const {
    if (count_ == 0) return nullptr;
    for (std::size_t i = HashOf(number);; i = (i + 1) & mask_) {
      const uint32_t text = slots_[2 * i + 1];
      if (text == 0) return nullptr;
      if (slots_[2 * i] == number) return base_ + text;
    }
  }

  void BuildDense(const Holding* first, std::size_t count);
  void BuildHashed(const Holding* first, std::size_t count);

  // Dense: one text offset per number from lowest_ on. Hashed: pairs of
  // number and text offset, mask_ + 1 of them.
  uint32_t* slots_ = nullptr;
  const char* base_ = nullptr;
  std::size_t count_ = 0;
  bool dense_ = false;
  uint32_t lowest_ = 0;
  uint32_t span_ = 0;
  std::size_t mask_ = 0;
  unsigned shift_ = 63;
};

}  // namespace tralvex

#endif
