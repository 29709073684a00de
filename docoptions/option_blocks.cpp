// The blocks that items hand to the driver: option types with their parameters and titles, all in the driver's heap.
#include <cstring>

#include "docoptions/item_slots.h"
#include "docoptions/property_items.h"
#include "platform/owner.h"

namespace {
constexpr int kTitleChars = 260;
}

POPTTYPE AllocOptionType(WORD count, HANDLE heap) {
  UniqueHeapBlock<OPTTYPE> optionType = AllocateHeapBlock<OPTTYPE>(1, heap);
  if (!optionType) return nullptr;
  UniqueHeapBlock<OPTPARAM> parameters = AllocateHeapBlock<OPTPARAM>(count, heap);
  if (!parameters) return nullptr;
  for (WORD i = 0; i < count; ++i) parameters.get()[i].cbSize = sizeof(OPTPARAM);
  optionType.get()->cbSize = sizeof(OPTTYPE);
  optionType.get()->Count = count;
  optionType.get()->pOptParam = parameters.release();
  return optionType.release();
}

LPWSTR LoadHeapString(HANDLE heap, HANDLE module, UINT id) {
  UniqueHeapBlock<WCHAR> block = AllocateHeapBlock<WCHAR>(kTitleChars, heap);
  if (!block) return nullptr;
  int length = LoadStringW(static_cast<HINSTANCE>(module), id, block.get(), kTitleChars);
  if (length <= 0) return nullptr;
  // The driver keeps its heap for the life of the sheet: hand it only what the text needs.
  void *shrunk = HeapReAlloc(heap, HEAP_ZERO_MEMORY, block.get(), (size_t(length) + 1) * sizeof(WCHAR));
  if (shrunk) block.release();
  return shrunk ? static_cast<LPWSTR>(shrunk) : block.release();
}

void PrepareItemSlots(POPTITEM items, DWORD count) {
  for (DWORD i = 0; i < count; ++i) {
    std::memset(&items[i], 0, sizeof(OPTITEM));
    items[i].cbSize = sizeof(OPTITEM);
    items[i].DMPubID = DMPUB_NONE;
  }
}

POPTITEM ItemSlot(POEMCUIPPARAM param, DWORD index) {
  if (!param || !param->pOEMOptItems || index >= param->cOEMOptItems) return nullptr;
  return &param->pOEMOptItems[index];
}

bool IsBuiltItem(const OPTITEM &item, BYTE type) {
  return item.pOptType && item.pOptType->Type == type && item.pOptType->pOptParam;
}
