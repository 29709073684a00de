// The driver host: what a printer driver's user-interface module does with its user-interface plug-in, done with the
// real prnsetui.dll. It loads the DLL, gets the plug-in object through the DLL's exports, publishes a driver
// interface of its own, and opens the printer's device property sheet through the common property-sheet UI, handing
// the sheet on to the plug-in the way a driver does. Used by the driver host's suite and by its demo.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <mutex>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tests/support/test_machine.h"
#include "tests/wine/sheet_harness.h"

namespace driver_host {

// The plug-in's class, {ABCE80D7-9F46-11D1-882A-00C04FB961EC}, written out here as a driver's configuration names it.
extern const CLSID kPluginClass;

// The DLL beside this program.
WString PluginPath();

// prnsetui.dll as the driver loads it: LoadLibraryW and the two exports.
class PluginLibrary {
 public:
  using GetClassObjectEntry = HRESULT(STDAPICALLTYPE *)(REFCLSID, REFIID, LPVOID *);
  using CanUnloadNowEntry = HRESULT(STDAPICALLTYPE *)();

  explicit PluginLibrary(const WString &path = PluginPath());
  ~PluginLibrary();
  PluginLibrary(const PluginLibrary &) = delete;
  PluginLibrary &operator=(const PluginLibrary &) = delete;

  // True when the DLL is loaded and has both exports.
  bool Ready() const { return module_ && getClassObject_ && canUnloadNow_; }
  HMODULE Module() const { return module_; }
  const WString &Path() const { return path_; }
  DWORD LoadError() const { return loadError_; }

  HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void **ppv) const { return getClassObject_(clsid, iid, ppv); }
  HRESULT CanUnloadNow() const { return canUnloadNow_(); }

  // Frees the DLL; true when FreeLibrary succeeded and the DLL has left the process.
  bool Unload();

 private:
  WString path_;
  HMODULE module_ = nullptr;
  DWORD loadError_ = 0;
  GetClassObjectEntry getClassObject_ = nullptr;
  CanUnloadNowEntry canUnloadNow_ = nullptr;
};

// Interfaces a core driver asks for or offers that the plug-in does not serve, with their published identifiers.
extern const IID kPrintOemUI2;   // the newer plug-in interface, asked for first
extern const IID kPrintCoreUI2;  // the PostScript driver's core UI object, offered first
// GetInfo mode by which a core driver asks which helper objects the plug-in wants published to it.
constexpr DWORD kGetRequestedHelperInterfaces = 5;

// One call the driver made on the plug-in while loading and introducing itself, and the plug-in's answer.
struct DriverCall {
  std::string call;
  HRESULT result = E_FAIL;
  DWORD lastError = 0;  // read after a failure, 0 after a success
};

// The plug-in object the way a core driver creates it: the class object for kPluginClass, CreateInstance for
// IUnknown, then QueryInterface for IPrintOemUI2 and, refused, for IPrintOemUI; the factory and the first reference
// are released again. Null on failure, with the failing result in `result`; every call and its answer go to `calls`.
IPrintOemUI *CreatePlugin(const PluginLibrary &library, HRESULT *result = nullptr,
                          std::vector<DriverCall> *calls = nullptr);

// An object of the driver's, published to the plug-in. It counts its references and the questions it was asked. By
// default it is the driver's IPrintOemDriverUI object (or, with `serves` false, an object lacking it); given an
// interface identifier it is an object serving that one alone, such as the PostScript driver's IPrintCoreUI2 object.
class DriverInterface : public IPrintOemDriverUI {
 public:
  explicit DriverInterface(bool serves = true) : serves_(serves ? &IID_IPrintOemDriverUI : nullptr) {}
  explicit DriverInterface(const IID &serves) : serves_(&serves) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() override { return ULONG(InterlockedDecrement(&references_)); }
  LONG References() const { return references_; }
  LONG Queries() const { return queries_; }
  // The interfaces asked for, in order.
  const std::vector<IID> &Asked() const { return asked_; }

 private:
  const IID *serves_;
  LONG volatile references_ = 1;  // the driver's own
  LONG volatile queries_ = 0;
  std::vector<IID> asked_;
};

// The two core drivers, which introduce themselves to a UI plug-in in different orders.
enum class CoreDriver { kUnidrv, kPostScript };

// The driver's objects that a core driver publishes.
struct DriverObjects {
  DriverInterface driverUi;                        // IPrintOemDriverUI
  DriverInterface coreUi{kPrintCoreUI2};           // the PostScript driver's IPrintCoreUI2 object
  DriverInterface helper{false};                   // a core helper object, published only on request
};

// What the core driver does after creating the plug-in: asks for the helper objects the plug-in wants
// (GetInfo(kGetRequestedHelperInterfaces)), then publishes its objects in its own order: Unidrv its IPrintOemDriverUI
// object; PostScript first its IPrintCoreUI2 object and, when the plug-in answers E_FAIL, its IPrintOemDriverUI;
// both a helper object only when the plug-in asked for one. Every call and its answer go to `calls`.
void IntroduceDriver(IPrintOemUI *plugin, CoreDriver driver, DriverObjects &objects, std::vector<DriverCall> &calls);

// A printer opened by name, as the driver's UI holds it while it shows the printer's settings.
class OpenedPrinter {
 public:
  explicit OpenedPrinter(const WString &name);
  ~OpenedPrinter();
  OpenedPrinter(const OpenedPrinter &) = delete;
  OpenedPrinter &operator=(const OpenedPrinter &) = delete;
  HANDLE Handle() const { return handle_; }
  const WString &Name() const { return name_; }

 private:
  WString name_;
  HANDLE handle_ = nullptr;
};

// One call the common property-sheet UI made on the plug-in's behalf, as the driver forwarded it.
struct PluginSheetCall {
  WORD reason = 0;
  WORD version = 0;
  HRESULT result = S_OK;
  ULONG_PTR sheetResult = 0;  // PROPSHEETUI_INFO::Result after the call
};

// The printer's device property sheet as the driver opens it: CommonPropertySheetUIW with the driver's callback,
// which titles the sheet "<printer> Properties" and, when asked for the sheet's header, hands the sheet on to the
// plug-in with CPSFUNC_ADD_PFNPROPSHEETUIW. The common property-sheet UI then calls the driver's second callback
// with a PROPSHEETUI_INFO of its own, and that callback forwards every call to IPrintOemUI::DevicePropertySheets.
class DeviceSheet {
 public:
  DeviceSheet(IPrintOemUI *plugin, const WString &printer);
  bool Open();
  void Close() { sheet_.Close(); }

  sheet_harness::SheetThread &Sheet() { return sheet_; }
  HWND Page() const { return sheet_.Page(); }
  const WString &Caption() const { return caption_; }
  const WString &Printer() const { return printer_; }
  std::vector<PluginSheetCall> PluginCalls();
  // What the driver's own callback learnt from handing the sheet on (the result of CPSFUNC_ADD_PFNPROPSHEETUIW).
  LONG_PTR HandOnResult() const { return handOnResult_; }

 private:
  static LONG CALLBACK DriverCallback(PPROPSHEETUI_INFO info, LPARAM lParam);
  static LONG CALLBACK PluginCallback(PPROPSHEETUI_INFO info, LPARAM lParam);

  IPrintOemUI *plugin_;
  WString printer_;
  WString caption_;
  LONG_PTR handOnResult_ = 0;
  std::mutex lock_;
  std::vector<PluginSheetCall> calls_;
  sheet_harness::SheetThread sheet_;
};

// The module's texts for the two items it adds to the driver's settings, in the process's language.
struct ItemTitles {
  const char *compress;
  const char *move;
};
const ItemTitles &ItemTitlesInProcessLanguage();

// True when the process runs in Chinese (UI and system language).
bool RunsInChinese();

// The demo mode: `--demo FILE`. Installs a printer whose driver's settings file is FILE, shows what the real page
// makes of it, presses Set All and prints the job that reached the printer's port. Returns the exit code.
int RunDemo(const WString &settingsFile);

}  // namespace driver_host
