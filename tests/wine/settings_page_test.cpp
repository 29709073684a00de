// The Printer Settings page on a real property sheet: the platform's common property-sheet UI shows the page from
// this executable's own template 106 on a sheet thread, the test thread drives it with the messages the controls
// send, a hook on the sheet thread reads and answers the message boxes, and the jobs come from the real spooler
// through the file its port "LPT1:" writes. The suite runs in the process's language, English or Chinese.
#include <windows.h>
#include <commctrl.h>
#include <compstui.h>
#include <prsht.h>

#include <gtest/gtest.h>

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
    page_.page = {};
    page_.page.dwSize = sizeof(page_.page);
    page_.page.hInstance = GetModuleHandleW(nullptr);
    page_.page.pszTemplate = MAKEINTRESOURCEW(IDD_PRINTER_SETTINGS);
    page_.page.pfnDlgProc = PrinterSettingsPageProc;
    page_.caption = caption;
    return sheet_.Open(sheet_harness::OnePageSheet::Callback, &page_);
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
  sheet_harness::OnePageSheet page_;
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

}  // namespace
