// The driver host: the plug-in object's answers to GetInfo, to the calls it does not serve and to the colour
// profile query.
#include <algorithm>
#include <iterator>

#include "tests/wine/driver_host_fixture.h"

namespace {

using namespace driver_host_suite;

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

}  // namespace
