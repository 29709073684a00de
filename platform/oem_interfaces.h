// The printer-driver plug-in interfaces: the structures the driver's UI module hands to its plug-ins, the constants
// of its calls and the COM interfaces through which it talks to them. No toolchain header declares them, so they
// are declared here once for both builds. Included through platform/platform.h, after the system headers.
#pragma once

// --- Structures --------------------------------------------------------------------------------------------------

// Leads every plug-in's private area inside the driver's DEVMODE.
typedef struct _OEM_DMEXTRAHEADER {
  DWORD dwSize;
  DWORD dwSignature;
  DWORD dwVersion;
} OEM_DMEXTRAHEADER, *POEM_DMEXTRAHEADER;

// Arguments of IPrintOemCommon::DevMode.
typedef struct _OEMDMPARAM {
  DWORD cbSize;
  PVOID pdriverobj;
  HANDLE hPrinter;
  HANDLE hModule;
  PDEVMODEW pPublicDMIn;
  PDEVMODEW pPublicDMOut;
  PVOID pOEMDMIn;
  PVOID pOEMDMOut;
  DWORD cbBufSize;
} OEMDMPARAM, *POEMDMPARAM;

// The driver's own bookkeeping object; a plug-in only passes it back.
struct _OEMUIOBJ;
typedef struct _OEMUIOBJ *POEMUIOBJ;

struct _OEMCUIPPARAM;
typedef struct _OEMCUIPPARAM *POEMCUIPPARAM;
typedef LONG(APIENTRY *OEMCUIPCALLBACK)(PCPSUICBPARAM, POEMCUIPPARAM);

// Arguments of IPrintOemUI::CommonUIProp: the driver's settings tree and the slots it set aside for the plug-in.
typedef struct _OEMCUIPPARAM {
  DWORD cbSize;
  POEMUIOBJ poemuiobj;
  HANDLE hPrinter;
  PWSTR pPrinterName;
  HANDLE hModule;
  HANDLE hOEMHeap;
  PDEVMODEW pPublicDM;
  PVOID pOEMDM;
  DWORD dwFlags;
  POPTITEM pDrvOptItems;
  DWORD cDrvOptItems;
  POPTITEM pOEMOptItems;
  DWORD cOEMOptItems;
  PVOID pOEMUserData;
  OEMCUIPCALLBACK OEMCUIPCallback;
} OEMCUIPPARAM;

// Argument of IPrintOemUI::DevQueryPrintEx (the toolchain's winddiui.h lacks it).
typedef struct _DEVQUERYPRINT_INFO {
  WORD cbSize;
  WORD Level;
  HANDLE hPrinter;
  PDEVMODEW pDevMode;
  LPWSTR pszErrorStr;
  DWORD cchErrorStr;
  DWORD cchNeeded;
} DEVQUERYPRINT_INFO, *PDEVQUERYPRINT_INFO;

// --- Constants ---------------------------------------------------------------------------------------------------

// IPrintOemCommon::GetInfo modes.
#define OEMGI_GETSIGNATURE 1
#define OEMGI_GETINTERFACEVERSION 2
#define OEMGI_GETVERSION 3
#define OEMGI_GETPUBLISHERINFO 4

// IPrintOemCommon::DevMode modes.
#define OEMDM_SIZE 1
#define OEMDM_DEFAULT 2
#define OEMDM_CONVERT 3
#define OEMDM_MERGE 4

// IPrintOemUI::CommonUIProp modes.
#define OEMCUIP_DOCPROP 1
#define OEMCUIP_PRNPROP 2

// IPrintOemUI::QueryColorProfile: the query and the answer's kind.
#define QCP_DEVICEPROFILE 0
#define QCP_PROFILEDISK 2

// The first call a property sheet makes, before INIT (the toolchain's compstui.h stops at GET_ICON).
#ifndef PROPSHEETUI_REASON_BEFORE_INIT
#define PROPSHEETUI_REASON_BEFORE_INIT 5
#endif

// --- Interfaces --------------------------------------------------------------------------------------------------

// {C6A7A9D0-774C-11D1-947F-00A0C90640B8}
inline const IID IID_IPrintOemUI = {0xC6A7A9D0, 0x774C, 0x11D1, {0x94, 0x7F, 0x00, 0xA0, 0xC9, 0x06, 0x40, 0xB8}};
// {92B05D50-78BC-11D1-9480-00A0C90640B8}
inline const IID IID_IPrintOemDriverUI = {0x92B05D50, 0x78BC, 0x11D1, {0x94, 0x80, 0x00, 0xA0, 0xC9, 0x06, 0x40, 0xB8}};

struct IPrintOemCommon : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetInfo(DWORD dwMode, PVOID pBuffer, DWORD cbSize, PDWORD pcbNeeded) = 0;
  virtual HRESULT STDMETHODCALLTYPE DevMode(DWORD dwMode, POEMDMPARAM pOemDMParam) = 0;
};

struct IPrintOemUI : public IPrintOemCommon {
  virtual HRESULT STDMETHODCALLTYPE PublishDriverInterface(IUnknown *pIUnknown) = 0;
  virtual HRESULT STDMETHODCALLTYPE CommonUIProp(DWORD dwMode, POEMCUIPPARAM pOemCUIPParam) = 0;
  virtual HRESULT STDMETHODCALLTYPE DocumentPropertySheets(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam) = 0;
  virtual HRESULT STDMETHODCALLTYPE DevicePropertySheets(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam) = 0;
  virtual HRESULT STDMETHODCALLTYPE DevQueryPrintEx(POEMUIOBJ poemuiobj, PDEVQUERYPRINT_INFO pDQPInfo,
                                                    PDEVMODEW pPublicDM, PVOID pOEMDM) = 0;
  virtual HRESULT STDMETHODCALLTYPE DeviceCapabilities(POEMUIOBJ poemuiobj, HANDLE hPrinter, PWSTR pDeviceName,
                                                       WORD wCapability, PVOID pOutput, PDEVMODEW pPublicDM,
                                                       PVOID pOEMDM, DWORD dwOld, DWORD *dwResult) = 0;
  virtual HRESULT STDMETHODCALLTYPE UpgradePrinter(DWORD dwLevel, PBYTE pDriverUpgradeInfo) = 0;
  virtual HRESULT STDMETHODCALLTYPE PrinterEvent(PWSTR pPrinterName, INT iDriverEvent, DWORD dwFlags,
                                                 LPARAM lParam) = 0;
  virtual HRESULT STDMETHODCALLTYPE DriverEvent(DWORD dwDriverEvent, DWORD dwLevel, LPBYTE pDriverInfo,
                                                LPARAM lParam) = 0;
  virtual HRESULT STDMETHODCALLTYPE QueryColorProfile(HANDLE hPrinter, POEMUIOBJ poemuiobj, PDEVMODEW pPublicDM,
                                                      PVOID pOEMDM, ULONG ulQueryMode, VOID *pvProfileData,
                                                      ULONG *pcbProfileData, FLONG *pflProfileData) = 0;
  virtual HRESULT STDMETHODCALLTYPE FontInstallerDlgProc(HWND hWnd, UINT usMsg, WPARAM wParam, LPARAM lParam) = 0;
  virtual HRESULT STDMETHODCALLTYPE UpdateExternalFonts(HANDLE hPrinter, HANDLE hHeap, PWSTR pwstrCartridges) = 0;
};

// The driver's interface handed to the plug-in. The plug-in only holds it, so only what every COM object answers is
// declared; the driver's own methods follow in its table and are never called from here.
struct IPrintOemDriverUI : public IUnknown {};
