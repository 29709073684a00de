// The driver host: the printer's device property sheet of the common property-sheet UI with the plug-in's page from
// the DLL, and the jobs its buttons send reaching the printer's port.
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/wine/driver_host_fixture.h"

namespace {

using namespace driver_host_suite;

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
