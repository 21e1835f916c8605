#include "api/CatalogueHandleTable.h"

#include <new>

#include "catalogue/MessageCatalogue.h"
#include "errors/ErrorCodes.h"

namespace tralvex {

CatalogueHandleTable::CatalogueHandleTable(std::size_t blockSize) : catalogues(blockSize) {}

CatalogueHandleTable::~CatalogueHandleTable() {
  CloseAllCatalogues();
  ClearErrors();
}

uint16_t CatalogueHandleTable::RegisterCatalogue(MessageCatalogue* catalogue) {
  ClearErrors();
  if (catalogue == nullptr) return kNoCatalogue;
  bool reused = !releasedHandles.empty();
  uint32_t handle = 0;
  if (reused) {
    handle = releasedHandles.front();
  } else {
    handle = static_cast<uint32_t>(catalogues.Size()) + 1;
    while (handle < kNoCatalogue && catalogues.Contains(static_cast<uint16_t>(handle))) ++handle;
  }
  // 65534 catalogues use every handle there is: 0 and 0xFFFF are never
  // issued, and counting on would wrap into handles already in use.
  if (handle >= kNoCatalogue) {
    AddError(error_code::kNoMemory, nullptr);
    return kNoCatalogue;
  }
  try {
    catalogues.Insert(static_cast<uint16_t>(handle), catalogue);
  } catch (const std::bad_alloc&) {
    AddError(error_code::kNoMemory, nullptr);
    return kNoCatalogue;
  }
  if (reused) releasedHandles.pop_front();
  currentHandle = static_cast<uint16_t>(handle);
  currentCatalogue = catalogue;
  return currentHandle;
}

int CatalogueHandleTable::CloseCatalogue(uint16_t handle) {
  ClearErrors();
  if (handle == kNoCatalogue || !catalogues.Contains(handle)) {
    AddError(error_code::kNoSuchCatalogue, nullptr);
    return 0;
  }
  try {
    releasedHandles.push_back(handle);
  } catch (const std::bad_alloc&) {
    AddError(error_code::kNoMemory, nullptr);
    currentHandle = kNoCatalogue;
    currentCatalogue = nullptr;
    return 0;
  }
  delete catalogues.Remove(handle);
  if (handle == currentHandle) {
    currentCatalogue = nullptr;
    currentHandle = kNoCatalogue;
    catalogues.First(&currentHandle, &currentCatalogue);
  }
  return 1;
}

MessageCatalogue* CatalogueHandleTable::SelectOtherCatalogue(uint16_t handle) {
  if (handle == kNoCatalogue) {
    AddError(error_code::kNoSuchCatalogue, nullptr);
    return nullptr;
  }
  MessageCatalogue* catalogue = catalogues.Find(handle);
  if (catalogue == nullptr) {
    AddError(error_code::kNoSuchCatalogue, nullptr);
    currentHandle = kNoCatalogue;
    currentCatalogue = nullptr;
    return nullptr;
  }
  currentHandle = handle;
  currentCatalogue = catalogue;
  return catalogue;
}

void CatalogueHandleTable::CloseAllCatalogues() {
  ClearErrors();
  uint16_t handle = 0;
  MessageCatalogue* catalogue = nullptr;
  // Taking the first entry each time walks the map in its iteration order
  // without needing memory for a copy of it.
  while (catalogues.First(&handle, &catalogue)) {
    catalogues.Remove(handle);
    delete catalogue;
  }
  releasedHandles.clear();
  currentHandle = kNoCatalogue;
  currentCatalogue = nullptr;
}

}  // namespace tralvex
