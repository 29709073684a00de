// The Printer Settings page on a real property sheet: the platform's common property-sheet UI shows the page from
// this executable's own template 106 on a sheet thread, the test thread drives it with the messages the controls
// send, a hook on the sheet thread reads and answers the message boxes, and the jobs come from the real spooler
// through the file its port "LPT1:" writes. The suite runs in the process's language, English or Chinese.
#include <windows.h>
#include <commctrl.h>
#include <compstui.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "page/settings_page.h"
#include "catalogue/registry.h"
#include "tests/page/settings_page_scenarios.h"
#include "tests/wine/sheet_harness.h"

namespace {

using page_scenarios::SentJob;
using page_scenarios::ShownBox;

// A property sheet of the common property-sheet UI with the page as its only page, run modally on a thread of its
// own, the way a driver's host runs it.
class RealSheet : public page_scenarios::PageHost {
 public:
  bool Open(const WString &caption) override {
    sheet_.Close();
    caption_ = caption;
    return sheet_.Open(SheetCallback, this);
  }
  void Close() override { sheet_.Close(); }
  HWND Page() const override { return sheet_.Page(); }
  HWND Sheet() const { return sheet_.Sheet(); }
  std::string TabTitle() override { return sheet_.TabTitle(); }
  void Answer(int button) override { sheet_.Answer(button); }

  std::vector<ShownBox> TakeBoxes() override {
    std::vector<ShownBox> boxes;
    for (const sheet_harness::ShownBox &box : sheet_.TakeBoxes()) boxes.push_back({box.text, box.caption, box.style});
    return boxes;
  }

  SentJob TakeJob() override {
    sheet_harness::SentJob job = port_.Take();
    return {job.sent, job.bytes};
  }
  bool PortReady() const { return port_.Ready(); }

 private:
  // The sheet's callback, as a printer driver's UI gives it: one page, and the sheet's caption.
  static LONG CALLBACK SheetCallback(PPROPSHEETUI_INFO info, LPARAM lParam) {
    auto *self = static_cast<RealSheet *>(sheet_harness::SheetThread::Context());
    if (!info || !self) return -1;
    switch (info->Reason) {
      case PROPSHEETUI_REASON_INIT: {
        PROPSHEETPAGEW page = {};
        page.dwSize = sizeof(page);
        page.hInstance = GetModuleHandleW(nullptr);
        page.pszTemplate = MAKEINTRESOURCEW(IDD_PRINTER_SETTINGS);
        page.pfnDlgProc = PrinterSettingsPageProc;
        LONG_PTR added =
            info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_ADD_PROPSHEETPAGEW, reinterpret_cast<LPARAM>(&page), 0);
        return added ? 1 : -1;
      }
      case PROPSHEETUI_REASON_GET_INFO_HEADER: {
        auto *header = reinterpret_cast<PPROPSHEETUI_INFO_HEADER>(lParam);
        header->pTitle = const_cast<LPWSTR>(self->caption_.c_str());
        header->hInst = GetModuleHandleW(nullptr);
        return 1;
      }
      default:
        return 1;
    }
  }

  WString caption_;
  sheet_harness::SheetThread sheet_;
  sheet_harness::PortFile port_;
};

// The language the process runs in: the page's texts follow the UI language and the catalogue's the system's.
bool RunsInChinese() { return GetSystemDefaultLangID() == 0x0804; }

class RealPageTest : public testing::TestWithParam<page_scenarios::Scenario> {};

TEST_P(RealPageTest, Runs) {
  if (GetUserDefaultUILanguage() != GetSystemDefaultLangID()) GTEST_SKIP() << "mixed languages";
  RealSheet sheet;
  ASSERT_TRUE(sheet.PortReady()) << "the spooler's port cannot be pointed at a file";
  page_scenarios::RunScenario(sheet, RunsInChinese(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Page, RealPageTest, testing::ValuesIn(page_scenarios::All()),
                         [](const testing::TestParamInfo<page_scenarios::Scenario> &info) {
                           return std::string(info.param.name);
                         });

// The sheet carries the page under the title of its template, in the process's language, and the page finds its
// printer by the sheet's caption.
TEST(RealPage, SheetShowsThePageUnderItsTitle) {
  RealSheet sheet;
  ASSERT_TRUE(page_scenarios::EnsurePrinter(page_scenarios::Printer(), page_scenarios::Driver()));
  testing_machine::WriteSettingsFile(page_scenarios::Driver(), page_scenarios::SettingsFile());
  ASSERT_TRUE(sheet.Open(page_scenarios::Printer() + L" Properties"));
  EXPECT_EQ(page_scenarios::WindowText(sheet.Sheet()), Utf8(page_scenarios::Printer() + L" Properties"));
  EXPECT_EQ(GetParent(sheet.Page()), sheet.Sheet());
  EXPECT_EQ(sheet.TabTitle(), RunsInChinese() ? "打印机设置" : "Printer Settings");
  WCHAR name[kPathChars];
  PrinterNameFromCaption(sheet.Page(), name);
  EXPECT_EQ(WString(name), page_scenarios::Printer());
  EXPECT_EQ(OpenCatalogueCount(), 1);
  sheet.Close();
  EXPECT_EQ(OpenCatalogueCount(), 0);
}

// Not a check: shows the page of the example settings file for scripts/screenshot, which runs it on a virtual X
// display. It names the file in PRNSET_SCREENSHOT_SETTINGS, reads the sheet's place from the line "SHEET x y w h"
// and captures the screen while the sheet stays up (PRNSET_SCREENSHOT_SECONDS).
TEST(RealPage, DISABLED_ShowForScreenshot) {
  const char *settings = std::getenv("PRNSET_SCREENSHOT_SETTINGS");
  ASSERT_TRUE(settings && *settings) << "PRNSET_SCREENSHOT_SETTINGS names no file";
  WString path = sheet_harness::DosPath(settings);
  ASSERT_FALSE(path.empty());
  std::string bytes;
  ASSERT_TRUE(sheet_harness::ReadWholeFile(path, bytes));

  const WString printer = L"Office Laser 300", driver = L"Generic Office Laser 300";
  ASSERT_TRUE(page_scenarios::EnsurePrinter(printer, driver));
  testing_machine::WriteSettingsFile(driver, bytes);
  RealSheet sheet;
  ASSERT_TRUE(sheet.Open(printer + L" Properties"));
  SetWindowPos(sheet.Sheet(), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  RECT place = {};
  GetWindowRect(sheet.Sheet(), &place);
  std::printf("SHEET %ld %ld %ld %ld\n", place.left, place.top, place.right - place.left, place.bottom - place.top);
  std::fflush(stdout);
  const char *seconds = std::getenv("PRNSET_SCREENSHOT_SECONDS");
  Sleep(DWORD(seconds ? std::atoi(seconds) : 5) * 1000);
  sheet.Close();
}

}  // namespace
