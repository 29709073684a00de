// The document settings' compression item: an up-down percentage whose value lives in the private devmode.
#include "devmode/private_devmode.h"
#include "docoptions/item_slots.h"
#include "docoptions/property_items.h"

namespace {

// The percentage the item starts from, at the build and at SETACTIVE. Below 25 it starts again from 100. Above 100
// it does too: the up-down item's range is 25 to 100, so a larger value (0xFFFFFFFF even reads as -1 in the signed
// Sel) would start the item outside its own range and go back to the devmode at the next page change. A validated
// devmode never holds more than 100, so this only puts right what an unvalidated one brings.
DWORD ShownPercent(DWORD percent) {
  return (percent < DWORD(kMinCompressPercent) || percent > DWORD(kMaxCompressPercent)) ? kDefaultCompressPercent
                                                                                         : percent;
}

OemPrivateDevmode *DevmodeOf(POEMCUIPPARAM param) { return static_cast<OemPrivateDevmode *>(param->pOEMDM); }

}  // namespace

HRESULT BuildDocumentPropertyItems(POEMCUIPPARAM param) {
  if (!param) return S_OK;
  if (!param->pOEMOptItems) {
    // The document item is always offered; the switches only govern the printer settings.
    param->cOEMOptItems = 1;
    return S_OK;
  }
  param->OEMCUIPCallback = DocumentItemsCallback;
  PrepareItemSlots(param->pOEMOptItems, param->cOEMOptItems);
  POPTITEM item = ItemSlot(param, 0);
  if (!item) return S_OK;

  // Without room for the item it is left out, and the devmode stays as the driver gave it.
  POPTTYPE optionType = AllocOptionType(2, param->hOEMHeap);
  if (!optionType) return S_OK;
  DWORD percent = kDefaultCompressPercent;
  if (OemPrivateDevmode *devmode = DevmodeOf(param)) {
    devmode->CompressPercent = ShownPercent(devmode->CompressPercent);
    percent = devmode->CompressPercent;
  }
  optionType->Type = TVOT_UDARROW;
  optionType->pOptParam[1].IconID = ULONG_PTR(kMinCompressPercent);
  optionType->pOptParam[1].lParam = kMaxCompressPercent;

  item->Level = 1;
  item->Flags = OPTIF_COLLAPSE;
  item->pName = LoadHeapString(param->hOEMHeap, param->hModule, IDS_COMPRESS_TITLE);
  item->Sel = LONG(percent);
  item->pOptType = optionType;
  return S_OK;
}

LONG APIENTRY DocumentItemsCallback(PCPSUICBPARAM callbackParam, POEMCUIPPARAM param) {
  if (!callbackParam) return CPSUICB_ACTION_NONE;
  POPTITEM item = ItemSlot(param, 0);
  // A slot left empty by the build has no value to move anywhere.
  if (!item || !IsBuiltItem(*item, TVOT_UDARROW)) return CPSUICB_ACTION_NONE;
  OemPrivateDevmode *devmode = DevmodeOf(param);

  switch (callbackParam->Reason) {
    case CPSUICB_REASON_APPLYNOW: {
      DWORD percent = DWORD(item->Sel);
      if (devmode) devmode->CompressPercent = percent;
      SetPrinterDataW(param->hPrinter, const_cast<LPWSTR>(kCompressValueKey), REG_DWORD,
                      reinterpret_cast<LPBYTE>(&percent), sizeof(percent));
      return CPSUICB_ACTION_NONE;
    }
    case CPSUICB_REASON_SETACTIVE:
      // Another page may have changed the devmode while this one was hidden.
      if (devmode && DWORD(item->Sel) != devmode->CompressPercent) {
        devmode->CompressPercent = ShownPercent(devmode->CompressPercent);
        item->Sel = LONG(devmode->CompressPercent);
        item->Flags |= OPTIF_CHANGED;
        return CPSUICB_ACTION_OPTIF_CHANGED;
      }
      return CPSUICB_ACTION_NONE;
    case CPSUICB_REASON_KILLACTIVE:
      if (devmode && DWORD(item->Sel) != devmode->CompressPercent) devmode->CompressPercent = DWORD(item->Sel);
      return CPSUICB_ACTION_NONE;
    default:
      return CPSUICB_ACTION_NONE;
  }
}
