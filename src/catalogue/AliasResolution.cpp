// Resolution of the alias chains of a parsed file.
//
// A section ends up with its own messages and, for each number it lacks,
// the text of the first section along its chain (its target, that one's
// target, and so on, stopping where a section repeats) that defines it. An
// alias to the section itself is dropped; cycles are not errors.
//
// The chains are walked iteratively with a state per section, so that a
// chain of any length costs no stack, each section is visited a bounded
// number of times, and the work is proportional to the messages merged:
// a section is merged from its target only once the target is complete.
// A cycle is completed by giving one member the messages of all the others
// in chain order and then each remaining member, going backwards, the
// messages of its successor. A merge that would take the sections past the
// parse's budget fails the resolution as running out of memory would.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "catalogue/MessageFileData.h"
#include "errors/ErrorCodes.h"

namespace tralvex {
namespace {

constexpr std::size_t kNoTarget = static_cast<std::size_t>(-1);
constexpr std::size_t kMissingTarget = static_cast<std::size_t>(-2);

enum State : uint8_t { kUnseen, kOnPath, kDone, kBroken };

// Follows targets from start over unseen sections, marking them on path.
// Returns where the walk stopped: a target code, or a section already seen.
std::size_t WalkPath(std::size_t start, const std::vector<std::size_t>& target,
                     std::vector<uint8_t>& state, std::vector<std::size_t>& path) {
  std::size_t at = start;
  while (at < target.size() && state[at] == kUnseen) {
    state[at] = kOnPath;
    path.push_back(at);
    at = target[at];
  }
  return at;
}

// The first section, in creation order, whose chain reaches a section that
// does not exist; kNoTarget when there is none.
std::size_t FirstBrokenChain(const std::vector<std::size_t>& target) {
  std::vector<uint8_t> state(target.size(), kUnseen);
  std::vector<std::size_t> path;
  for (std::size_t i = 0; i < target.size(); ++i) {
    if (state[i] != kUnseen) continue;
    std::size_t stop = WalkPath(i, target, state, path);
    bool broken = stop == kMissingTarget || (stop < target.size() && state[stop] == kBroken);
    for (std::size_t k : path) state[k] = broken ? kBroken : kDone;
    path.clear();
  }
  for (std::size_t i = 0; i < target.size(); ++i) {
    if (state[i] == kBroken) return i;
  }
  return kNoTarget;
}

}  // namespace

int MessageFileData::RefuseMerge(std::size_t section) {
  AddError(error_code::kNoMemory, nullptr);
  AddError(error_code::kAliasUnresolved, sections_[section].name.c_str());
  return 0;
}

int MessageFileData::MergeInto(std::vector<HoldingList>& lists, ParseBudget& budget,
                               std::size_t section, std::size_t from) {
  HoldingList& receiver = lists[section];
  const std::size_t before = receiver.size();
  // Counted before the merge as if nothing were repeated, so that the
  // budget holds for the memory the merge takes on its way.
  if (!budget.Take(lists[from].size())) return RefuseMerge(section);
  try {
    MergeHoldings(receiver, lists[from]);
  } catch (...) {
    return RefuseMerge(section);
  }
  budget.Give(before + lists[from].size() - receiver.size());
  return 1;
}

int MessageFileData::ResolveCycle(std::vector<HoldingList>& lists, ParseBudget& budget,
                                  const std::vector<std::size_t>& path, std::size_t first) {
  // The members still hold only their own messages here. The last one
  // gathers all the others' at once: their lists in chain order, sorted
  // together, the first of each number kept.
  const std::size_t last = path.size() - 1;
  HoldingList& receiver = lists[path[last]];
  const std::size_t before = receiver.size();
  std::size_t added = 0;
  for (std::size_t k = first; k < last; ++k) added += lists[path[k]].size();
  if (!budget.Take(added)) return RefuseMerge(path[last]);
  try {
    HoldingList gathered;
    gathered.reserve(before + added);
    gathered.insert(gathered.end(), receiver.begin(), receiver.end());
    for (std::size_t k = first; k < last; ++k) {
      gathered.insert(gathered.end(), lists[path[k]].begin(), lists[path[k]].end());
    }
    SortHoldings(gathered);
    receiver.swap(gathered);
  } catch (...) {
    return RefuseMerge(path[last]);
  }
  budget.Give(before + added - receiver.size());
  // Every other member ends up with what the last one now holds: a ring
  // too large for the budget is refused before it is merged.
  if (!budget.Allows(static_cast<uint64_t>(last - first) * receiver.size())) {
    return RefuseMerge(path[last - 1]);
  }
  for (std::size_t k = last; k-- > first;) {
    if (!MergeInto(lists, budget, path[k], path[k + 1])) return 0;
  }
  return 1;
}

int MessageFileData::ResolveAliases(std::vector<HoldingList>& lists, ParseBudget& budget) {
  try {
    const std::size_t count = sections_.size();
    std::vector<std::size_t> target(count, kNoTarget);
    for (std::size_t i = 0; i < count; ++i) {
      const char* name = sections_[i].section->aliasTarget;
      if (name == nullptr) continue;
      std::size_t found = IndexOf(name);
      if (found == kNoSection) {
        target[i] = kMissingTarget;
      } else if (found != i) {
        target[i] = found;
      }
    }
    std::size_t broken = FirstBrokenChain(target);
    if (broken != kNoTarget) {
      AddError(error_code::kAliasUnresolved, sections_[broken].name.c_str());
      return 0;
    }

    std::vector<uint8_t> state(count, kUnseen);
    std::vector<std::size_t> path;
    for (std::size_t i = 0; i < count; ++i) {
      if (state[i] != kUnseen) continue;
      std::size_t stop = WalkPath(i, target, state, path);
      std::size_t treeEnd = path.size();
      if (stop < count && state[stop] == kOnPath) {
        treeEnd = static_cast<std::size_t>(std::find(path.rbegin(), path.rend(), stop).base() -
                                           path.begin() - 1);
        if (!ResolveCycle(lists, budget, path, treeEnd)) return 0;
      }
      for (std::size_t k = treeEnd; k-- > 0;) {
        std::size_t from = target[path[k]];
        if (from < count && !MergeInto(lists, budget, path[k], from)) return 0;
      }
      for (std::size_t k : path) state[k] = kDone;
      path.clear();
    }
    for (NamedSection& named : sections_) named.section->aliasTarget = nullptr;
    return 1;
  } catch (...) {
    AddError(error_code::kNoMemory, nullptr);
    return 0;
  }
}

}  // namespace tralvex
