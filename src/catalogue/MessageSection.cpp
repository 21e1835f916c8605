#include "catalogue/MessageSection.h"

#include <new>
#include <string>

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
  const MessageEntry* entry = FindEntry(number);
  if (entry == nullptr) {
    AddError(error_code::kMissingMessage, std::to_string(static_cast<int32_t>(number)).c_str());
    return nullptr;
  }
  return entry->text;
}

const char* MessageSection::FindMessage(uint32_t number) const {
  const MessageEntry* entry = FindEntry(number);
  return entry != nullptr ? entry->text : nullptr;
}

int MessageSection::AddMessage(uint32_t number, const char* text) {
  try {
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
  int result = 1;
  try {
    // Walking a table in slot order while inserting into a smaller one
    // piles the numbers into long runs: take at least the other's size.
    messages_.MatchCapacity(other.messages_);
    EntryPool& pool = Pool();
    const bool samePool = other.pool_ == pool_;
    other.messages_.ForEach([&](uint32_t number, EntryPool::Handle handle) {
      if (result == 0) return;
      EntryPool::Handle& slot = messages_.Slot(number);
      if (slot != 0) return;
      MessageEntry* entry = other.pool_->At(handle);
      if (samePool && entry->shareCount < kMaxEntryShares) {
        ++entry->shareCount;
        slot = handle;
      } else {
        slot = pool.Allocate(entry->text);
        if (slot == 0) {
          AddError(error_code::kNoObject, nullptr);
          result = 0;
          return;
        }
      }
      messages_.Inserted();
    });
  } catch (...) {
    AddError(error_code::kNoMemory, nullptr);
    return 0;
  }
  return result;
}

void MessageSection::ReserveMessages(std::size_t count) {
  try {
    messages_.Reserve(count);
  } catch (...) {
  }
}

void MessageSection::CompactMessages() {
  try {
    messages_.ShrinkToFit();
  } catch (...) {
  }
}

void MessageSection::ReleaseMessages() {
  messages_.ForEach([this](uint32_t, EntryPool::Handle handle) {
    if (--pool_->At(handle)->shareCount == 0) pool_->Free(handle);
  });
  messages_.Clear();
}

}  // namespace tralvex
