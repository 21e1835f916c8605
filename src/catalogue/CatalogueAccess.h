// What a message context needs of the catalogue handle functions, which live
// a layer above it: opening a file under a handle, closing it, and the shared
// lookup with its placeholder text. The library interface implements it and
// hands it to each context; tests put a stand-in in.
#ifndef TRALVEX_CATALOGUE_CATALOGUEACCESS_H
#define TRALVEX_CATALOGUE_CATALOGUEACCESS_H

#include <cstdint>

namespace tralvex {

class MessageCatalogue;

// The handle that names no catalogue, also what a failed open yields.
constexpr uint32_t kNoCatalogueHandle = 0xFFFF;

class CatalogueAccess {
 public:
  virtual ~CatalogueAccess() = default;

  // Opens the file with its default section: 1 and the new handle, or 0 and
  // 0xFFFF in handle.
  virtual int OpenCatalogue(const char* fileName, uint32_t* handle) = 0;
  virtual void CloseCatalogue(uint32_t handle) = 0;

  // The catalogue registered under a handle just opened, for lookups that
  // skip the search by handle; null sends them through LookupMessageText.
  // The context drops it when it closes the handle or is told the handle
  // was closed (MessageContext::ForgetCatalogue), the only ways it can go.
  virtual MessageCatalogue* FindCatalogue(uint32_t handle) = 0;

  // The message, else defaultText, else the placeholder text; never null.
  virtual const char* LookupMessageText(uint32_t handle, uint32_t number,
                                        const char* defaultText) = 0;
  virtual const char* MakePlaceholderText(uint32_t number) = 0;
};

}  // namespace tralvex

#endif
