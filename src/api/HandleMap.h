// The map behind the catalogue handle table: 17 buckets chosen by the
// handle's bits above the lowest four, each chain newest first. Which entry
// becomes current after the current one is closed follows from this order,
// so it is part of the table's behaviour, not an accident of a library map.
#ifndef TRALVEX_API_HANDLEMAP_H
#define TRALVEX_API_HANDLEMAP_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace tralvex {

class MessageCatalogue;

class HandleMap {
 public:
  static constexpr std::size_t kBucketCount = 17;

  // Entries are allocated blockSize at a time.
  explicit HandleMap(std::size_t blockSize);
  HandleMap(const HandleMap&) = delete;
  HandleMap& operator=(const HandleMap&) = delete;

  // Null when the handle is not in the map.
  MessageCatalogue* Find(uint16_t handle) const;
  bool Contains(uint16_t handle) const { return Find(handle) != nullptr; }

  // Puts a new entry at the head of its chain; the handle must not be in
  // the map. Throws std::bad_alloc, leaving the map as it was.
  void Insert(uint16_t handle, MessageCatalogue* catalogue);

  // The catalogue the entry held, or null when there was none.
  MessageCatalogue* Remove(uint16_t handle);

  // The first entry in iteration order: buckets ascending, chains newest
  // first. False when the map is empty.
  bool First(uint16_t* handle, MessageCatalogue** catalogue) const;

  // Every catalogue in iteration order.
  std::vector<MessageCatalogue*> Catalogues() const;

  // Forgets every entry (the catalogues are the caller's).
  void Clear();

  std::size_t Size() const { return size_; }

  static std::size_t BucketOf(uint16_t handle) { return (handle >> 4) % kBucketCount; }

 private:
  struct Node {
    uint16_t handle = 0;
    MessageCatalogue* catalogue = nullptr;
    Node* next = nullptr;
  };

  Node* TakeNode();
  void GiveBack(Node* node);

  Node* buckets_[kBucketCount] = {};
  // The same entries indexed by handle, so that finding one does not walk
  // a chain that a full table makes thousands of entries long.
  std::vector<MessageCatalogue*> byHandle_;
  Node* freeNodes_ = nullptr;
  std::vector<std::unique_ptr<Node[]>> blocks_;
  std::size_t blockSize_;
  std::size_t size_ = 0;
};

}  // namespace tralvex

#endif
