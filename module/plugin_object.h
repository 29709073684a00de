// The plug-in object through which the driver's UI module talks to the plug-in.
#pragma once

#include "module/plugin_module.h"
#include "platform/owner.h"

// The private devmode's signature and version, as GetInfo reports them.
constexpr DWORD kPluginSignature = 0x4D534654;
constexpr DWORD kPluginVersion = 1;

// The title the sheet header gets from the plug-in's own property-sheet callback.
extern const WCHAR kPluginPageHeader[];

class IOemUI final : public ComObject<IOemUI, IPrintOemUI, &IID_IPrintOemUI> {
 public:
  IOemUI();
  IOemUI(const IOemUI &) = delete;
  IOemUI &operator=(const IOemUI &) = delete;

  HRESULT STDMETHODCALLTYPE GetInfo(DWORD dwMode, PVOID pBuffer, DWORD cbSize, PDWORD pcbNeeded) override;
  HRESULT STDMETHODCALLTYPE DevMode(DWORD dwMode, POEMDMPARAM pOemDMParam) override;

  HRESULT STDMETHODCALLTYPE PublishDriverInterface(IUnknown *pIUnknown) override;
  HRESULT STDMETHODCALLTYPE CommonUIProp(DWORD dwMode, POEMCUIPPARAM pOemCUIPParam) override;
  HRESULT STDMETHODCALLTYPE DocumentPropertySheets(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam) override;
  HRESULT STDMETHODCALLTYPE DevicePropertySheets(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam) override;
  HRESULT STDMETHODCALLTYPE DevQueryPrintEx(POEMUIOBJ poemuiobj, PDEVQUERYPRINT_INFO pDQPInfo, PDEVMODEW pPublicDM,
                                            PVOID pOEMDM) override;
  HRESULT STDMETHODCALLTYPE DeviceCapabilities(POEMUIOBJ poemuiobj, HANDLE hPrinter, PWSTR pDeviceName,
                                               WORD wCapability, PVOID pOutput, PDEVMODEW pPublicDM, PVOID pOEMDM,
                                               DWORD dwOld, DWORD *dwResult) override;
  HRESULT STDMETHODCALLTYPE UpgradePrinter(DWORD dwLevel, PBYTE pDriverUpgradeInfo) override;
  HRESULT STDMETHODCALLTYPE PrinterEvent(PWSTR pPrinterName, INT iDriverEvent, DWORD dwFlags,
                                         LPARAM lParam) override;
  HRESULT STDMETHODCALLTYPE DriverEvent(DWORD dwDriverEvent, DWORD dwLevel, LPBYTE pDriverInfo,
                                        LPARAM lParam) override;
  HRESULT STDMETHODCALLTYPE QueryColorProfile(HANDLE hPrinter, POEMUIOBJ poemuiobj, PDEVMODEW pPublicDM,
                                              PVOID pOEMDM, ULONG ulQueryMode, VOID *pvProfileData,
                                              ULONG *pcbProfileData, FLONG *pflProfileData) override;
  HRESULT STDMETHODCALLTYPE FontInstallerDlgProc(HWND hWnd, UINT usMsg, WPARAM wParam, LPARAM lParam) override;
  HRESULT STDMETHODCALLTYPE UpdateExternalFonts(HANDLE hPrinter, HANDLE hHeap, PWSTR pwstrCartridges) override;

  // The driver interface held since PublishDriverInterface, or nullptr.
  IPrintOemDriverUI *DriverInterface() const { return driver_.get(); }

 private:
  friend class ComObject<IOemUI, IPrintOemUI, &IID_IPrintOemUI>;
  ~IOemUI();

  UniqueInterface<IPrintOemDriverUI> driver_;
};
