// The blocks that items hand to the driver: option types with their parameters and titles, all in the driver's heap.
#include <cstring>

#include "docoptions/item_slots.h"
#include "docoptions/property_items.h"

namespace {
constexpr int kTitleChars = 260;
}

POPTTYPE AllocOptionType(WORD count, HANDLE heap) {
  if (!heap) return nullptr;
  auto *optionType = static_cast<POPTTYPE>(HeapAlloc(heap, HEAP_ZERO_MEMORY, sizeof(OPTTYPE)));
  if (!optionType) return nullptr;
  optionType->cbSize = sizeof(OPTTYPE);
  optionType->Count = count;
  optionType->pOptParam = static_cast<POPTPARAM>(HeapAlloc(heap, HEAP_ZERO_MEMORY, size_t(count) * sizeof(OPTPARAM)));
  if (!optionType->pOptParam) {
    HeapFree(heap, 0, optionType);
    return nullptr;
  }
  for (WORD i = 0; i < count; ++i) optionType->pOptParam[i].cbSize = sizeof(OPTPARAM);
  return optionType;
}

void FreeOptionType(POPTTYPE optionType, HANDLE heap) {
  if (!optionType) return;
  HeapFree(heap, 0, optionType->pOptParam);
  HeapFree(heap, 0, optionType);
}

LPWSTR LoadHeapString(HANDLE heap, HANDLE module, UINT id) {
  if (!heap) return nullptr;
  auto *block = static_cast<LPWSTR>(HeapAlloc(heap, HEAP_ZERO_MEMORY, kTitleChars * sizeof(WCHAR)));
  if (!block) return nullptr;
  int length = LoadStringW(static_cast<HINSTANCE>(module), id, block, kTitleChars);
  if (length <= 0) {
    // Nobody will ever own this block.
    HeapFree(heap, 0, block);
    return nullptr;
  }
  // The driver keeps its heap for the life of the sheet: hand it only what the text needs.
  void *shrunk = HeapReAlloc(heap, HEAP_ZERO_MEMORY, block, (size_t(length) + 1) * sizeof(WCHAR));
  return shrunk ? static_cast<LPWSTR>(shrunk) : block;
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
