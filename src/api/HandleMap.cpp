#include "api/HandleMap.h"

namespace tralvex {

HandleMap::HandleMap(std::size_t blockSize) : blockSize_(blockSize == 0 ? 1 : blockSize) {}

MessageCatalogue* HandleMap::Find(uint16_t handle) const {
  return handle < byHandle_.size() ? byHandle_[handle] : nullptr;
}

HandleMap::Node* HandleMap::TakeNode() {
  if (freeNodes_ == nullptr) {
    // A failed push_back destroys the new block: nothing is half-made.
    blocks_.push_back(std::make_unique<Node[]>(blockSize_));
    Node* block = blocks_.back().get();
    for (std::size_t i = 0; i < blockSize_; ++i) GiveBack(&block[i]);
  }
  Node* node = freeNodes_;
  freeNodes_ = node->next;
  return node;
}

void HandleMap::GiveBack(Node* node) {
  node->catalogue = nullptr;
  node->next = freeNodes_;
  freeNodes_ = node;
}

void HandleMap::Insert(uint16_t handle, MessageCatalogue* catalogue) {
  if (handle >= byHandle_.size()) byHandle_.resize(std::size_t{handle} + 1, nullptr);
  Node* node = TakeNode();
  node->handle = handle;
  node->catalogue = catalogue;
  Node*& head = buckets_[BucketOf(handle)];
  node->next = head;
  head = node;
  byHandle_[handle] = catalogue;
  ++size_;
}

MessageCatalogue* HandleMap::Remove(uint16_t handle) {
  for (Node** link = &buckets_[BucketOf(handle)]; *link != nullptr; link = &(*link)->next) {
    Node* node = *link;
    if (node->handle != handle) continue;
    MessageCatalogue* catalogue = node->catalogue;
    *link = node->next;
    GiveBack(node);
    byHandle_[handle] = nullptr;
    --size_;
    return catalogue;
  }
  return nullptr;
}

bool HandleMap::First(uint16_t* handle, MessageCatalogue** catalogue) const {
  for (Node* head : buckets_) {
    if (head == nullptr) continue;
    *handle = head->handle;
    *catalogue = head->catalogue;
    return true;
  }
  return false;
}

std::vector<MessageCatalogue*> HandleMap::Catalogues() const {
  std::vector<MessageCatalogue*> result;
  result.reserve(size_);
  for (Node* head : buckets_) {
    for (Node* n = head; n != nullptr; n = n->next) result.push_back(n->catalogue);
  }
  return result;
}

void HandleMap::Clear() {
  for (Node*& head : buckets_) {
    while (head != nullptr) {
      Node* node = head;
      head = node->next;
      GiveBack(node);
    }
  }
  byHandle_.clear();
  size_ = 0;
}

}  // namespace tralvex
