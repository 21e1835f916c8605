#include "api/LiveContextList.h"

#include <algorithm>
#include <utility>

#include "catalogue/MessageContext.h"

namespace tralvex {

void LiveContextList::Append(MessageContext* context) {
  if (contexts_.size() == contexts_.capacity()) contexts_.reserve(contexts_.size() + kBlockSize);
  contexts_.push_back(context);
}

void LiveContextList::Destroy(MessageContext* context) {
  auto found = std::find(contexts_.begin(), contexts_.end(), context);
  if (found == contexts_.end()) return;
  contexts_.erase(found);
  delete context;
}

void LiveContextList::DestroyAll() {
  // Taken out first: destroying a context closes catalogues, and a close
  // walks this list.
  std::vector<MessageContext*> dying;
  dying.swap(contexts_);
  for (MessageContext* context : dying) delete context;
}

void LiveContextList::ForgetCatalogue(uint32_t handle) {
  for (MessageContext* context : contexts_) context->ForgetCatalogue(handle);
}

}  // namespace tralvex
