#include "module/plugin_object.h"

#include "devmode/private_devmode.h"
#include "docoptions/property_items.h"
#include "page/settings_page.h"
#include "resources/module_instance.h"
#include "resources/resource.h"

const WCHAR kPluginPageHeader[] = WTEXT("OEM UI Page");

namespace {

const WCHAR kProfileName[] = WTEXT("OEMPROFILE.icm");
constexpr ULONG kProfileBytes = 32;  // what a caller is told to provide; the name itself takes 30

HRESULT Refuse(DWORD error) {
  SetLastError(error);
  return E_FAIL;
}

}  // namespace

IOemUI::IOemUI() { AddComponent(); }

IOemUI::~IOemUI() {
  driver_.reset();
  RemoveComponent();
}

HRESULT STDMETHODCALLTYPE IOemUI::GetInfo(DWORD dwMode, PVOID pBuffer, DWORD cbSize, PDWORD pcbNeeded) {
  if (!pcbNeeded || (dwMode != OEMGI_GETSIGNATURE && dwMode != OEMGI_GETVERSION && dwMode != OEMGI_GETPUBLISHERINFO))
    return Refuse(ERROR_INVALID_PARAMETER);
  *pcbNeeded = sizeof(DWORD);
  if (cbSize < sizeof(DWORD) || !pBuffer) return Refuse(ERROR_INSUFFICIENT_BUFFER);
  switch (dwMode) {
    case OEMGI_GETSIGNATURE:
      *static_cast<DWORD *>(pBuffer) = kPluginSignature;
      return S_OK;
    case OEMGI_GETVERSION:
      *static_cast<DWORD *>(pBuffer) = kPluginVersion;
      return S_OK;
    default:
      *pcbNeeded = 0;
      return Refuse(ERROR_NOT_SUPPORTED);
  }
}

HRESULT STDMETHODCALLTYPE IOemUI::DevMode(DWORD dwMode, POEMDMPARAM pOemDMParam) {
  return HandlePrivateDevmode(dwMode, pOemDMParam);
}

HRESULT STDMETHODCALLTYPE IOemUI::PublishDriverInterface(IUnknown *pIUnknown) {
  if (driver_) return S_OK;
  if (!pIUnknown) return E_FAIL;
  HRESULT result = pIUnknown->QueryInterface(IID_IPrintOemDriverUI, reinterpret_cast<void **>(driver_.put()));
  if (FAILED(result)) {
    driver_.release();  // whatever a refusing object left there is not a reference
    return E_FAIL;
  }
  return S_OK;
}

HRESULT STDMETHODCALLTYPE IOemUI::CommonUIProp(DWORD dwMode, POEMCUIPPARAM pOemCUIPParam) {
  switch (dwMode) {
    case OEMCUIP_DOCPROP:
      // The driver shows the compression item only when the plug-in answers success.
      return BuildDocumentPropertyItems(pOemCUIPParam);
    case OEMCUIP_PRNPROP:
      return BuildPrinterPropertyItems(pOemCUIPParam);
    default:
      return Refuse(ERROR_INVALID_PARAMETER);
  }
}

HRESULT STDMETHODCALLTYPE IOemUI::DocumentPropertySheets(PPROPSHEETUI_INFO, LPARAM) { return E_FAIL; }

HRESULT STDMETHODCALLTYPE IOemUI::DevicePropertySheets(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam) {
  if (!pPSUIInfo || pPSUIInfo->Version != PROPSHEETUI_INFO_VERSION) return Refuse(ERROR_INVALID_PARAMETER);
  switch (pPSUIInfo->Reason) {
    case PROPSHEETUI_REASON_INIT: {
      PROPSHEETPAGEW page = {};
      page.dwSize = PROPSHEETPAGEW_V2_SIZE;
      page.dwFlags = 0;
      page.hInstance = ModuleInstance();
      page.pszTemplate = MAKEINTRESOURCEW(IDD_PRINTER_SETTINGS);
      page.pfnDlgProc = PrinterSettingsPageProc;
      pPSUIInfo->Result =
          pPSUIInfo->pfnComPropSheet(pPSUIInfo->hComPropSheet, CPSFUNC_ADD_PROPSHEETPAGEW, LPARAM(&page), 0);
      break;
    }
    case PROPSHEETUI_REASON_GET_INFO_HEADER:
      if (auto *header = reinterpret_cast<PPROPSHEETUI_INFO_HEADER>(lParam))
        header->pTitle = const_cast<LPWSTR>(kPluginPageHeader);
      pPSUIInfo->Result = 1;
      break;
    case PROPSHEETUI_REASON_DESTROY:
      pPSUIInfo->Result = 1;
      break;
    case PROPSHEETUI_REASON_SET_RESULT:
      pPSUIInfo->Result = lParam ? reinterpret_cast<PSETRESULT_INFO>(lParam)->Result : 0;
      break;
    default:  // GET_ICON (no icon), BEFORE_INIT and reasons still to come
      pPSUIInfo->Result = 0;
      break;
  }
  return S_OK;
}

HRESULT STDMETHODCALLTYPE IOemUI::DevQueryPrintEx(POEMUIOBJ, PDEVQUERYPRINT_INFO, PDEVMODEW, PVOID) {
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE IOemUI::DeviceCapabilities(POEMUIOBJ, HANDLE, PWSTR, WORD, PVOID, PDEVMODEW, PVOID, DWORD,
                                                     DWORD *) {
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE IOemUI::UpgradePrinter(DWORD, PBYTE) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE IOemUI::PrinterEvent(PWSTR, INT, DWORD, LPARAM) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE IOemUI::DriverEvent(DWORD, DWORD, LPBYTE, LPARAM) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE IOemUI::QueryColorProfile(HANDLE, POEMUIOBJ, PDEVMODEW, PVOID, ULONG ulQueryMode,
                                                    VOID *pvProfileData, ULONG *pcbProfileData,
                                                    FLONG *pflProfileData) {
  if (ulQueryMode != QCP_DEVICEPROFILE) return E_FAIL;
  if (!pcbProfileData) return Refuse(ERROR_INVALID_PARAMETER);
  if (!pvProfileData || *pcbProfileData < kProfileBytes) {
    *pcbProfileData = kProfileBytes;
    return Refuse(ERROR_INSUFFICIENT_BUFFER);
  }
  lstrcpynW(static_cast<LPWSTR>(pvProfileData), kProfileName, int(*pcbProfileData / sizeof(WCHAR)));
  *pcbProfileData = kProfileBytes;
  if (pflProfileData) *pflProfileData = QCP_PROFILEDISK;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE IOemUI::FontInstallerDlgProc(HWND, UINT, WPARAM, LPARAM) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE IOemUI::UpdateExternalFonts(HANDLE, HANDLE, PWSTR) { return E_NOTIMPL; }
