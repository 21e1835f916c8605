#include "catalogue/MessageSection.h"

#include <new>
#include <string>

#include "catalogue/EntryTable.h"
#include "errors/ErrorCodes.h"

namespace tralvex {

MessageSection::MessageSection() = default;

MessageSection::MessageSection(std::shared_ptr<EntryPool> pool) : pool_(std::move(pool)) {}

MessageSection::~MessageSection() { ReleaseMessages(); }

EntryPool& MessageSection::Pool() {
  if (pool_ == nullptr) pool_ = std::make_shared<EntryPool>();  // throws std::bad_alloc
  return *pool_;
}

const char* MessageSection::GetMsgString(uint32_t number) {
  const char* text = FindMessage(number);
  if (text == nullptr) {
    AddError(error_code::kMissingMessage, std::to_string(static_cast<int32_t>(number)).c_str());
  }
  return text;
}

const MessageEntry* MessageSection::FindEntry(uint32_t number) const {
  if (frozen_) {
    const char* text = index_.Find(number);
    return text != nullptr ? entries_->EntryOf(ordinal_, text) : nullptr;
  }
  EntryPool::Handle handle = messages_.Find(number);
  return handle != 0 ? pool_->At(handle) : nullptr;
}

const MessageEntry& MessageSection::FrozenEntry(const char* text) const {
  const MessageEntry* entry = entries_->EntryOf(ordinal_, text);
  if (entry == nullptr) throw std::bad_alloc();
  return *entry;
}

int MessageSection::AddMessage(uint32_t number, const char* text) {
  try {
    if (frozen_) {
      if (index_.Find(number) != nullptr) return 1;
      Thaw();
    }
    EntryPool::Handle& slot = messages_.Slot(number);
    if (slot != 0) return 1;
    EntryPool::Handle handle = Pool().Allocate(text);
    if (handle == 0) {
      AddError(error_code::kNoObject, nullptr);
      return 0;
    }
    slot = handle;
    messages_.Inserted();
    return 1;
  } catch (...) {
    AddError(error_code::kNoMemory, nullptr);
    return 0;
  }
}

int MessageSection::MergeMessages(MessageSection& other) {
  if (&other == this) return 1;
  try {
    if (frozen_) Thaw();
    if (other.frozen_) return MergeTexts(other);
    // Walking a table in slot order while inserting into a smaller one
    // piles the numbers into long runs: take at least the other's size.
    messages_.MatchCapacity(other.messages_);
    EntryPool& pool = Pool();
    const bool samePool = other.pool_ == pool_;
    int result = 1;
    other.messages_.ForEach([&](uint32_t number, EntryPool::Handle handle) {
      if (result == 0) return;
      EntryPool::Handle& slot = messages_.Slot(number);
      if (slot != 0) return;
      MessageEntry* entry = other.pool_->At(handle);
      if (samePool && entry->shareCount < kMaxEntryShares) {
        ++entry->shareCount;
        slot = handle;
      } else if ((slot = pool.Allocate(entry->text)) == 0) {
        result = 0;
        return;
      }
      messages_.Inserted();
    });
    if (result == 0) AddError(error_code::kNoObject, nullptr);
    return result;
  } catch (...) {
    AddError(error_code::kNoMemory, nullptr);
    return 0;
  }
}

int MessageSection::MergeTexts(const MessageSection& other) {
  messages_.Reserve(messages_.Size() + other.MessageCount());
  EntryPool& pool = Pool();
  int result = 1;
  other.index_.ForEach([&](uint32_t number, const char* text) {
    if (result == 0) return;
    EntryPool::Handle& slot = messages_.Slot(number);
    if (slot != 0) return;
    if ((slot = pool.Allocate(text)) == 0) {
      result = 0;
      return;
    }
    messages_.Inserted();
  });
  if (result == 0) AddError(error_code::kNoObject, nullptr);
  return result;
}

void MessageSection::ReserveMessages(std::size_t count) {
  if (frozen_) return;
  try {
    messages_.Reserve(count);
  } catch (...) {
  }
}

void MessageSection::CompactMessages() {
  if (frozen_) return;
  try {
    messages_.ShrinkToFit();
  } catch (...) {
  }
}

void MessageSection::ReleaseMessages() {
  Unfreeze();
  messages_.ForEach([this](uint32_t, EntryPool::Handle handle) {
    if (--pool_->At(handle)->shareCount == 0) pool_->Free(handle);
  });
  messages_.Clear();
}

void MessageSection::DiscardMessages() {
  Unfreeze();
  messages_.Clear();
}

void MessageSection::Freeze(const HoldingList& holdings, const char* base,
                            std::shared_ptr<EntryTable> entries) {
  Unfreeze();
  index_.Build(holdings.data(), holdings.size(), base);
  try {
    ordinal_ = entries->Add(&index_);
  } catch (...) {
    index_.Clear();
    throw;
  }
  entries_ = std::move(entries);
  ReleaseMessages();
  frozen_ = true;
}

void MessageSection::Thaw() {
  EntryPool& pool = Pool();
  messages_.Reserve(index_.Size());
  try {
    index_.ForEach([&](uint32_t number, const char* text) {
      EntryPool::Handle handle = pool.Allocate(text);
      if (handle == 0) throw std::bad_alloc();
      messages_.Slot(number) = handle;
      messages_.Inserted();
    });
  } catch (...) {
    messages_.ForEach([&pool](uint32_t, EntryPool::Handle handle) { pool.Free(handle); });
    messages_.Clear();
    throw;
  }
  Unfreeze();
}

void MessageSection::Unfreeze() {
  if (!frozen_) return;
  frozen_ = false;
  index_.Clear();
  entries_->Forget(ordinal_);
  entries_.reset();
}

}  // namespace tralvex
