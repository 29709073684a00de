// The printer settings' items: the compression list and the horizontal move, each present when its switch in the
// settings file is on, their values kept as printer data.
#include "docoptions/item_slots.h"
#include "docoptions/property_items.h"
#include "docoptions/settings_lookup.h"
#include "platform/owner.h"

namespace {

LONG Lookup(LPCWSTR name, HANDLE printer) {
  LONG value = 0;
  LookupSettingValue(name, printer, &value);
  return value;
}

void FillItem(OPTITEM &item, POEMCUIPPARAM param, UINT titleId, LONG sel, POPTTYPE optionType) {
  item.Level = 1;
  item.Flags = OPTIF_COLLAPSE;
  item.pName = LoadHeapString(param->hOEMHeap, param->hModule, titleId);
  item.Sel = sel;
  item.pOptType = optionType;
}

// The list of compression choices: "Count" values "COMPRESS_VALUE1", "COMPRESS_VALUE2", ... (one choice "100"
// without any), the one equal to "COMPRESS_VALUE" selected. The texts live in a block of this build's own, so two
// sheets open at once keep their lists.
void BuildCompressionItem(OPTITEM &item, POEMCUIPPARAM param) {
  WCHAR currentText[kChoiceChars];
  wsprintfW(currentText, WTEXT("%d"), int(Lookup(WTEXT("COMPRESS_VALUE"), param->hPrinter)));

  LONG count = Lookup(WTEXT("Count"), param->hPrinter);
  if (count < 0) count = 0;
  if (count > kMaxCompressChoices) count = kMaxCompressChoices;
  WORD choices = WORD(count ? count : 1);

  UniqueHeapBlock<WCHAR> textBlock = AllocateHeapBlock<WCHAR>(size_t(choices) * kChoiceChars, param->hOEMHeap);
  if (!textBlock) return;
  POPTTYPE optionType = AllocOptionType(choices, param->hOEMHeap);
  if (!optionType) return;
  optionType->Type = TVOT_COMBOBOX;
  // From here on the texts belong to the option type, which the driver owns.
  LPWSTR texts = textBlock.release();

  LONG sel = 0;
  if (count == 0) {
    lstrcpynW(texts, WTEXT("100"), kChoiceChars);
    optionType->pOptParam[0].pData = texts;
  } else {
    LONG value = 0;  // a choice found nowhere repeats the one before it
    for (LONG n = 1; n <= count; ++n) {
      WCHAR name[kChoiceChars];
      wsprintfW(name, WTEXT("COMPRESS_VALUE%d"), int(n));
      LookupSettingValue(name, param->hPrinter, &value);
      LPWSTR text = texts + (n - 1) * kChoiceChars;
      wsprintfW(text, WTEXT("%d"), int(value));
      optionType->pOptParam[n - 1].pData = text;
      // Both texts come from parsed numbers, so "080" in the file matches 80; the last equal choice wins.
      if (lstrcmpiW(currentText, text) == 0) sel = n - 1;
    }
  }
  FillItem(item, param, IDS_COMPRESS_TITLE, sel, optionType);
}

void BuildMoveItem(OPTITEM &item, POEMCUIPPARAM param) {
  LONG move = Lookup(WTEXT("XMove"), param->hPrinter);
  if (move < kMinMoveMillimetres || move > kMaxMoveMillimetres) move = 0;
  POPTTYPE optionType = AllocOptionType(2, param->hOEMHeap);
  if (!optionType) return;
  optionType->Type = TVOT_UDARROW;
  optionType->pOptParam[1].IconID = ULONG_PTR(LONG_PTR(kMinMoveMillimetres));
  optionType->pOptParam[1].lParam = kMaxMoveMillimetres;
  FillItem(item, param, IDS_XMOVE_TITLE, move, optionType);
}

// The selected choice's text, or null when the slot holds no usable list.
LPCWSTR SelectedChoice(const OPTITEM &item) {
  if (!IsBuiltItem(item, TVOT_COMBOBOX)) return nullptr;
  if (item.Sel < 0 || item.Sel >= LONG(item.pOptType->Count)) return nullptr;
  return item.pOptType->pOptParam[item.Sel].pData;
}

int BoundedLength(LPCWSTR text, int capacity) {
  int n = 0;
  while (n < capacity && text[n]) ++n;
  return n;
}

// Printer data as text, two bytes per character and no terminator.
void StoreText(HANDLE printer, LPCWSTR name, LPCWSTR text, int length) {
  SetPrinterDataW(printer, const_cast<LPWSTR>(name), REG_SZ, reinterpret_cast<LPBYTE>(const_cast<LPWSTR>(text)),
                  DWORD(length) * sizeof(WCHAR));
}

}  // namespace

HRESULT BuildPrinterPropertyItems(POEMCUIPPARAM param) {
  if (!param) return S_OK;
  INT compressSwitch = 0, moveSwitch = 0;
  if (!param->pOEMOptItems) {
    ReadOptionSwitches(param->pPrinterName, &compressSwitch, &moveSwitch);
    param->cOEMOptItems = (compressSwitch ? 1 : 0) + (moveSwitch ? 1 : 0);
    return S_OK;
  }
  param->OEMCUIPCallback = PrinterItemsCallback;
  PrepareItemSlots(param->pOEMOptItems, param->cOEMOptItems);
  // The file may have changed since the first call; the slots follow what it says now, within what the driver
  // set aside.
  ReadOptionSwitches(param->pPrinterName, &compressSwitch, &moveSwitch);
  DWORD moveSlot = 0;
  if (compressSwitch) {
    if (POPTITEM item = ItemSlot(param, 0)) BuildCompressionItem(*item, param);
    moveSlot = 1;
  }
  if (moveSwitch) {
    if (POPTITEM item = ItemSlot(param, moveSlot)) BuildMoveItem(*item, param);
  }
  return S_OK;
}

LONG APIENTRY PrinterItemsCallback(PCPSUICBPARAM callbackParam, POEMCUIPPARAM param) {
  if (!callbackParam || !param || callbackParam->Reason != CPSUICB_REASON_APPLYNOW) return CPSUICB_ACTION_NONE;
  INT compressSwitch = 0, moveSwitch = 0;
  ReadOptionSwitches(param->pPrinterName, &compressSwitch, &moveSwitch);
  DWORD moveSlot = 0;
  if (compressSwitch) {
    POPTITEM item = ItemSlot(param, 0);
    if (LPCWSTR text = item ? SelectedChoice(*item) : nullptr)
      StoreText(param->hPrinter, WTEXT("COMPRESS_VALUE"), text, BoundedLength(text, kChoiceChars));
    moveSlot = 1;
  }
  if (moveSwitch) {
    POPTITEM item = ItemSlot(param, moveSlot);
    if (item && IsBuiltItem(*item, TVOT_UDARROW)) {
      WCHAR text[260];
      int length = wsprintfW(text, WTEXT("%d"), int(item->Sel));
      StoreText(param->hPrinter, WTEXT("XMove"), text, length);
    }
  }
  return CPSUICB_ACTION_NONE;
}
