// The message contexts handed out by Mes_OpenProcess and not yet destroyed.
// The list owns them; a pointer is a live context only while it is here, and
// pointers are compared by value, never followed, so that a stale or made-up
// pointer from an application is harmless.
#ifndef TRALVEX_API_LIVECONTEXTLIST_H
#define TRALVEX_API_LIVECONTEXTLIST_H

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tralvex {

class MessageContext;

class LiveContextList {
 public:
  // Room is taken this many contexts at a time.
  static constexpr std::size_t kBlockSize = 10;

  LiveContextList() = default;
  LiveContextList(const LiveContextList&) = delete;
  LiveContextList& operator=(const LiveContextList&) = delete;
  ~LiveContextList() { DestroyAll(); }

  // Appends at the tail, the list then owning the context. Throws
  // std::bad_alloc, the context staying the caller's.
  void Append(MessageContext* context);

  // The live context at this address, or null; the pointer is not followed.
  // Inline: every Mes_ call starts here.
  MessageContext* Find(const void* pointer) const {
    if (pointer == nullptr) return nullptr;
    for (MessageContext* context : contexts_) {
      if (static_cast<const void*>(context) == pointer) return context;
    }
    return nullptr;
  }

  // Removes a live context and destroys it.
  void Destroy(MessageContext* context);

  // Destroys every context, head to tail, and empties the list.
  void DestroyAll();

  // Tells every context that the application closed this catalogue handle.
  void ForgetCatalogue(uint32_t handle);

  std::size_t Count() const { return contexts_.size(); }

 private:
  std::vector<MessageContext*> contexts_;
};

}  // namespace tralvex

#endif
