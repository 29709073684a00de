// The plug-in object, called the way a driver's UI module calls it.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "devmode/private_devmode.h"
#include "resources/module_instance.h"
#include "module/plugin_object.h"
#include "page/settings_page.h"
#include "tests/module/com_fixture.h"
#include "tests/support/test_machine.h"

namespace {

using com_fixture::CreatePlugin;
using com_fixture::FakeDriver;

TEST(PluginObject, GetInfoReportsSignatureAndVersion) {
  IPrintOemUI *plugin = CreatePlugin();
  struct Case {
    DWORD mode;
    bool buffer;
    DWORD size;
    HRESULT result;
    DWORD error;
    DWORD needed;
    DWORD value;
  };
  const Case cases[] = {
      {OEMGI_GETSIGNATURE, true, 4, S_OK, 0, 4, 0x4D534654},
      {OEMGI_GETVERSION, true, 8, S_OK, 0, 4, 1},
      {OEMGI_GETSIGNATURE, true, 3, E_FAIL, ERROR_INSUFFICIENT_BUFFER, 4, 0xEEEEEEEE},
      {OEMGI_GETSIGNATURE, false, 4, E_FAIL, ERROR_INSUFFICIENT_BUFFER, 4, 0xEEEEEEEE},
      {OEMGI_GETPUBLISHERINFO, true, 4, E_FAIL, ERROR_NOT_SUPPORTED, 0, 0xEEEEEEEE},
      {OEMGI_GETPUBLISHERINFO, true, 3, E_FAIL, ERROR_INSUFFICIENT_BUFFER, 4, 0xEEEEEEEE},
      {OEMGI_GETINTERFACEVERSION, true, 4, E_FAIL, ERROR_INVALID_PARAMETER, 77, 0xEEEEEEEE},
      {0, true, 4, E_FAIL, ERROR_INVALID_PARAMETER, 77, 0xEEEEEEEE},
      {5, true, 4, E_FAIL, ERROR_INVALID_PARAMETER, 77, 0xEEEEEEEE},
  };
  for (const Case &c : cases) {
    DWORD value = 0xEEEEEEEE, needed = 77;
    SetLastError(0);
    EXPECT_EQ(plugin->GetInfo(c.mode, c.buffer ? &value : nullptr, c.size, &needed), c.result) << c.mode;
    EXPECT_EQ(GetLastError(), c.error) << c.mode;
    EXPECT_EQ(needed, c.needed) << c.mode;
    EXPECT_EQ(value, c.value) << c.mode;
  }
  SetLastError(0);
  DWORD value = 0;
  EXPECT_EQ(plugin->GetInfo(OEMGI_GETSIGNATURE, &value, 4, nullptr), E_FAIL);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
  plugin->Release();
}

TEST(PluginObject, HoldsTheDriverInterfaceUntilDestroyed) {
  FakeDriver lacking(false);
  IPrintOemUI *plugin = CreatePlugin();
  EXPECT_EQ(plugin->PublishDriverInterface(&lacking), E_FAIL);
  EXPECT_EQ(lacking.references, 1);

  FakeDriver driver(true), another(true);
  EXPECT_EQ(plugin->PublishDriverInterface(&driver), S_OK);
  EXPECT_EQ(driver.references, 2);
  EXPECT_EQ(plugin->PublishDriverInterface(&another), S_OK);
  EXPECT_EQ(another.queries, 0) << "a second driver interface is not asked for";
  EXPECT_EQ(plugin->Release(), 0u);
  EXPECT_EQ(driver.references, 1);
}

TEST(PluginObject, DevModeAndCommonUIPropPassOnOrRefuse) {
  IPrintOemUI *plugin = CreatePlugin();
  OEMDMPARAM param = {};
  EXPECT_EQ(plugin->DevMode(OEMDM_SIZE, &param), S_OK);
  EXPECT_EQ(param.cbBufSize, 20u);
  SetLastError(0);
  EXPECT_EQ(plugin->DevMode(7, &param), E_FAIL);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
  SetLastError(0);
  EXPECT_EQ(plugin->CommonUIProp(3, nullptr), E_FAIL);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
  plugin->Release();
}

// The common property-sheet UI's side of DevicePropertySheets: records every page it is given.
struct SheetCalls {
  static std::vector<PROPSHEETPAGEW> pages;
  static std::vector<LPARAM> lastArguments;
  static LONG_PTR answer;
  static LONG_PTR CALLBACK ComPropSheet(HANDLE, UINT function, LPARAM lParam1, LPARAM lParam2) {
    EXPECT_EQ(function, UINT(CPSFUNC_ADD_PROPSHEETPAGEW));
    pages.push_back(*reinterpret_cast<PROPSHEETPAGEW *>(lParam1));
    lastArguments.push_back(lParam2);
    return answer;
  }
};
std::vector<PROPSHEETPAGEW> SheetCalls::pages;
std::vector<LPARAM> SheetCalls::lastArguments;
LONG_PTR SheetCalls::answer = 0;

TEST(PluginObject, DevicePropertySheetsAddsThePrinterSettingsPage) {
  IPrintOemUI *plugin = CreatePlugin();
  PROPSHEETUI_INFO info = {};
  info.cbSize = sizeof(info);
  info.Version = PROPSHEETUI_INFO_VERSION;
  info.hComPropSheet = reinterpret_cast<HANDLE>(0x55);
  info.pfnComPropSheet = SheetCalls::ComPropSheet;

  for (LONG_PTR answer : {LONG_PTR(0x4242), LONG_PTR(-3)}) {
    SheetCalls::pages.clear();
    SheetCalls::answer = answer;
    info.Reason = PROPSHEETUI_REASON_INIT;
    EXPECT_EQ(plugin->DevicePropertySheets(&info, 0), S_OK);
    ASSERT_EQ(SheetCalls::pages.size(), 1u);
    EXPECT_EQ(info.Result, answer);
  }
  const PROPSHEETPAGEW &page = SheetCalls::pages[0];
  EXPECT_EQ(page.dwSize, DWORD(PROPSHEETPAGEW_V2_SIZE));
#if defined(_WIN32) && !defined(_WIN64)
  EXPECT_EQ(page.dwSize, 48u);
#endif
  EXPECT_EQ(page.dwFlags, 0u);
  EXPECT_EQ(page.hInstance, ModuleInstance());
  EXPECT_EQ(page.pszTemplate, MAKEINTRESOURCEW(106));
  EXPECT_EQ(page.pfnDlgProc, PrinterSettingsPageProc);
  EXPECT_EQ(page.lParam, 0);
  EXPECT_EQ(page.pfnCallback, nullptr);
  EXPECT_EQ(page.pszTitle, nullptr);
  EXPECT_EQ(SheetCalls::lastArguments[0], 0);

  PROPSHEETUI_INFO_HEADER header = {};
  info.Reason = PROPSHEETUI_REASON_GET_INFO_HEADER;
  EXPECT_EQ(plugin->DevicePropertySheets(&info, LPARAM(&header)), S_OK);
  EXPECT_EQ(Utf8(header.pTitle), "OEM UI Page");
  EXPECT_EQ(info.Result, 1);

  SETRESULT_INFO result = {};
  result.Result = 5;
  info.Reason = PROPSHEETUI_REASON_SET_RESULT;
  EXPECT_EQ(plugin->DevicePropertySheets(&info, LPARAM(&result)), S_OK);
  EXPECT_EQ(info.Result, 5);

  const struct {
    WORD reason;
    LONG_PTR result;
  } quiet[] = {{PROPSHEETUI_REASON_DESTROY, 1}, {PROPSHEETUI_REASON_GET_ICON, 0}, {5, 0}, {77, 0}};
  for (const auto &q : quiet) {
    info.Reason = q.reason;
    info.Result = 99;
    EXPECT_EQ(plugin->DevicePropertySheets(&info, 0), S_OK);
    EXPECT_EQ(info.Result, q.result) << q.reason;
  }

  info.Version = 0x0101;
  info.Result = 99;
  SetLastError(0);
  EXPECT_EQ(plugin->DevicePropertySheets(&info, 0), E_FAIL);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(info.Result, 99);
  EXPECT_EQ(plugin->DevicePropertySheets(nullptr, 0), E_FAIL);
  EXPECT_EQ(plugin->DocumentPropertySheets(&info, 0), E_FAIL);
  plugin->Release();
}

TEST(PluginObject, ColourProfileNamesTheProfileFile) {
  IPrintOemUI *plugin = CreatePlugin();
  struct Case {
    ULONG mode;
    bool buffer;
    ULONG size;
    HRESULT result;
    DWORD error;
    ULONG sizeAfter;
  };
  const Case cases[] = {
      {QCP_DEVICEPROFILE, true, 32, S_OK, 0, 32},
      {QCP_DEVICEPROFILE, true, 1000, S_OK, 0, 32},
      {QCP_DEVICEPROFILE, true, 30, E_FAIL, ERROR_INSUFFICIENT_BUFFER, 32},
      {QCP_DEVICEPROFILE, false, 1000, E_FAIL, ERROR_INSUFFICIENT_BUFFER, 32},
      {1, true, 1000, E_FAIL, 0, 1000},
  };
  for (const Case &c : cases) {
    WCHAR buffer[500];
    for (WCHAR &w : buffer) w = WCHAR('#');
    ULONG size = c.size;
    FLONG flags = 0xFF;
    SetLastError(0);
    EXPECT_EQ(plugin->QueryColorProfile(nullptr, nullptr, nullptr, nullptr, c.mode, c.buffer ? buffer : nullptr,
                                        &size, &flags),
              c.result)
        << c.size;
    EXPECT_EQ(GetLastError(), c.error);
    EXPECT_EQ(size, c.sizeAfter);
    if (c.result == S_OK) {
      EXPECT_EQ(Utf8(buffer), "OEMPROFILE.icm");
      EXPECT_EQ(flags, FLONG(QCP_PROFILEDISK));
    } else {
      EXPECT_EQ(buffer[0], WCHAR('#'));
      EXPECT_EQ(flags, FLONG(0xFF));
    }
  }
  plugin->Release();
}

TEST(PluginObject, UnservedMethodsAnswerNotImplementedWithoutTouchingArguments) {
  IPrintOemUI *plugin = CreatePlugin();
  SetLastError(1234);
  DWORD result = 0;
  EXPECT_EQ(plugin->DevQueryPrintEx(nullptr, nullptr, nullptr, nullptr), E_NOTIMPL);
  EXPECT_EQ(plugin->DeviceCapabilities(nullptr, nullptr, nullptr, 0, nullptr, nullptr, nullptr, 0, &result),
            E_NOTIMPL);
  EXPECT_EQ(plugin->UpgradePrinter(0, nullptr), E_NOTIMPL);
  EXPECT_EQ(plugin->PrinterEvent(nullptr, 0, 0, 0), E_NOTIMPL);
  EXPECT_EQ(plugin->DriverEvent(0, 0, nullptr, 0), E_NOTIMPL);
  EXPECT_EQ(plugin->FontInstallerDlgProc(nullptr, 0, 0, 0), E_NOTIMPL);
  EXPECT_EQ(plugin->UpdateExternalFonts(nullptr, nullptr, nullptr), E_NOTIMPL);
  EXPECT_EQ(GetLastError(), 1234u);
  EXPECT_EQ(result, 0u);
  plugin->Release();
}

}  // namespace
