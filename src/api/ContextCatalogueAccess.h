// The handle functions as message contexts use them: a context opens and
// closes its files through Msg_OpenMessages and Msg_CloseMessages, so they
// are registered in the handle table like any other catalogue.
#ifndef TRALVEX_API_CONTEXTCATALOGUEACCESS_H
#define TRALVEX_API_CONTEXTCATALOGUEACCESS_H

#include "catalogue/CatalogueAccess.h"

namespace tralvex {

class ContextCatalogueAccess : public CatalogueAccess {
 public:
  int OpenCatalogue(const char* fileName, uint32_t* handle) override;
  void CloseCatalogue(uint32_t handle) override;
  MessageCatalogue* FindCatalogue(uint32_t handle) override;
  const char* LookupMessageText(uint32_t handle, uint32_t number, const char* defaultText) override;
  const char* MakePlaceholderText(uint32_t number) override;
};

}  // namespace tralvex

#endif
