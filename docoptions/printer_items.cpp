// The printer settings' items: the compression list and the horizontal move, each present when its switch in the
// settings file is on, their values kept as printer data.
#include "docoptions/compress_choices.h"
#include "docoptions/item_slots.h"
#include "docoptions/property_items.h"
#include "docoptions/settings_lookup.h"
#include "platform/owner.h"

namespace {

LONG Lookup(PrinterSettingsReads &reads, LPCWSTR name, HANDLE printer) {
  LONG value = 0;
  reads.LookupSettingValue(name, printer, &value);
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
void BuildCompressionItem(OPTITEM &item, POEMCUIPPARAM param, PrinterSettingsReads &reads) {
  const CompressChoices choices = ReadCompressChoices(
      [&](LPCWSTR name, LONG *value) { return reads.LookupSettingValue(name, param->hPrinter, value); });
  const WORD count = WORD(choices.count);

  UniqueHeapBlock<WCHAR> textBlock = AllocateHeapBlock<WCHAR>(size_t(count) * kChoiceChars, param->hOEMHeap);
  if (!textBlock) return;
  POPTTYPE optionType = AllocOptionType(count, param->hOEMHeap);
  if (!optionType) return;
  optionType->Type = TVOT_COMBOBOX;
  // From here on the texts belong to the option type, which the driver owns.
  LPWSTR texts = textBlock.release();
  for (WORD n = 0; n < count; ++n) {
    LPWSTR text = texts + n * kChoiceChars;
    wsprintfW(text, WTEXT("%d"), int(choices.values[n]));
    optionType->pOptParam[n].pData = text;
  }
  FillItem(item, param, IDS_COMPRESS_TITLE, choices.selected, optionType);
}

void BuildMoveItem(OPTITEM &item, POEMCUIPPARAM param, PrinterSettingsReads &reads) {
  LONG move = StartingMove(Lookup(reads, kMoveKey, param->hPrinter));
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
  // set aside. The switches and every value of this build come from one reading of the file.
  PrinterSettingsReads reads;
  reads.ReadOptionSwitches(param->pPrinterName, &compressSwitch, &moveSwitch);
  DWORD moveSlot = 0;
  if (compressSwitch) {
    if (POPTITEM item = ItemSlot(param, 0)) BuildCompressionItem(*item, param, reads);
    moveSlot = 1;
  }
  if (moveSwitch) {
    if (POPTITEM item = ItemSlot(param, moveSlot)) BuildMoveItem(*item, param, reads);
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
      StoreText(param->hPrinter, kCompressValueKey, text, BoundedLength(text, kChoiceChars));
    moveSlot = 1;
  }
  if (moveSwitch) {
    POPTITEM item = ItemSlot(param, moveSlot);
    if (item && IsBuiltItem(*item, TVOT_UDARROW)) {
      WCHAR text[260];
      int length = wsprintfW(text, WTEXT("%d"), int(item->Sel));
      StoreText(param->hPrinter, kMoveKey, text, length);
    }
  }
  return CPSUICB_ACTION_NONE;
}
