// The messages a section holds while its file is parsed: pairs of message
// number and text offset, appended in file order, then sorted by number.
// Alias resolution merges these lists, and each section's lookup index is
// built from its list, which is then given up.
//
// Lists rather than maps, because what the parse does with them is append,
// sort once and merge whole lists: sequential work that a hash map would
// turn into a cache miss per message.
#ifndef TRALVEX_CATALOGUE_HOLDINGS_H
#define TRALVEX_CATALOGUE_HOLDINGS_H

#include <cstdint>
#include <vector>

namespace tralvex {

// One message a section holds: its number and where its text starts in the
// file's text buffer. Messages from one line of the file share the offset,
// which therefore names the definition as well as the text.
struct Holding {
  uint32_t number;
  uint32_t text;
};

using HoldingList = std::vector<Holding>;

// Sorts the list by number and keeps, of each number, the holding that came
// first: the first definition in the file, or the first list of a merge.
// Throws std::bad_alloc, leaving the list as it was.
void SortHoldings(HoldingList& list);

// Adds to into, both sorted, every holding of from whose number into lacks.
// Throws std::bad_alloc, leaving into as it was.
void MergeHoldings(HoldingList& into, const HoldingList& from);

}  // namespace tralvex

#endif
