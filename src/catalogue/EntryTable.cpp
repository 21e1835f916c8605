#include "catalogue/EntryTable.h"

#include <algorithm>

#include "catalogue/MessageIndex.h"

namespace tralvex {

uint32_t EntryTable::Add(const MessageIndex* index) {
  indexes_.push_back(index);
  Drop();
  return static_cast<uint32_t>(indexes_.size() - 1);
}

void EntryTable::Forget(uint32_t ordinal) {
  if (ordinal < indexes_.size()) indexes_[ordinal] = nullptr;
  Drop();
}

void EntryTable::Drop() const {
  built_ = false;
  groups_.clear();
  entries_.clear();
  crowded_.clear();
}

void EntryTable::Build() const {
  Drop();
  for (const MessageIndex* index : indexes_) {
    if (index != nullptr)
      index->ForEach([this](uint32_t, const char* text) { ++groups_[text].holders; });
  }
  std::size_t count = 0;
  for (auto& [text, group] : groups_) {
    group.firstEntry = static_cast<uint32_t>(count);
    count += (group.holders + kMaxEntryShares - 1) / kMaxEntryShares;
  }
  entries_.resize(count);
  for (auto& [text, group] : groups_) {
    MessageEntry* entry = &entries_[group.firstEntry];
    for (uint32_t left = group.holders; left > 0; left -= entry++->shareCount) {
      entry->text = text;
      entry->shareCount = static_cast<uint16_t>(std::min<uint32_t>(left, kMaxEntryShares));
    }
    if (group.holders > kMaxEntryShares) crowded_[text];
  }
  if (!crowded_.empty()) {
    for (uint32_t ordinal = 0; ordinal < indexes_.size(); ++ordinal) {
      if (indexes_[ordinal] == nullptr) continue;
      indexes_[ordinal]->ForEach([this, ordinal](uint32_t, const char* text) {
        auto found = crowded_.find(text);
        if (found != crowded_.end()) found->second.push_back(ordinal);
      });
    }
  }
  built_ = true;
}

const MessageEntry* EntryTable::EntryOf(uint32_t ordinal, const char* text) const {
  if (!built_) {
    try {
      Build();
    } catch (...) {
      Drop();
      return nullptr;
    }
  }
  auto found = groups_.find(text);
  if (found == groups_.end()) return nullptr;
  std::size_t entry = found->second.firstEntry;
  if (found->second.holders > kMaxEntryShares) {
    const std::vector<uint32_t>& holders = crowded_.at(text);
    auto rank = std::lower_bound(holders.begin(), holders.end(), ordinal) - holders.begin();
    entry += static_cast<std::size_t>(rank) / kMaxEntryShares;
  }
  return &entries_[entry];
}

}  // namespace tralvex
