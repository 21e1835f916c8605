// How much memory the parse of one message file may hold.
//
// Aliases let a small file demand a great deal: every section of an alias
// ring ends up holding the messages of all the others, so 10,000 sections
// of one message each (some 400 KB) would hold 100 million messages. The
// parse counts the messages its sections hold, their own and inherited,
// and gives up, as if memory had run out, before they would take more than
// the budget: 32 bytes for every byte of the file, and never less than
// 256 MB. Each message held is charged what its list entry during the parse
// and its share of the section's index afterwards take at most. A file
// without aliases stays far below the budget (a message line is at least
// two bytes long), as do alias chains of realistic depth.
#ifndef TRALVEX_CATALOGUE_PARSEBUDGET_H
#define TRALVEX_CATALOGUE_PARSEBUDGET_H

#include <cstddef>
#include <cstdint>

#include "catalogue/Holdings.h"
#include "catalogue/MessageIndex.h"

namespace tralvex {

inline constexpr uint64_t kParseBudgetFloor = uint64_t{256} << 20;
inline constexpr uint64_t kParseBudgetPerFileByte = 32;
inline constexpr uint64_t kBytesPerHeldMessage =
    sizeof(Holding) + MessageIndex::kMostBytesPerMessage;

class ParseBudget {
 public:
  explicit ParseBudget(uint64_t fileSize) {
    uint64_t bytes = fileSize * kParseBudgetPerFileByte;
    if (bytes < kParseBudgetFloor) bytes = kParseBudgetFloor;
    limit_ = bytes / kBytesPerHeldMessage;
  }

  // True when count more messages could be held, counting nothing.
  bool Allows(uint64_t count) const { return count <= limit_ - held_; }

  // True when count more messages may be held; they are then counted.
  bool Take(std::size_t count) {
    if (count > limit_ - held_) return false;
    held_ += count;
    return true;
  }
  // Messages no longer held, for instance repeats found by a sort.
  void Give(std::size_t count) { held_ -= count < held_ ? count : held_; }

  uint64_t Held() const { return held_; }
  uint64_t Limit() const { return limit_; }

 private:
  uint64_t limit_;
  uint64_t held_ = 0;
};

}  // namespace tralvex

#endif
