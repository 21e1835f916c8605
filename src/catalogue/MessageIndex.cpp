#include "catalogue/MessageIndex.h"

namespace tralvex {

static constexpr std::size_t kSmallestTable = 8;

std::size_t MessageIndex::HashedCapacity(std::size_t count) {
  std::size_t capacity = kSmallestTable;
  while (count * 5 > capacity * 4) capacity *= 2;
  return capacity;
}

void MessageIndex::Build(const Holding* first, std::size_t count, const char* base) {
  Clear();
  if (count == 0) return;
  base_ = base;
  const uint64_t span = uint64_t{first[count - 1].number} - first[0].number + 1;
  // The array where it takes no more room than the table would.
  if (span * sizeof(uint32_t) <= HashedCapacity(count) * 2 * sizeof(uint32_t)) {
    BuildDense(first, count);
  } else {
    BuildHashed(first, count);
  }
  count_ = count;
}

void MessageIndex::BuildDense(const Holding* first, std::size_t count) {
  lowest_ = first[0].number;
  const uint32_t span = first[count - 1].number - lowest_ + 1;
  slots_ = new uint32_t[span]();
  for (std::size_t i = 0; i < count; ++i) slots_[first[i].number - lowest_] = first[i].text;
  span_ = span;
  dense_ = true;
}

void MessageIndex::BuildHashed(const Holding* first, std::size_t count) {
  const std::size_t capacity = HashedCapacity(count);
  slots_ = new uint32_t[2 * capacity]();
  mask_ = capacity - 1;
  shift_ = 64;
  for (std::size_t c = capacity; c > 1; c >>= 1) --shift_;
  for (std::size_t k = 0; k < count; ++k) {
    std::size_t i = HashOf(first[k].number);
    while (slots_[2 * i + 1] != 0) i = (i + 1) & mask_;
    slots_[2 * i] = first[k].number;
    slots_[2 * i + 1] = first[k].text;
  }
}

std::size_t MessageIndex::HeldBytes() const {
  if (slots_ == nullptr) return 0;
  return (dense_ ? std::size_t{span_} : 2 * (mask_ + 1)) * sizeof(uint32_t);
}

void MessageIndex::Clear() {
  delete[] slots_;
  slots_ = nullptr;
  base_ = nullptr;
  count_ = 0;
  dense_ = false;
  lowest_ = 0;
  span_ = 0;
  mask_ = 0;
  shift_ = 63;
}

}  // namespace tralvex
