// The real prnsetui.dll driven as a printer driver's user-interface module drives it: loaded with LoadLibraryW, the
// object made through the DLL's own exports, DEVMODE work on the driver's buffers, the settings items built on a
// real heap for a real printer and applied into its printer data, the device property sheet of the common
// property-sheet UI with the plug-in's page, and the DLL unloaded at the end of every test. The suite runs in the
// process's language, English or Chinese.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/page/settings_page_scenarios.h"
#include "tests/wine/driver_host.h"

namespace {

using namespace driver_host;
namespace ps = page_scenarios;

// Written out here, so that a wrong constant in the module shows.
const IID kPrintOemUI = {0xC6A7A9D0, 0x774C, 0x11D1, {0x94, 0x7F, 0x00, 0xA0, 0xC9, 0x06, 0x40, 0xB8}};
const CLSID kNearPluginClass = {0xABCE80D7, 0x9F46, 0x11D1, {0x88, 0x2A, 0x00, 0xC0, 0x4F, 0xB9, 0x61, 0xED}};
const CLSID kOtherClass = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
constexpr DWORD kSignature = 0x4D534654;

const WString kPrinter = L"Driver Host Printer";
const WString kDriver = L"Prnset DriverHost";
const WString kPrinterWithoutFile = L"Driver Host Printer Without File";
const WString kDriverWithoutFile = L"Prnset DriverHostNoFile";

// The page's settings file with the switches and values of the driver's own items.
std::string SettingsFile() {
  return ps::SettingsFile() +
         "[Settings]\nLandscape_Compress=1\nXMoveEnable=1\nCount=3\nCOMPRESS_VALUE1=100\nCOMPRESS_VALUE2=80\n"
         "COMPRESS_VALUE3=060\nCOMPRESS_VALUE=80\nXMove=5\n";
}

const wchar_t *const kStoredNames[] = {L"COMPRESS_VALUE", L"XMove"};

// The test printer with its driver's settings file, and none of the values the plug-in stores: an earlier run in
// the same prefix leaves them behind, and Wine's spooler has no DeletePrinterDataW, so the printer is added anew.
bool PreparePrinter(const WString &printer = kPrinter, bool withFile = true) {
  HANDLE handle = nullptr;
  PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
  if (OpenPrinterW(const_cast<LPWSTR>(printer.c_str()), &handle, &defaults)) {
    DeletePrinter(handle);
    ClosePrinter(handle);
  }
  if (!ps::EnsurePrinter(printer, withFile ? kDriver : kDriverWithoutFile)) return false;
  if (withFile) testing_machine::WriteSettingsFile(kDriver, SettingsFile());
  OpenedPrinter opened(printer);
  if (!opened.Handle()) return false;
  for (const wchar_t *name : kStoredNames) {
    DWORD type = 0, needed = 0;
    BYTE buffer[4];
    DWORD status = GetPrinterDataW(opened.Handle(), const_cast<LPWSTR>(name), &type, buffer, sizeof(buffer), &needed);
    if (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) return false;
  }
  return true;
}

struct StoredValue {
  bool found = false;
  DWORD type = 0;
  std::vector<BYTE> bytes;
};

StoredValue ReadStored(HANDLE printer, const wchar_t *name) {
  StoredValue value;
  BYTE buffer[512];
  DWORD needed = 0;
  if (GetPrinterDataW(printer, const_cast<LPWSTR>(name), &value.type, buffer, sizeof(buffer), &needed) ==
      ERROR_SUCCESS) {
    value.found = true;
    value.bytes.assign(buffer, buffer + needed);
  }
  return value;
}

// UTF-16 bytes of an ASCII text, without a terminator, as the plug-in stores texts.
std::vector<BYTE> TextBytes(const std::string &text) {
  std::vector<BYTE> bytes;
  for (char c : text) {
    bytes.push_back(BYTE(c));
    bytes.push_back(0);
  }
  return bytes;
}

std::vector<BYTE> DwordBytes(DWORD value) {
  std::vector<BYTE> bytes(sizeof(value));
  std::memcpy(bytes.data(), &value, sizeof(value));
  return bytes;
}

// A stored text as the plug-in meant it. The plug-in gives the spooler its texts without a terminator, but the
// registry under it adds the null that follows the text in the caller's buffer (NT does so, and Wine with it).
std::vector<BYTE> StoredText(const StoredValue &value) {
  std::vector<BYTE> bytes = value.bytes;
  if (bytes.size() >= 2 && bytes.size() % 2 == 0 && bytes[bytes.size() - 1] == 0 && bytes[bytes.size() - 2] == 0)
    bytes.resize(bytes.size() - 2);
  return bytes;
}

bool Store(HANDLE printer, const wchar_t *name, DWORD type, const std::vector<BYTE> &bytes) {
  return SetPrinterDataW(printer, const_cast<LPWSTR>(name), type, const_cast<LPBYTE>(bytes.data()),
                         DWORD(bytes.size())) == ERROR_SUCCESS;
}

// The module's texts follow the UI language and the catalogue's the system's; the checks of texts expect both alike.
bool SameLanguages() { return GetUserDefaultUILanguage() == GetSystemDefaultLangID(); }

// Every test loads the DLL afresh and ends by checking that the driver may unload it, and that it goes.
class DriverHost : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(library_.Ready()) << "cannot load " << Utf8(library_.Path()) << " (error " << library_.LoadError()
                                  << ")";
  }
  void TearDown() override {
    if (!library_.Module()) return;
    EXPECT_EQ(library_.CanUnloadNow(), S_OK) << "an object or a server lock outlived the test";
    EXPECT_TRUE(library_.Unload()) << "the DLL stayed in the process";
  }

  IPrintOemUI *Plugin() {
    HRESULT result = E_FAIL;
    IPrintOemUI *plugin = CreatePlugin(library_, &result);
    EXPECT_EQ(result, S_OK);
    EXPECT_NE(plugin, nullptr);
    return plugin;
  }

  PluginLibrary library_;
};

// --- The DLL as it ships ------------------------------------------------------------------------------------------

// One directory of the loaded image's headers.
const IMAGE_DATA_DIRECTORY &ImageDirectory(HMODULE module, int which) {
  auto *base = reinterpret_cast<const BYTE *>(module);
  auto *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
  auto *nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
  return nt->OptionalHeader.DataDirectory[which];
}

std::set<std::string> ExportedNames(HMODULE module) {
  std::set<std::string> names;
  auto *base = reinterpret_cast<const BYTE *>(module);
  const IMAGE_DATA_DIRECTORY &directory = ImageDirectory(module, IMAGE_DIRECTORY_ENTRY_EXPORT);
  if (!directory.VirtualAddress) return names;
  auto *exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY *>(base + directory.VirtualAddress);
  auto *nameTable = reinterpret_cast<const DWORD *>(base + exports->AddressOfNames);
  for (DWORD i = 0; i < exports->NumberOfNames; ++i)
    names.insert(reinterpret_cast<const char *>(base + nameTable[i]));
  return names;
}

std::vector<std::string> ImportedDlls(HMODULE module) {
  std::vector<std::string> dlls;
  auto *base = reinterpret_cast<const BYTE *>(module);
  const IMAGE_DATA_DIRECTORY &directory = ImageDirectory(module, IMAGE_DIRECTORY_ENTRY_IMPORT);
  if (!directory.VirtualAddress) return dlls;
  for (auto *entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR *>(base + directory.VirtualAddress); entry->Name;
       ++entry) {
    std::string name = reinterpret_cast<const char *>(base + entry->Name);
    for (char &c : name) c = char(c >= 'A' && c <= 'Z' ? c + 32 : c);
    dlls.push_back(name);
  }
  return dlls;
}

TEST_F(DriverHost, DllExportsTheTwoEntriesCarriesItsResourcesAndNeedsOnlySystemDlls) {
  EXPECT_EQ(ExportedNames(library_.Module()), (std::set<std::string>{"DllCanUnloadNow", "DllGetClassObject"}));
  for (const std::string &dll : ImportedDlls(library_.Module()))
    EXPECT_NE(dll.rfind("lib", 0), 0u) << dll << ": a runtime DLL a printer's machine does not have";

  HMODULE module = library_.Module();
  const WORD languages[] = {MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US),
                            MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED)};
  for (WORD language : languages) {
    EXPECT_NE(FindResourceExW(module, RT_DIALOG, MAKEINTRESOURCEW(IDD_PRINTER_SETTINGS), language), nullptr)
        << "page template in language " << language;
  }
  EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(1), RT_VERSION), nullptr);
  EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(2), RT_MANIFEST), nullptr);
  WCHAR text[100] = {};
  EXPECT_GT(LoadStringW(module, IDS_JOB_NAME, text, ARRAYSIZE(text)), 0);
}

// --- The COM frame through the exports ----------------------------------------------------------------------------

struct ClassObjectCase {
  const char *name;
  const CLSID *clsid;
  const IID *iid;
  HRESULT result;
};

TEST_F(DriverHost, ClassObjectOnlyForThePluginClassAndTheFactoryInterfaces) {
  const ClassObjectCase cases[] = {
      {"factory", &kPluginClass, &IID_IClassFactory, S_OK},
      {"unknown", &kPluginClass, &IID_IUnknown, S_OK},
      {"plug-in interface from the export", &kPluginClass, &kPrintOemUI, E_NOINTERFACE},
      {"other class", &kOtherClass, &IID_IClassFactory, CLASS_E_CLASSNOTAVAILABLE},
      {"class one byte off", &kNearPluginClass, &IID_IClassFactory, CLASS_E_CLASSNOTAVAILABLE},
      {"interface id as class", &kPrintOemUI, &IID_IClassFactory, CLASS_E_CLASSNOTAVAILABLE},
  };
  for (const ClassObjectCase &c : cases) {
    SCOPED_TRACE(c.name);
    void *out = reinterpret_cast<void *>(1);
    ASSERT_EQ(library_.GetClassObject(*c.clsid, *c.iid, &out), c.result);
    if (FAILED(c.result)) {
      EXPECT_EQ(out, nullptr);
      continue;
    }
    ASSERT_NE(out, nullptr);
    auto *factory = static_cast<IUnknown *>(out);
    EXPECT_EQ(factory->AddRef(), 2u) << "the caller holds the only reference";
    EXPECT_EQ(factory->Release(), 1u);
    EXPECT_EQ(factory->Release(), 0u);
  }
  EXPECT_EQ(library_.GetClassObject(kPluginClass, IID_IClassFactory, nullptr), E_POINTER);
}

TEST_F(DriverHost, FactoryRefusesAggregationAndServerLocksKeepTheDll) {
  IClassFactory *factory = nullptr;
  ASSERT_EQ(library_.GetClassObject(kPluginClass, IID_IClassFactory, reinterpret_cast<void **>(&factory)), S_OK);
  DriverInterface outer;
  void *out = reinterpret_cast<void *>(1);
  EXPECT_EQ(factory->CreateInstance(&outer, kPrintOemUI, &out), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(outer.References(), 1);
  out = reinterpret_cast<void *>(1);
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory, &out), E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(factory->CreateInstance(nullptr, kPrintOemUI, nullptr), E_POINTER);
  EXPECT_EQ(library_.CanUnloadNow(), S_OK) << "a refused object stayed alive; a factory alone holds nothing";

  EXPECT_EQ(factory->LockServer(TRUE), S_OK);
  EXPECT_EQ(factory->LockServer(TRUE), S_OK);
  EXPECT_EQ(library_.CanUnloadNow(), S_FALSE);
  EXPECT_EQ(factory->Release(), 0u);
  EXPECT_EQ(library_.CanUnloadNow(), S_FALSE) << "the locks outlive the factory that took them";

  ASSERT_EQ(library_.GetClassObject(kPluginClass, IID_IClassFactory, reinterpret_cast<void **>(&factory)), S_OK);
  EXPECT_EQ(factory->LockServer(FALSE), S_OK);
  EXPECT_EQ(library_.CanUnloadNow(), S_FALSE);
  EXPECT_EQ(factory->LockServer(FALSE), S_OK);
  EXPECT_EQ(library_.CanUnloadNow(), S_OK);
  factory->Release();
}

TEST_F(DriverHost, PluginObjectsKeepTheDllUntilTheirLastRelease) {
  IPrintOemUI *first = Plugin();
  IPrintOemUI *second = Plugin();
  ASSERT_TRUE(first && second);
  EXPECT_NE(first, second);
  EXPECT_EQ(library_.CanUnloadNow(), S_FALSE);

  IUnknown *unknown = nullptr;
  ASSERT_EQ(first->QueryInterface(IID_IUnknown, reinterpret_cast<void **>(&unknown)), S_OK);
  EXPECT_EQ(unknown, static_cast<IUnknown *>(first));
  IPrintOemUI *again = nullptr;
  ASSERT_EQ(first->QueryInterface(kPrintOemUI, reinterpret_cast<void **>(&again)), S_OK);
  EXPECT_EQ(again, first);
  void *factory = reinterpret_cast<void *>(1);
  EXPECT_EQ(first->QueryInterface(IID_IClassFactory, &factory), E_NOINTERFACE);
  EXPECT_EQ(factory, nullptr);

  EXPECT_EQ(first->Release(), 2u);
  EXPECT_EQ(again->Release(), 1u);
  EXPECT_EQ(second->Release(), 0u);
  EXPECT_EQ(library_.CanUnloadNow(), S_FALSE) << "one object is still alive";
  EXPECT_EQ(unknown->Release(), 0u);
  EXPECT_EQ(library_.CanUnloadNow(), S_OK);
}

TEST_F(DriverHost, PluginHoldsThePublishedDriverInterfaceUntilItGoes) {
  DriverInterface driver, later, lacking(false);
  IPrintOemUI *plugin = Plugin();
  ASSERT_NE(plugin, nullptr);
  EXPECT_EQ(plugin->PublishDriverInterface(&lacking), E_FAIL);
  EXPECT_EQ(lacking.References(), 1);
  EXPECT_EQ(plugin->PublishDriverInterface(&driver), S_OK) << "a refused interface leaves room for the next";
  EXPECT_EQ(driver.References(), 2);
  EXPECT_EQ(plugin->PublishDriverInterface(&later), S_OK);
  EXPECT_EQ(later.Queries(), 0) << "a second interface is not even asked";
  EXPECT_EQ(later.References(), 1);
  EXPECT_EQ(plugin->Release(), 0u);
  EXPECT_EQ(driver.References(), 1) << "the plug-in let go of the driver's interface";
}

// --- The plug-in object's answers ---------------------------------------------------------------------------------

struct InfoCase {
  DWORD mode;
  DWORD size;
  HRESULT result;
  DWORD error;   // last error on failure
  DWORD needed;  // 0xDEAD: left untouched
  DWORD value;   // 0xCCCCCCCC: buffer untouched
};

TEST_F(DriverHost, GetInfoAndTheCallsThePluginDoesNotServe) {
  IPrintOemUI *plugin = Plugin();
  ASSERT_NE(plugin, nullptr);
  const InfoCase cases[] = {
      {OEMGI_GETSIGNATURE, 4, S_OK, 0, 4, kSignature},
      {OEMGI_GETVERSION, 8, S_OK, 0, 4, 1},
      {OEMGI_GETSIGNATURE, 3, E_FAIL, ERROR_INSUFFICIENT_BUFFER, 4, 0xCCCCCCCC},
      {OEMGI_GETPUBLISHERINFO, 4, E_FAIL, ERROR_NOT_SUPPORTED, 0, 0xCCCCCCCC},
      {OEMGI_GETPUBLISHERINFO, 3, E_FAIL, ERROR_INSUFFICIENT_BUFFER, 4, 0xCCCCCCCC},
      {OEMGI_GETINTERFACEVERSION, 4, E_FAIL, ERROR_INVALID_PARAMETER, 0xDEAD, 0xCCCCCCCC},
      {0, 4, E_FAIL, ERROR_INVALID_PARAMETER, 0xDEAD, 0xCCCCCCCC},
  };
  for (const InfoCase &c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << ", " << c.size << " bytes");
    DWORD buffer[2] = {0xCCCCCCCC, 0xCCCCCCCC};
    DWORD needed = 0xDEAD;
    SetLastError(0);
    EXPECT_EQ(plugin->GetInfo(c.mode, buffer, c.size, &needed), c.result);
    if (FAILED(c.result)) {
      EXPECT_EQ(GetLastError(), c.error);
    }
    EXPECT_EQ(needed, c.needed);
    EXPECT_EQ(buffer[0], c.value);
  }
  SetLastError(0);
  DWORD buffer = 0;
  EXPECT_EQ(plugin->GetInfo(OEMGI_GETSIGNATURE, &buffer, sizeof(buffer), nullptr), E_FAIL);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
  SetLastError(0);
  EXPECT_EQ(plugin->GetInfo(OEMGI_GETSIGNATURE, nullptr, 4, &buffer), E_FAIL);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));

  // Each slot of the table answers for itself: the calls without work touch nothing and leave the last error.
  SetLastError(12345);
  EXPECT_EQ(plugin->DocumentPropertySheets(nullptr, 0), E_FAIL);
  EXPECT_EQ(plugin->DevQueryPrintEx(nullptr, nullptr, nullptr, nullptr), E_NOTIMPL);
  EXPECT_EQ(plugin->DeviceCapabilities(nullptr, nullptr, nullptr, DC_PAPERS, nullptr, nullptr, nullptr, 0, nullptr),
            E_NOTIMPL);
  EXPECT_EQ(plugin->UpgradePrinter(1, nullptr), E_NOTIMPL);
  EXPECT_EQ(plugin->PrinterEvent(nullptr, 1, 0, 0), E_NOTIMPL);
  EXPECT_EQ(plugin->DriverEvent(1, 3, nullptr, 0), E_NOTIMPL);
  EXPECT_EQ(plugin->FontInstallerDlgProc(nullptr, WM_INITDIALOG, 0, 0), E_NOTIMPL);
  EXPECT_EQ(plugin->UpdateExternalFonts(nullptr, nullptr, nullptr), E_NOTIMPL);
  EXPECT_EQ(GetLastError(), 12345u);

  OEMCUIPPARAM param = {};
  param.cbSize = sizeof(param);
  EXPECT_EQ(plugin->CommonUIProp(3, &param), E_FAIL);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
  PROPSHEETUI_INFO info = {};
  info.cbSize = sizeof(info);
  info.Version = 0x0101;
  info.Reason = PROPSHEETUI_REASON_INIT;
  info.Result = 77;
  SetLastError(0);
  EXPECT_EQ(plugin->DevicePropertySheets(&info, 0), E_FAIL);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(info.Result, 77u);
  SetLastError(0);
  EXPECT_EQ(plugin->DevicePropertySheets(nullptr, 0), E_FAIL);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
  plugin->Release();
}

struct ProfileCase {
  const char *name;
  ULONG mode;
  bool buffer;
  ULONG size;
  HRESULT result;
  DWORD error;  // 0: the last error stays as it was
  ULONG sizeAfter;
  bool named;
};

TEST_F(DriverHost, ColorProfileNamesItsFileInThirtyTwoBytes) {
  IPrintOemUI *plugin = Plugin();
  ASSERT_NE(plugin, nullptr);
  ASSERT_TRUE(PreparePrinter());
  OpenedPrinter printer(kPrinter);
  const ProfileCase cases[] = {
      {"exactly 32 bytes", QCP_DEVICEPROFILE, true, 32, S_OK, 0, 32, true},
      {"a large buffer", QCP_DEVICEPROFILE, true, 1000, S_OK, 0, 32, true},
      {"the name's own 30 bytes", QCP_DEVICEPROFILE, true, 30, E_FAIL, ERROR_INSUFFICIENT_BUFFER, 32, false},
      {"no buffer", QCP_DEVICEPROFILE, false, 0, E_FAIL, ERROR_INSUFFICIENT_BUFFER, 32, false},
      {"another query", 1, true, 40, E_FAIL, 0, 40, false},
  };
  for (const ProfileCase &c : cases) {
    SCOPED_TRACE(c.name);
    WCHAR profile[600];
    std::fill(std::begin(profile), std::end(profile), WCHAR(0x2A2A));
    ULONG size = c.size;
    FLONG flags = 0xF0F0;
    SetLastError(12345);
    EXPECT_EQ(plugin->QueryColorProfile(printer.Handle(), nullptr, nullptr, nullptr, c.mode,
                                        c.buffer ? profile : nullptr, &size, &flags),
              c.result);
    EXPECT_EQ(GetLastError(), c.error ? c.error : 12345u);
    EXPECT_EQ(size, c.sizeAfter);
    if (c.named) {
      EXPECT_EQ(Utf8(profile), "OEMPROFILE.icm");
      EXPECT_EQ(flags, FLONG(QCP_PROFILEDISK));
    } else {
      EXPECT_EQ(profile[0], WCHAR(0x2A2A)) << "written on failure";
      EXPECT_EQ(flags, FLONG(0xF0F0));
    }
    EXPECT_EQ(profile[16], WCHAR(0x2A2A)) << "written past 32 bytes";
  }
  plugin->Release();
}

// --- The private devmode in the driver's DEVMODE -------------------------------------------------------------------

// A DEVMODE as the driver keeps it: the public part, the private areas behind it, and guard bytes behind those.
class DriverDevmode {
 public:
  static constexpr size_t kGuard = 32;
  explicit DriverDevmode(DWORD privateBytes)
      : bytes_(sizeof(DEVMODEW) + privateBytes + kGuard, 0xCC), extra_(privateBytes) {
    std::fill(bytes_.begin(), bytes_.begin() + sizeof(DEVMODEW), 0);
    DEVMODEW *dm = Public();
    lstrcpynW(dm->dmDeviceName, kPrinter.c_str(), CCHDEVICENAME);
    dm->dmSpecVersion = DM_SPECVERSION;
    dm->dmSize = sizeof(DEVMODEW);
    dm->dmDriverExtra = WORD(privateBytes);
    dm->dmFields = DM_ORIENTATION;
    dm->dmOrientation = DMORIENT_LANDSCAPE;
  }
  DEVMODEW *Public() { return reinterpret_cast<DEVMODEW *>(bytes_.data()); }
  BYTE *Private() { return bytes_.data() + sizeof(DEVMODEW); }
  void Write(const std::vector<DWORD> &fields) {
    std::memcpy(Private(), fields.data(), std::min<size_t>(fields.size() * 4, extra_));
  }
  std::vector<DWORD> Record() {
    std::vector<DWORD> fields(5);
    std::memcpy(fields.data(), Private(), 20);
    return fields;
  }
  bool GuardsIntact() const {
    return std::all_of(bytes_.end() - kGuard, bytes_.end(), [](BYTE b) { return b == 0xCC; });
  }

 private:
  std::vector<BYTE> bytes_;
  size_t extra_;
};

struct DevmodeCase {
  const char *name;
  DWORD mode;
  std::vector<DWORD> in;  // empty: no record comes in
  std::vector<DWORD> outBefore;
  std::vector<DWORD> outAfter;
};

TEST_F(DriverHost, PrivateDevmodeOnTheDriversBuffers) {
  IPrintOemUI *plugin = Plugin();
  ASSERT_NE(plugin, nullptr);
  ASSERT_TRUE(PreparePrinter());
  OpenedPrinter printer(kPrinter);
  int driverObject = 0;
  auto param = [&](DriverDevmode *in, DriverDevmode &out) {
    OEMDMPARAM p = {};
    p.cbSize = sizeof(p);
    p.pdriverobj = &driverObject;
    p.hPrinter = printer.Handle();
    p.hModule = library_.Module();
    p.pPublicDMIn = in ? in->Public() : nullptr;
    p.pPublicDMOut = out.Public();
    p.pOEMDMIn = in ? in->Private() : nullptr;
    p.pOEMDMOut = out.Private();
    return p;
  };

  DriverDevmode sized(0);
  OEMDMPARAM size = param(nullptr, sized);
  ASSERT_EQ(plugin->DevMode(OEMDM_SIZE, &size), S_OK);
  ASSERT_EQ(size.cbBufSize, 20u);

  DriverDevmode defaults(size.cbBufSize);
  OEMDMPARAM p = param(nullptr, defaults);
  ASSERT_EQ(plugin->DevMode(OEMDM_DEFAULT, &p), S_OK);
  const BYTE expected[20] = {0x14, 0, 0, 0, 0x54, 0x46, 0x53, 0x4D, 1, 0, 0, 0, 0, 0, 0, 0, 0x64, 0, 0, 0};
  EXPECT_EQ(std::memcmp(defaults.Private(), expected, sizeof(expected)), 0);
  EXPECT_TRUE(defaults.GuardsIntact());

  const std::vector<DWORD> standard = {20, kSignature, 1, 0, 100};
  const DevmodeCase cases[] = {
      {"a record of its own", OEMDM_CONVERT, {20, kSignature, 1, 55, 80}, standard, {20, kSignature, 1, 55, 80}},
      {"an older, shorter record", OEMDM_CONVERT, {16, kSignature, 1, 55}, standard, {20, kSignature, 1, 55, 100}},
      {"the header alone", OEMDM_CONVERT, {12, kSignature, 7}, standard, standard},
      {"another plug-in's record", OEMDM_CONVERT, {20, 0x12345678, 1, 55, 80}, standard, standard},
      {"no record in", OEMDM_CONVERT, {}, {20, kSignature, 1, 7, 70}, {20, kSignature, 1, 7, 70}},
      {"out of range values", OEMDM_MERGE, {20, kSignature, 1, 101, 150}, standard, standard},
      {"bounds themselves", OEMDM_MERGE, {20, kSignature, 1, 100, 0}, standard, {20, kSignature, 1, 100, 0}},
      {"every bit set", OEMDM_MERGE, {0xFFFFFFFF, kSignature, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}, standard, standard},
      {"merge without a record", OEMDM_MERGE, {}, {20, kSignature, 1, 101, 150}, standard},
      // A record read back from a document that claims to be larger than the area the driver set aside: nothing may
      // be written past the 20 bytes (the guards behind them show it).
      {"a stored size beyond the area", OEMDM_CONVERT, {64, kSignature, 1, 9, 90, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11},
       {0xFFFF, kSignature, 1, 0, 100}, {20, kSignature, 1, 9, 90}},
  };
  for (const DevmodeCase &c : cases) {
    SCOPED_TRACE(c.name);
    DriverDevmode in(DWORD(std::max<size_t>(c.in.size() * 4, 20))), out(20);
    in.Write(c.in);
    out.Write(c.outBefore);
    OEMDMPARAM call = param(c.in.empty() ? nullptr : &in, out);
    EXPECT_EQ(plugin->DevMode(c.mode, &call), S_OK);
    EXPECT_EQ(out.Record(), c.outAfter);
    EXPECT_TRUE(out.GuardsIntact());
    EXPECT_EQ(out.Public()->dmDriverExtra, 20) << "the public part is the driver's";
  }

  SetLastError(0);
  OEMDMPARAM bad = param(nullptr, defaults);
  EXPECT_EQ(plugin->DevMode(5, &bad), E_FAIL);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
  SetLastError(0);
  EXPECT_EQ(plugin->DevMode(OEMDM_SIZE, nullptr), E_FAIL);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
  plugin->Release();
}

// --- The items in the driver's settings trees ----------------------------------------------------------------------

// The driver's part of CommonUIProp: its heap, its own items, and the two calls.
class SettingsTree {
 public:
  SettingsTree(IPrintOemUI *plugin, HMODULE module, const OpenedPrinter &printer, DriverDevmode *devmode)
      : plugin_(plugin), heap_(HeapCreate(0, 0, 0)) {
    std::memset(driverItems_, 0x5A, sizeof(driverItems_));
    param_.cbSize = sizeof(param_);
    param_.poemuiobj = reinterpret_cast<POEMUIOBJ>(&driverObject_);
    param_.hPrinter = printer.Handle();
    param_.pPrinterName = const_cast<LPWSTR>(printer.Name().c_str());
    param_.hModule = module;
    param_.hOEMHeap = heap_;
    param_.pPublicDM = devmode ? devmode->Public() : nullptr;
    param_.pOEMDM = devmode ? devmode->Private() : nullptr;
    param_.pDrvOptItems = driverItems_;
    param_.cDrvOptItems = ARRAYSIZE(driverItems_);
  }
  ~SettingsTree() {
    if (heap_) HeapDestroy(heap_);
  }

  // The first call: how many items the plug-in adds.
  HRESULT Count(DWORD mode) {
    param_.pOEMOptItems = nullptr;
    param_.cOEMOptItems = 0;
    return plugin_->CommonUIProp(mode, &param_);
  }
  // The second call, on slots the driver allocated (and that held its heap's leftovers).
  HRESULT Fill(DWORD mode) {
    param_.pOEMOptItems = static_cast<POPTITEM>(HeapAlloc(heap_, 0, param_.cOEMOptItems * sizeof(OPTITEM)));
    if (!param_.pOEMOptItems) return E_OUTOFMEMORY;
    std::memset(param_.pOEMOptItems, 0xAB, param_.cOEMOptItems * sizeof(OPTITEM));
    return plugin_->CommonUIProp(mode, &param_);
  }
  // The driver's call of the plug-in's callback for a page event.
  LONG Event(WORD reason, DWORD slot = 0) {
    CPSUICBPARAM callback = {};
    callback.cbSize = sizeof(callback);
    callback.Reason = reason;
    callback.pOptItem = param_.pOEMOptItems;
    callback.cOptItem = WORD(param_.cOEMOptItems);
    callback.pCurItem = param_.pOEMOptItems + slot;
    return param_.OEMCUIPCallback ? param_.OEMCUIPCallback(&callback, &param_) : -1;
  }

  OEMCUIPPARAM &Param() { return param_; }
  OPTITEM &Item(DWORD slot) { return param_.pOEMOptItems[slot]; }
  bool FromHeap(const void *block) const { return block && HeapValidate(heap_, 0, block); }
  bool DriverItemsUntouched() const {
    const BYTE *bytes = reinterpret_cast<const BYTE *>(driverItems_);
    return std::all_of(bytes, bytes + sizeof(driverItems_), [](BYTE b) { return b == 0x5A; });
  }

 private:
  IPrintOemUI *plugin_;
  HANDLE heap_;
  int driverObject_ = 0;
  OPTITEM driverItems_[2];
  OEMCUIPPARAM param_ = {};
};

std::vector<std::string> Choices(const OPTITEM &item) {
  std::vector<std::string> texts;
  if (!item.pOptType) return texts;
  for (WORD k = 0; k < item.pOptType->Count; ++k)
    texts.push_back(Utf8(static_cast<const WCHAR *>(item.pOptType->pOptParam[k].pData)));
  return texts;
}

void ExpectUpDown(const SettingsTree &tree, const OPTITEM &item, const char *title, LONG low, LONG high) {
  EXPECT_EQ(item.cbSize, sizeof(OPTITEM));
  EXPECT_EQ(item.Level, 1);
  EXPECT_EQ(item.Flags, DWORD(OPTIF_COLLAPSE));
  EXPECT_EQ(item.UserData, 0u) << "the slot was not cleared";
  EXPECT_EQ(item.DMPubID, DMPUB_NONE);
  EXPECT_EQ(Utf8(item.pName), title);
  EXPECT_TRUE(tree.FromHeap(item.pName)) << "title outside the driver's heap";
  ASSERT_NE(item.pOptType, nullptr);
  EXPECT_TRUE(tree.FromHeap(item.pOptType));
  EXPECT_EQ(item.pOptType->cbSize, sizeof(OPTTYPE));
  EXPECT_EQ(item.pOptType->Type, TVOT_UDARROW);
  ASSERT_EQ(item.pOptType->Count, 2);
  EXPECT_TRUE(tree.FromHeap(item.pOptType->pOptParam));
  EXPECT_EQ(item.pOptType->pOptParam[0].pData, nullptr);
  EXPECT_EQ(LONG(item.pOptType->pOptParam[1].IconID), low);
  EXPECT_EQ(LONG(item.pOptType->pOptParam[1].lParam), high);
}

DWORD CompressPercent(DriverDevmode &devmode) { return devmode.Record()[4]; }

TEST_F(DriverHost, DocumentItemFollowsTheDevmodeAndStoresItsValue) {
  if (!SameLanguages()) GTEST_SKIP() << "mixed languages";
  ASSERT_TRUE(PreparePrinter());
  IPrintOemUI *plugin = Plugin();
  ASSERT_NE(plugin, nullptr);
  OpenedPrinter printer(kPrinter);
  ASSERT_NE(printer.Handle(), nullptr);

  // The devmode's percentage as the item starts from it: values below 25 are raised to 100 in the devmode too.
  const std::pair<DWORD, LONG> starts[] = {{10, 100}, {24, 100}, {25, 25}, {80, 80}, {100, 100}};
  for (const auto &start : starts) {
    SCOPED_TRACE(testing::Message() << "CompressPercent " << start.first);
    DriverDevmode devmode(20);
    devmode.Write({20, kSignature, 1, 0, start.first});
    SettingsTree tree(plugin, library_.Module(), printer, &devmode);
    ASSERT_EQ(tree.Count(OEMCUIP_DOCPROP), S_OK);
    ASSERT_EQ(tree.Param().cOEMOptItems, 1u);
    ASSERT_EQ(tree.Fill(OEMCUIP_DOCPROP), S_OK) << "the driver shows the item only on success";
    ASSERT_NE(tree.Param().OEMCUIPCallback, nullptr);
    ExpectUpDown(tree, tree.Item(0), ItemTitlesInProcessLanguage().compress, 25, 100);
    EXPECT_EQ(tree.Item(0).Sel, start.second);
    EXPECT_EQ(CompressPercent(devmode), DWORD(start.second));
    EXPECT_TRUE(tree.DriverItemsUntouched());
  }

  DriverDevmode devmode(20);
  devmode.Write({20, kSignature, 1, 0, 100});
  SettingsTree tree(plugin, library_.Module(), printer, &devmode);
  ASSERT_EQ(tree.Count(OEMCUIP_DOCPROP), S_OK);
  ASSERT_EQ(tree.Fill(OEMCUIP_DOCPROP), S_OK);
  OPTITEM &item = tree.Item(0);

  // Coming back to the page: the devmode's value wins and the driver is told to redraw the item.
  devmode.Write({20, kSignature, 1, 0, 60});
  item.Sel = 70;
  EXPECT_EQ(tree.Event(CPSUICB_REASON_SETACTIVE), CPSUICB_ACTION_OPTIF_CHANGED);
  EXPECT_EQ(item.Sel, 60);
  EXPECT_TRUE(item.Flags & OPTIF_CHANGED);
  EXPECT_EQ(tree.Event(CPSUICB_REASON_SETACTIVE), CPSUICB_ACTION_NONE);
  // Leaving it: the item's value goes into the devmode, not yet into printer data.
  item.Sel = 45;
  EXPECT_EQ(tree.Event(CPSUICB_REASON_KILLACTIVE), CPSUICB_ACTION_NONE);
  EXPECT_EQ(CompressPercent(devmode), 45u);
  EXPECT_FALSE(ReadStored(printer.Handle(), L"COMPRESS_VALUE").found);
  // Applying: the devmode and the printer's data.
  item.Sel = 80;
  EXPECT_EQ(tree.Event(CPSUICB_REASON_APPLYNOW), CPSUICB_ACTION_NONE);
  EXPECT_EQ(CompressPercent(devmode), 80u);
  StoredValue stored = ReadStored(printer.Handle(), L"COMPRESS_VALUE");
  EXPECT_TRUE(stored.found);
  EXPECT_EQ(stored.type, DWORD(REG_DWORD));
  EXPECT_EQ(stored.bytes, DwordBytes(80));

  // The printer's own compression list reads the document's number back as the choice "80".
  SettingsTree printerTree(plugin, library_.Module(), printer, nullptr);
  ASSERT_EQ(printerTree.Count(OEMCUIP_PRNPROP), S_OK);
  ASSERT_EQ(printerTree.Fill(OEMCUIP_PRNPROP), S_OK);
  ASSERT_EQ(Choices(printerTree.Item(0)), (std::vector<std::string>{"100", "80", "60"}));
  EXPECT_EQ(printerTree.Item(0).Sel, 1);
  plugin->Release();
}

struct StoredCase {
  const char *name;
  const wchar_t *value;
  DWORD type;
  std::vector<BYTE> bytes;
  LONG compressSel;
  LONG move;
};

TEST_F(DriverHost, PrinterItemsComeFromTheSettingsFileAndThePrintersData) {
  if (!SameLanguages()) GTEST_SKIP() << "mixed languages";
  ASSERT_TRUE(PreparePrinter());
  IPrintOemUI *plugin = Plugin();
  ASSERT_NE(plugin, nullptr);
  OpenedPrinter printer(kPrinter);
  ASSERT_NE(printer.Handle(), nullptr);
  const ItemTitles &titles = ItemTitlesInProcessLanguage();

  {
    SettingsTree tree(plugin, library_.Module(), printer, nullptr);
    ASSERT_EQ(tree.Count(OEMCUIP_PRNPROP), S_OK);
    ASSERT_EQ(tree.Param().cOEMOptItems, 2u);
    ASSERT_EQ(tree.Fill(OEMCUIP_PRNPROP), S_OK);
    ASSERT_NE(tree.Param().OEMCUIPCallback, nullptr);
    EXPECT_TRUE(tree.DriverItemsUntouched());

    OPTITEM &compress = tree.Item(0);
    EXPECT_EQ(compress.cbSize, sizeof(OPTITEM));
    EXPECT_EQ(compress.Level, 1);
    EXPECT_EQ(compress.Flags, DWORD(OPTIF_COLLAPSE));
    EXPECT_EQ(Utf8(compress.pName), titles.compress);
    EXPECT_TRUE(tree.FromHeap(compress.pName));
    ASSERT_NE(compress.pOptType, nullptr);
    EXPECT_TRUE(tree.FromHeap(compress.pOptType));
    EXPECT_TRUE(tree.FromHeap(compress.pOptType->pOptParam));
    EXPECT_EQ(compress.pOptType->Type, TVOT_COMBOBOX);
    // The file's "060" is the number 60, and "COMPRESS_VALUE=80" selects the second choice.
    EXPECT_EQ(Choices(compress), (std::vector<std::string>{"100", "80", "60"}));
    EXPECT_EQ(compress.Sel, 1);
    ExpectUpDown(tree, tree.Item(1), titles.move, -50, 50);
    EXPECT_EQ(tree.Item(1).Sel, 5);

    // Only applying stores anything.
    compress.Sel = 2;
    tree.Item(1).Sel = -7;
    const WORD otherReasons[] = {CPSUICB_REASON_SETACTIVE, CPSUICB_REASON_KILLACTIVE, CPSUICB_REASON_SEL_CHANGED};
    for (WORD reason : otherReasons) EXPECT_EQ(tree.Event(reason), CPSUICB_ACTION_NONE);
    for (const wchar_t *name : kStoredNames) EXPECT_FALSE(ReadStored(printer.Handle(), name).found) << Utf8(name);
    EXPECT_EQ(tree.Event(CPSUICB_REASON_APPLYNOW), CPSUICB_ACTION_NONE);
    StoredValue compressValue = ReadStored(printer.Handle(), L"COMPRESS_VALUE");
    EXPECT_EQ(compressValue.type, DWORD(REG_SZ));
    EXPECT_EQ(StoredText(compressValue), TextBytes("60"));
    StoredValue move = ReadStored(printer.Handle(), L"XMove");
    EXPECT_EQ(move.type, DWORD(REG_SZ));
    EXPECT_EQ(StoredText(move), TextBytes("-7"));
  }

  // The next opening of the printer's settings starts from what the printer holds, whatever it holds.
  const StoredCase cases[] = {
      {"applied values", nullptr, 0, {}, 2, -7},
      {"the move's bounds", L"XMove", REG_SZ, TextBytes("-50"), 2, -50},
      {"a move out of range", L"XMove", REG_SZ, TextBytes("75"), 2, 0},
      {"a document's number", L"COMPRESS_VALUE", REG_DWORD, DwordBytes(100), 0, 0},
      {"a text no choice has", L"COMPRESS_VALUE", REG_SZ, TextBytes("55"), 0, 0},
      {"a value too large to read", L"COMPRESS_VALUE", REG_SZ, TextBytes(std::string(150, '6')), 1, 0},
      {"an empty value", L"XMove", REG_SZ, {}, 1, 0},
  };
  for (const StoredCase &c : cases) {
    SCOPED_TRACE(c.name);
    if (c.value) {
      ASSERT_TRUE(Store(printer.Handle(), c.value, c.type, c.bytes));
    }
    SettingsTree tree(plugin, library_.Module(), printer, nullptr);
    ASSERT_EQ(tree.Count(OEMCUIP_PRNPROP), S_OK);
    ASSERT_EQ(tree.Param().cOEMOptItems, 2u);
    ASSERT_EQ(tree.Fill(OEMCUIP_PRNPROP), S_OK);
    EXPECT_EQ(tree.Item(0).Sel, c.compressSel);
    EXPECT_EQ(tree.Item(1).Sel, c.move);
  }

  // A printer whose driver has no settings file has both switches off: no items at all.
  ASSERT_TRUE(PreparePrinter(kPrinterWithoutFile, false));
  OpenedPrinter bare(kPrinterWithoutFile);
  SettingsTree tree(plugin, library_.Module(), bare, nullptr);
  EXPECT_EQ(tree.Count(OEMCUIP_PRNPROP), S_OK);
  EXPECT_EQ(tree.Param().cOEMOptItems, 0u);
  plugin->Release();
}

// --- The device property sheet ------------------------------------------------------------------------------------

// Presses a button of the page and returns the one message box it showed.
sheet_harness::ShownBox Press(DeviceSheet &sheet, int id, int answer = IDOK) {
  sheet.Sheet().Answer(answer);
  ps::Click(sheet.Page(), id);
  std::vector<sheet_harness::ShownBox> boxes = sheet.Sheet().TakeBoxes();
  EXPECT_EQ(boxes.size(), 1u) << "button " << id;
  return boxes.empty() ? sheet_harness::ShownBox() : boxes.front();
}

void ExpectSent(DeviceSheet &sheet, sheet_harness::PortFile &port, int id, const char *message,
                const std::string &bytes) {
  sheet_harness::ShownBox box = Press(sheet, id);
  EXPECT_EQ(box.text, message);
  EXPECT_EQ(box.caption, Utf8(sheet.Printer()));
  EXPECT_EQ(box.style, UINT(MB_OK));
  sheet_harness::SentJob job = port.Take();
  EXPECT_TRUE(job.sent) << "button " << id;
  EXPECT_EQ(ps::Hex(job.bytes), bytes);
}

TEST_F(DriverHost, DeviceSheetShowsThePageFromTheDllAndItsJobsReachThePrinter) {
  if (!SameLanguages()) GTEST_SKIP() << "mixed languages";
  ASSERT_TRUE(PreparePrinter());
  sheet_harness::PortFile port;
  ASSERT_TRUE(port.Ready()) << "the spooler's port cannot be pointed at a file";
  IPrintOemUI *plugin = Plugin();
  ASSERT_NE(plugin, nullptr);
  DriverInterface driver;
  ASSERT_EQ(plugin->PublishDriverInterface(&driver), S_OK);
  const ps::Texts &t = ps::TextsIn(RunsInChinese());

  DeviceSheet sheet(plugin, kPrinter);
  ASSERT_TRUE(sheet.Open()) << "no sheet, or no page on it";
  EXPECT_GT(sheet.HandOnResult(), 0) << "the sheet refused the plug-in's callback";
  std::vector<PluginSheetCall> calls = sheet.PluginCalls();
  ASSERT_FALSE(calls.empty());
  const PluginSheetCall *init = nullptr;
  for (const PluginSheetCall &call : calls)
    if (call.reason == PROPSHEETUI_REASON_INIT) init = &call;
  ASSERT_NE(init, nullptr) << "the plug-in was never asked for its pages";
  EXPECT_EQ(init->version, PROPSHEETUI_INFO_VERSION);
  EXPECT_EQ(init->result, S_OK);
  EXPECT_GT(LONG_PTR(init->sheetResult), 0) << "the page's handle, as the sheet gave it";

  HWND page = sheet.Page();
  EXPECT_EQ(sheet_harness::WindowText(sheet.Sheet().Sheet()), Utf8(sheet.Caption()));
  EXPECT_EQ(sheet.Sheet().TabCount(), 1);
  EXPECT_EQ(sheet.Sheet().TabTitle(), t.tabTitle) << "the template's caption in the DLL";
  EXPECT_EQ(reinterpret_cast<HMODULE>(GetWindowLongPtrW(page, GWLP_HINSTANCE)), library_.Module())
      << "the page was not made from the DLL's template";
  EXPECT_NE(GetDlgItem(page, IDC_CLASS_LIST), nullptr);

  // The page as it opens, on the file's defaults.
  {
    std::vector<std::string> classes = ps::ComboRows(GetDlgItem(page, IDC_CLASS_LIST));
    ASSERT_EQ(classes.size(), 3u);
    EXPECT_EQ(classes[0], t.classes[0]);
    EXPECT_EQ(classes[1], t.classes[1]);
    EXPECT_EQ(ps::ListRows(GetDlgItem(page, IDC_ITEM_LIST)), t.printItems);
    EXPECT_EQ(ps::ListRows(GetDlgItem(page, IDC_SINGLE_OPTIONS)), t.densityOptions);
    EXPECT_EQ(ps::Hint(page), ps::HintWithDefault(t, t.densityNote, t.densityOptions[1]));
  }
  EXPECT_EQ(ps::VisibleOptionList(page), IDC_SINGLE_OPTIONS);
  EXPECT_EQ(ps::CurrentRow(GetDlgItem(page, IDC_SINGLE_OPTIONS)), 1);
  EXPECT_FALSE(port.Take().sent);

  // Choosing and sending: one item, then all of them.
  ps::ChooseSingle(page, 2);
  ExpectSent(sheet, port, IDC_SET_CURRENT, t.oneSent, "1B 45 1B 44 02 0D 1B 53");
  ExpectSent(sheet, port, IDC_SET_ALL, t.allSent,
             "1B 45 1B 44 02 0D 1B 4D 02 0D 1B 4B 09 0D 1B 5A A0 00 00 0D 1B 4F 01 0D 1B 53");

  // Another class, a multi-choice item: the rows of its mask.
  ps::ChooseClass(page, 1);
  EXPECT_EQ(ps::VisibleOptionList(page), IDC_MULTI_OPTIONS);
  EXPECT_EQ(ps::SelectedRows(GetDlgItem(page, IDC_MULTI_OPTIONS)), (std::vector<int>{0, 2}));
  ps::ToggleMulti(page, 23);
  ExpectSent(sheet, port, IDC_SET_CURRENT, t.oneSent, "1B 45 1B 5A A0 00 01 0D 1B 53");

  // Reset All asks first and sends nothing; after it, Set All sends the defaults.
  sheet_harness::ShownBox question = Press(sheet, IDC_RESET_ALL, IDYES);
  EXPECT_EQ(question.text, t.question);
  EXPECT_EQ(question.caption, Utf8(kPrinter));
  EXPECT_EQ(question.style, UINT(MB_YESNO | MB_ICONQUESTION));
  EXPECT_FALSE(port.Take().sent) << "Reset All sent something";
  EXPECT_EQ(ps::SelectedRows(GetDlgItem(page, IDC_MULTI_OPTIONS)), (std::vector<int>{0, 2}));
  ps::ChooseClass(page, 0);
  EXPECT_EQ(ps::CurrentRow(GetDlgItem(page, IDC_SINGLE_OPTIONS)), 1);
  ExpectSent(sheet, port, IDC_SET_ALL, t.allSent, ps::DefaultSetAll());

  sheet.Close();
  calls = sheet.PluginCalls();
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.back().reason, PROPSHEETUI_REASON_DESTROY);
  EXPECT_EQ(calls.back().result, S_OK);
  EXPECT_EQ(calls.back().sheetResult, 1u);
  for (const PluginSheetCall &call : calls)
    if (call.version == PROPSHEETUI_INFO_VERSION) {
      EXPECT_EQ(call.result, S_OK) << "reason " << call.reason;
    }

  // The sheet is gone but the object lives on: the DLL stays until the driver lets go of it.
  EXPECT_EQ(library_.CanUnloadNow(), S_FALSE);
  EXPECT_EQ(driver.References(), 2);
  EXPECT_EQ(plugin->Release(), 0u);
  EXPECT_EQ(driver.References(), 1);
}

// Two openings of the sheet from one plug-in object: each starts from the file's defaults, and the second still
// finds its page in the DLL.
TEST_F(DriverHost, EveryOpeningOfTheSheetStartsFromTheFile) {
  ASSERT_TRUE(PreparePrinter());
  IPrintOemUI *plugin = Plugin();
  ASSERT_NE(plugin, nullptr);
  DeviceSheet sheet(plugin, kPrinter);
  ASSERT_TRUE(sheet.Open());
  ps::ChooseSingle(sheet.Page(), 2);
  EXPECT_EQ(ps::CurrentRow(GetDlgItem(sheet.Page(), IDC_SINGLE_OPTIONS)), 2);
  sheet.Close();
  ASSERT_TRUE(sheet.Open());
  EXPECT_EQ(ps::CurrentRow(GetDlgItem(sheet.Page(), IDC_SINGLE_OPTIONS)), 1);
  sheet.Close();
  plugin->Release();
}

}  // namespace
