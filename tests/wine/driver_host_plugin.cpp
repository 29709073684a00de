// The driver's side of the plug-in: loading the DLL, creating the object, the published driver interface, the opened
// printer and the device property sheet that the plug-in's page joins.
#include "tests/wine/driver_host.h"

#include "prnset_version.h"

namespace driver_host {

const CLSID kPluginClass = {0xABCE80D7, 0x9F46, 0x11D1, {0x88, 0x2A, 0x00, 0xC0, 0x4F, 0xB9, 0x61, 0xEC}};

WString PluginPath() {
  WCHAR self[MAX_PATH] = {};
  DWORD n = GetModuleFileNameW(nullptr, self, ARRAYSIZE(self));
  WString path(self, n);
  size_t slash = path.find_last_of(L"\\/");
  path.resize(slash == WString::npos ? 0 : slash + 1);
  return path + Wide(PRNSET_DLL_FILE);
}

// --- PluginLibrary -------------------------------------------------------------------------------------------------

PluginLibrary::PluginLibrary(const WString &path) : path_(path) {
  module_ = LoadLibraryW(path_.c_str());
  if (!module_) {
    loadError_ = GetLastError();
    return;
  }
  getClassObject_ = reinterpret_cast<GetClassObjectEntry>(
      reinterpret_cast<void *>(GetProcAddress(module_, "DllGetClassObject")));
  canUnloadNow_ =
      reinterpret_cast<CanUnloadNowEntry>(reinterpret_cast<void *>(GetProcAddress(module_, "DllCanUnloadNow")));
}

PluginLibrary::~PluginLibrary() { Unload(); }

bool PluginLibrary::Unload() {
  if (!module_) return false;
  BOOL freed = FreeLibrary(module_);
  module_ = nullptr;
  getClassObject_ = nullptr;
  canUnloadNow_ = nullptr;
  return freed && !GetModuleHandleW(path_.c_str());
}

const IID kPrintOemUI2 = {0x292515F9, 0xB54B, 0x489B, {0x92, 0x75, 0xBA, 0xB5, 0x68, 0x21, 0x39, 0x5E}};
const IID kPrintCoreUI2 = {0x085CCFCA, 0x3ADF, 0x4C9E, {0xB4, 0x91, 0xD8, 0x51, 0xA6, 0xED, 0xC9, 0x97}};

namespace {

// Makes one call, keeps its answer (with the last error of a failure) in `calls` and returns it.
template <typename Call>
HRESULT Record(std::vector<DriverCall> *calls, const char *name, Call call) {
  SetLastError(0);
  HRESULT result = call();
  DWORD error = FAILED(result) ? GetLastError() : 0;
  if (calls) calls->push_back({name, result, error});
  return result;
}

}  // namespace

IPrintOemUI *CreatePlugin(const PluginLibrary &library, HRESULT *result, std::vector<DriverCall> *calls) {
  HRESULT ignored;
  HRESULT &hr = result ? *result : ignored;
  hr = E_FAIL;
  if (!library.Ready()) return nullptr;
  IClassFactory *factory = nullptr;
  hr = library.GetClassObject(kPluginClass, IID_IClassFactory, reinterpret_cast<void **>(&factory));
  if (FAILED(hr) || !factory) return nullptr;
  IUnknown *unknown = nullptr;
  hr = Record(calls, "CreateInstance(IUnknown)", [&] {
    return factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void **>(&unknown));
  });
  factory->Release();
  if (FAILED(hr) || !unknown) return nullptr;
  // The newest interface the driver knows first; the plug-in serves only the first generation.
  void *newer = nullptr;
  if (SUCCEEDED(Record(calls, "QueryInterface(IPrintOemUI2)",
                       [&] { return unknown->QueryInterface(kPrintOemUI2, &newer); })) &&
      newer) {
    static_cast<IUnknown *>(newer)->Release();
  }
  IPrintOemUI *plugin = nullptr;
  hr = Record(calls, "QueryInterface(IPrintOemUI)",
              [&] { return unknown->QueryInterface(IID_IPrintOemUI, reinterpret_cast<void **>(&plugin)); });
  unknown->Release();
  return SUCCEEDED(hr) ? plugin : nullptr;
}

void IntroduceDriver(IPrintOemUI *plugin, CoreDriver driver, DriverObjects &objects, std::vector<DriverCall> &calls) {
  DWORD helpers = 0, needed = 0;
  HRESULT asked = Record(&calls, "GetInfo(OEMGI_GETREQUESTEDHELPERINTERFACES)", [&] {
    return plugin->GetInfo(kGetRequestedHelperInterfaces, &helpers, sizeof(helpers), &needed);
  });
  if (driver == CoreDriver::kPostScript) {
    HRESULT core = Record(&calls, "PublishDriverInterface(IPrintCoreUI2)", [&] {
      return plugin->PublishDriverInterface(static_cast<IUnknown *>(&objects.coreUi));
    });
    if (core == E_FAIL) {
      Record(&calls, "PublishDriverInterface(IPrintOemDriverUI)", [&] {
        return plugin->PublishDriverInterface(static_cast<IUnknown *>(&objects.driverUi));
      });
    }
  } else {
    Record(&calls, "PublishDriverInterface(IPrintOemDriverUI)",
           [&] { return plugin->PublishDriverInterface(static_cast<IUnknown *>(&objects.driverUi)); });
  }
  if (SUCCEEDED(asked) && helpers != 0) {
    Record(&calls, "PublishDriverInterface(core helper)",
           [&] { return plugin->PublishDriverInterface(static_cast<IUnknown *>(&objects.helper)); });
  }
}

// --- DriverInterface -----------------------------------------------------------------------------------------------

HRESULT STDMETHODCALLTYPE DriverInterface::QueryInterface(REFIID riid, void **ppv) {
  InterlockedIncrement(&queries_);
  asked_.push_back(riid);
  if (IsEqualGUID(riid, IID_IUnknown) || (serves_ && IsEqualGUID(riid, *serves_))) {
    *ppv = static_cast<IPrintOemDriverUI *>(this);
    AddRef();
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

// --- OpenedPrinter -------------------------------------------------------------------------------------------------

OpenedPrinter::OpenedPrinter(const WString &name) : name_(name) {
  PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
  if (!OpenPrinterW(const_cast<LPWSTR>(name_.c_str()), &handle_, &defaults)) handle_ = nullptr;
}

OpenedPrinter::~OpenedPrinter() {
  if (handle_) ClosePrinter(handle_);
}

// --- DeviceSheet ---------------------------------------------------------------------------------------------------

DeviceSheet::DeviceSheet(IPrintOemUI *plugin, const WString &printer)
    : plugin_(plugin), printer_(printer), caption_(printer + L" Properties") {}

bool DeviceSheet::Open() {
  {
    std::lock_guard<std::mutex> guard(lock_);
    calls_.clear();
  }
  handOnResult_ = 0;
  return sheet_.Open(DriverCallback, this);
}

std::vector<PluginSheetCall> DeviceSheet::PluginCalls() {
  std::lock_guard<std::mutex> guard(lock_);
  return calls_;
}

LONG CALLBACK DeviceSheet::DriverCallback(PPROPSHEETUI_INFO info, LPARAM lParam) {
  auto *self = static_cast<DeviceSheet *>(sheet_harness::SheetThread::Context());
  if (!info || !self) return -1;
  if (info->Reason != PROPSHEETUI_REASON_GET_INFO_HEADER) return 1;
  auto *header = reinterpret_cast<PPROPSHEETUI_INFO_HEADER>(lParam);
  if (header) header->pTitle = const_cast<LPWSTR>(self->caption_.c_str());
  // The plug-in's pages join the sheet through a callback of the driver's, which the sheet calls as it calls ours.
  self->handOnResult_ = info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_ADD_PFNPROPSHEETUIW,
                                              reinterpret_cast<LPARAM>(PluginCallback), reinterpret_cast<LPARAM>(self));
  return self->handOnResult_ > 0 ? 1 : -1;
}

LONG CALLBACK DeviceSheet::PluginCallback(PPROPSHEETUI_INFO info, LPARAM lParam) {
  if (!info) return -1;
  auto *self = reinterpret_cast<DeviceSheet *>(info->lParamInit);
  if (!self) self = static_cast<DeviceSheet *>(sheet_harness::SheetThread::Context());
  if (!self) return -1;
  PluginSheetCall call;
  call.reason = info->Reason;
  call.version = info->Version;
  call.result = self->plugin_->DevicePropertySheets(info, lParam);
  call.sheetResult = info->Result;
  {
    std::lock_guard<std::mutex> guard(self->lock_);
    self->calls_.push_back(call);
  }
  if (FAILED(call.result)) return -1;
  return info->Reason == PROPSHEETUI_REASON_INIT && LONG_PTR(info->Result) <= 0 ? -1 : 1;
}

// --- Texts ---------------------------------------------------------------------------------------------------------

bool RunsInChinese() { return GetSystemDefaultLangID() == 0x0804 && GetUserDefaultUILanguage() == 0x0804; }

const ItemTitles &ItemTitlesInProcessLanguage() {
  static const ItemTitles english{"Landscape orientation compressibility(%)", "landscape orientation move (mm) "};
  static const ItemTitles chinese{"图形打印横向压缩率(%)", "打印内容横向移动(mm)"};
  return RunsInChinese() ? chinese : english;
}

}  // namespace driver_host
