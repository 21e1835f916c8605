// The registry of open catalogues by 16-bit handle, with one current entry
// in front of the map as a cache for the catalogue used last.
#ifndef TRALVEX_API_CATALOGUEHANDLETABLE_H
#define TRALVEX_API_CATALOGUEHANDLETABLE_H

#include <cstddef>
#include <cstdint>
#include <deque>

#include "api/HandleMap.h"
#include "tralvex/ErrorList.h"

namespace tralvex {

class MessageCatalogue;

constexpr uint16_t kNoCatalogue = 0xFFFF;

class CatalogueHandleTable : public ErrorList {
 public:
  explicit CatalogueHandleTable(std::size_t blockSize);
  CatalogueHandleTable(const CatalogueHandleTable&) = delete;
  CatalogueHandleTable& operator=(const CatalogueHandleTable&) = delete;
  ~CatalogueHandleTable() override;

  // The new handle, the table then owning the catalogue; kNoCatalogue when
  // memory runs out or every handle is in use (0x102 recorded), the
  // catalogue staying the caller's.
  uint16_t RegisterCatalogue(MessageCatalogue* catalogue);

  // 1 when the handle was registered and its catalogue is now destroyed.
  int CloseCatalogue(uint16_t handle);

  // The catalogue, which becomes the current entry; null for an unknown
  // handle (0x114 recorded). Asking again for the current entry, as
  // lookups do, is answered here without the map.
  MessageCatalogue* SelectCatalogue(uint16_t handle) {
    if (!HasNoErrors()) ClearErrors();
    if (handle == currentHandle && handle != kNoCatalogue) return currentCatalogue;
    return SelectOtherCatalogue(handle);
  }

  void CloseAllCatalogues();

  uint16_t CurrentHandle() const { return currentHandle; }
  MessageCatalogue* CurrentCatalogue() const { return currentCatalogue; }
  std::size_t Count() const { return catalogues.Size(); }

 private:
  MessageCatalogue* SelectOtherCatalogue(uint16_t handle);

  HandleMap catalogues;
  std::deque<uint16_t> releasedHandles;
  uint16_t currentHandle = kNoCatalogue;
  MessageCatalogue* currentCatalogue = nullptr;
};

}  // namespace tralvex

#endif
