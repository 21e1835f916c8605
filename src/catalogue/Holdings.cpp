#include "catalogue/Holdings.h"

#include <algorithm>
#include <cstddef>

namespace tralvex {
namespace {

// A stable sort by number: least significant digit first, three digits of
// 11, 11 and 10 bits. Linear, where a comparison sort of a large section
// would cost more than the rest of the parse.
constexpr unsigned kDigitBits = 11;
constexpr std::size_t kBuckets = std::size_t{1} << kDigitBits;
constexpr unsigned kDigits = 3;

void RadixSort(HoldingList& list) {
  const std::size_t n = list.size();
  HoldingList scratch(n);
  std::vector<std::size_t> counts(kDigits * kBuckets, 0);
  for (const Holding& h : list) {
    for (unsigned d = 0; d < kDigits; ++d) {
      ++counts[d * kBuckets + ((h.number >> (d * kDigitBits)) & (kBuckets - 1))];
    }
  }
  HoldingList* from = &list;
  HoldingList* to = &scratch;
  for (unsigned d = 0; d < kDigits; ++d) {
    const unsigned shift = d * kDigitBits;
    std::size_t* count = &counts[d * kBuckets];
    // A digit that every number shares moves nothing.
    if (count[((*from)[0].number >> shift) & (kBuckets - 1)] == n) continue;
    std::size_t start = 0;
    for (std::size_t b = 0; b < kBuckets; ++b) {
      std::size_t size = count[b];
      count[b] = start;
      start += size;
    }
    Holding* out = to->data();
    for (const Holding& h : *from) out[count[(h.number >> shift) & (kBuckets - 1)]++] = h;
    std::swap(from, to);
  }
  if (from != &list) list.swap(scratch);
}

void InsertionSort(HoldingList& list) {
  for (std::size_t i = 1; i < list.size(); ++i) {
    Holding h = list[i];
    std::size_t j = i;
    for (; j > 0 && list[j - 1].number > h.number; --j) list[j] = list[j - 1];
    list[j] = h;
  }
}

bool SameNumber(const Holding& a, const Holding& b) { return a.number == b.number; }

}  // namespace

void SortHoldings(HoldingList& list) {
  if (list.size() < 2) return;
  if (list.size() < 32) {
    InsertionSort(list);
  } else {
    RadixSort(list);
  }
  list.erase(std::unique(list.begin(), list.end(), SameNumber), list.end());
}

void MergeHoldings(HoldingList& into, const HoldingList& from) {
  if (from.empty()) return;
  if (into.empty()) {
    into = from;
    return;
  }
  HoldingList merged;
  merged.reserve(into.size() + from.size());
  auto a = into.begin();
  auto b = from.begin();
  while (a != into.end() && b != from.end()) {
    if (b->number < a->number) {
      merged.push_back(*b++);
    } else {
      if (b->number == a->number) ++b;
      merged.push_back(*a++);
    }
  }
  merged.insert(merged.end(), a, into.end());
  merged.insert(merged.end(), b, from.end());
  into.swap(merged);
}

}  // namespace tralvex
