// The error list that every failing object of the library carries, and that
// client applications pass to Mes_DisplayErrBase.
//
// The library and its clients compile this one declaration: the library
// reads a client's list through GetAllErrors with its own copy of the inline
// code below, so the layout must stay exactly as it is. Entries are created
// and destroyed by the module that owns the list (the entry's virtual
// destructor runs in that module), so no memory crosses a module boundary.
#ifndef TRALVEX_ERRORLIST_H
#define TRALVEX_ERRORLIST_H

#include <cstring>
#include <new>

// One recorded error: a code and the text of what it concerns.
class ErrorEntry {
 public:
  ErrorEntry(int code, const char* contextText) : code(code), contextText_(nullptr) {
    if (contextText != nullptr && *contextText != '\0') {
      std::size_t n = std::strlen(contextText) + 1;
      contextText_ = new char[n];  // throws; AddError absorbs it
      std::memcpy(contextText_, contextText, n);
    }
  }
  ErrorEntry(const ErrorEntry&) = delete;
  ErrorEntry& operator=(const ErrorEntry&) = delete;
  virtual ~ErrorEntry() {
    code = 0;
    delete[] contextText_;
    contextText_ = nullptr;
  }

  // The context text, or null when it is empty.
  const char* ContextText() const { return contextText_; }

  int code;

 private:
  char* contextText_;
};

// An ordered list of errors, oldest first, holding each code at most once.
class ErrorList {
 public:
  ErrorList() = default;
  ErrorList(const ErrorList&) = delete;
  ErrorList& operator=(const ErrorList&) = delete;
  virtual ~ErrorList() {
    ClearErrors();
    ReleaseBlocks();
  }

  // Appends an entry unless one with this code is present. Running out of
  // memory leaves the list as it was; the caller learns nothing.
  void AddError(int code, const char* contextText) {
    if (!HasNoErrors() && FindError(code) != 0) return;
    Node* node = TakeNode();
    if (node == nullptr) return;
    try {
      node->entry = new ErrorEntry(code, contextText);
    } catch (...) {
      GiveBackNode(node);
      return;
    }
    node->next = nullptr;
    if (tail_ != nullptr) {
      tail_->next = node;
    } else {
      head_ = node;
    }
    tail_ = node;
    ++count_;
  }

  void CopyErrors(const ErrorList& other) {
    for (const Node* n = other.head_; n != nullptr; n = n->next) {
      if (n->entry != nullptr) AddError(n->entry->code, n->entry->ContextText());
    }
  }

  int HasError(int code) const { return HasNoErrors() ? 0 : (FindError(code) != 0 ? 1 : 0); }

  // The 1-based position of the first entry with the code, 0 when none.
  unsigned FindError(int code) const {
    unsigned position = 1;
    for (const Node* n = head_; n != nullptr; n = n->next, ++position) {
      if (n->entry != nullptr && n->entry->code == code) return position;
    }
    return 0;
  }

  void ClearErrors() {
    Node* n = head_;
    while (n != nullptr) {
      Node* next = n->next;
      delete n->entry;
      GiveBackNode(n);
      n = next;
    }
    head_ = tail_ = nullptr;
    count_ = 0;
  }

  int HasNoErrors() const { return count_ == 0 ? 1 : 0; }
  unsigned GetErrorCount() const { return count_; }

  int GetLastErrorCode() const {
    return (tail_ == nullptr || tail_->entry == nullptr) ? 0 : tail_->entry->code;
  }

  // Position 1 is the oldest entry.
  int GetErrorAt(unsigned position, int& code, const char*& text) const {
    code = 0;
    text = nullptr;
    if (position == 0 || position > count_) return 0;
    const Node* n = head_;
    for (unsigned i = 1; i < position; ++i) n = n->next;
    if (n->entry == nullptr) return 0;
    code = n->entry->code;
    text = n->entry->ContextText();
    return 1;
  }

  // Hands the list across a module boundary: count holds the capacity on
  // entry and the number of entries stored on return.
  int GetAllErrors(unsigned& count, int* codes, const char** texts) const {
    unsigned capacity = count;
    count = 0;
    if (HasNoErrors()) return 1;
    if (codes == nullptr || texts == nullptr) return 0;
    for (const Node* n = head_; n != nullptr && count < capacity; n = n->next, ++count) {
      codes[count] = n->entry != nullptr ? n->entry->code : 0;
      texts[count] = n->entry != nullptr ? n->entry->ContextText() : nullptr;
    }
    return 1;
  }

 private:
  static const unsigned kNodesPerBlock = 5;

  struct Node {
    Node* next;
    ErrorEntry* entry;
  };
  struct Block {
    Block* next;
    Node nodes[kNodesPerBlock];
  };

  Node* TakeNode() {
    if (freeNodes_ == nullptr) {
      Block* block = new (std::nothrow) Block;
      if (block == nullptr) return nullptr;
      block->next = blocks_;
      blocks_ = block;
      for (unsigned i = 0; i < kNodesPerBlock; ++i) GiveBackNode(&block->nodes[i]);
    }
    Node* node = freeNodes_;
    freeNodes_ = node->next;
    return node;
  }

  void GiveBackNode(Node* node) {
    node->entry = nullptr;
    node->next = freeNodes_;
    freeNodes_ = node;
  }

  void ReleaseBlocks() {
    while (blocks_ != nullptr) {
      Block* next = blocks_->next;
      delete blocks_;
      blocks_ = next;
    }
    freeNodes_ = nullptr;
  }

  Node* head_ = nullptr;
  Node* tail_ = nullptr;
  unsigned count_ = 0;
  Node* freeNodes_ = nullptr;
  Block* blocks_ = nullptr;
};

#endif  // TRALVEX_ERRORLIST_H
