// The driver host suite's shared parts: the printers and settings file its tests set up, the driver's DEVMODE
// buffer, and the fixture that loads the real DLL afresh for every test and checks that it may go at the end.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "tests/page/settings_page_scenarios.h"
#include "tests/wine/driver_host.h"

namespace driver_host_suite {

using namespace driver_host;
namespace ps = page_scenarios;

// Written out here, so that a wrong constant in the module shows.
inline const IID kPrintOemUI = {0xC6A7A9D0, 0x774C, 0x11D1, {0x94, 0x7F, 0x00, 0xA0, 0xC9, 0x06, 0x40, 0xB8}};
constexpr DWORD kSignature = 0x4D534654;

inline const WString kPrinter = L"Driver Host Printer";
inline const WString kDriver = L"Prnset DriverHost";
inline const WString kPrinterWithoutFile = L"Driver Host Printer Without File";
inline const WString kDriverWithoutFile = L"Prnset DriverHostNoFile";

// The page's settings file with the switches and values of the driver's own items.
std::string SettingsFile();

inline const wchar_t *const kStoredNames[] = {L"COMPRESS_VALUE", L"XMove"};

// The test printer with its driver's settings file, and none of the values the plug-in stores: an earlier run in
// the same prefix leaves them behind, and Wine's spooler has no DeletePrinterDataW, so the printer is added anew.
bool PreparePrinter(const WString &printer = kPrinter, bool withFile = true);

// The module's texts follow the UI language and the catalogue's the system's; the checks of texts expect both alike.
inline bool SameLanguages() { return GetUserDefaultUILanguage() == GetSystemDefaultLangID(); }

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

}  // namespace driver_host_suite
