// The Printer Settings page on the emulated windows: the shared scenarios in both languages, and what only the
// emulation can show (the procedure's own answers, failing spoolers and heaps, threads, leaks).
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "catalogue/loader.h"
#include "catalogue/registry.h"
#include "catalogue/settings_location.h"
#include "resources/module_instance.h"
#include "resources/resource.h"
#include "page/settings_page.h"
#include "platform/host/control.h"
#include "platform/host/window_control.h"
#include "tests/page/settings_page_scenarios.h"
#include "tests/support/test_machine.h"

namespace {

using page_scenarios::ShownBox;
using page_scenarios::SentJob;

// A page opened the way the tool's preview opens it: the printer's settings file loaded by the opener and handed to
// the page with the file its jobs go to (none: the printer).
struct PreviewOpen {
  WString printer;
  WString jobFile;
};

INT_PTR CALLBACK PreviewPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_INITDIALOG) return PrinterSettingsPageProc(page, message, wParam, lParam);
  const PreviewOpen &open = *reinterpret_cast<const PreviewOpen *>(lParam);
  UniqueCatalogue catalogue = NewCatalogue();
  WCHAR path[kPathChars];
  if (catalogue && LocateSettingsFile(open.printer.c_str(), path))
    LoadCatalogue(*catalogue.get(), path, SystemLoadLanguage());
  InitPreviewPage(page, open.printer.c_str(), std::move(catalogue),
                  open.jobFile.empty() ? nullptr : open.jobFile.c_str());
  return FALSE;
}

// The page as the property sheet holds it: a sheet window with the caption, the page made from template 106 as its
// child, shown once it is initialised.
class EmulatedSheet : public page_scenarios::PageHost {
 public:
  explicit EmulatedSheet(const PreviewOpen *preview = nullptr) : preview_(preview) {}
  ~EmulatedSheet() override { Close(); }

  bool Open(const WString &caption) override {
    Close();
    seen_ = host::Jobs().size();
    sheet_ = host::CreateSheetWindow(caption);
    page_ = CreateDialogParamW(ModuleInstance(), MAKEINTRESOURCEW(IDD_PRINTER_SETTINGS), sheet_,
                               preview_ ? PreviewPageProc : PrinterSettingsPageProc, LPARAM(preview_));
    if (page_) ShowWindow(page_, SW_SHOW);
    return page_ != nullptr;
  }
  void Close() override {
    if (sheet_) DestroyWindow(sheet_);
    sheet_ = page_ = nullptr;
  }
  HWND Page() const override { return page_; }
  HWND Sheet() const { return sheet_; }
  // The sheet titles the page's tab with the template's caption.
  std::string TabTitle() override { return page_scenarios::WindowText(page_); }
  void Answer(int button) override { host::QueueMessageBoxAnswer(button); }
  std::vector<ShownBox> TakeBoxes() override {
    std::vector<ShownBox> boxes;
    for (const host::MessageBoxRecord &b : host::TakeMessageBoxes())
      boxes.push_back(ShownBox{Utf8(b.text), Utf8(b.caption), b.type});
    return boxes;
  }
  SentJob TakeJob() override {
    SentJob job;
    std::vector<host::Job> jobs = host::Jobs();
    if (jobs.size() > seen_) {
      job.sent = true;
      job.bytes = jobs.back().bytes;
      EXPECT_EQ(jobs.size(), seen_ + 1) << "more than one job";
    }
    seen_ = jobs.size();
    return job;
  }

 private:
  const PreviewOpen *preview_;
  HWND sheet_ = nullptr;
  HWND page_ = nullptr;
  size_t seen_ = 0;
};

// The bytes of the last job the spooler took, or "<none>".
std::string LastJob() {
  std::vector<host::Job> jobs = host::Jobs();
  return jobs.empty() ? "<none>" : page_scenarios::Hex(jobs.back().bytes);
}

void UseLanguage(LANGID language) {
  testing_machine::UseSystemLanguage(language);
  host::SetThreadUILanguage(language);
}

class PageTest : public testing::Test {
 protected:
  void SetUp() override {
    testing_machine::Reset();
    host::ClearMessageBoxes();
    ASSERT_TRUE(testing_machine::AddTestPrinter(page_scenarios::Printer(), page_scenarios::Driver()));
    testing_machine::WriteSettingsFile(page_scenarios::Driver(), page_scenarios::SettingsFile());
  }
  void TearDown() override {
    host::DestroyThreadWindows();
    host::ClearMessageBoxes();
    host::FailSpoolerCall("");
    host::FailAllocationAfter(0);
  }

  HWND OpenPage(EmulatedSheet &sheet, const WString &printer = page_scenarios::Printer()) {
    EXPECT_TRUE(sheet.Open(printer + u" Properties"));
    return sheet.Page();
  }

  // A page of the test's printer and one of a second printer of the same driver.
  const WString kOtherPrinter = u"Second Test Printer";
  void OpenTwoPrinters(EmulatedSheet &first, HWND &a, EmulatedSheet &second, HWND &b) {
    ASSERT_TRUE(testing_machine::AddTestPrinter(kOtherPrinter, page_scenarios::Driver()));
    a = OpenPage(first);
    b = OpenPage(second, kOtherPrinter);
  }
};

// --- The shared scenarios, in English and in Chinese --------------------------------------------------------------

struct ScenarioCase {
  bool chinese;
  page_scenarios::Scenario scenario;
};

void PrintTo(const ScenarioCase &c, std::ostream *out) {
  *out << c.scenario.name << (c.chinese ? " in Chinese" : " in English");
}

class PageScenarioTest : public PageTest, public testing::WithParamInterface<ScenarioCase> {};

TEST_P(PageScenarioTest, Runs) {
  UseLanguage(GetParam().chinese ? 2052 : 1033);
  EmulatedSheet sheet;
  page_scenarios::RunScenario(sheet, GetParam().chinese, GetParam().scenario);
  EXPECT_EQ(host::LiveWindows(), 0);
}

std::vector<ScenarioCase> AllCases() {
  std::vector<ScenarioCase> cases;
  for (bool chinese : {false, true})
    for (const page_scenarios::Scenario &s : page_scenarios::All()) cases.push_back(ScenarioCase{chinese, s});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Page, PageScenarioTest, testing::ValuesIn(AllCases()),
                         [](const testing::TestParamInfo<ScenarioCase> &info) {
                           return std::string(info.param.scenario.name) + (info.param.chinese ? "_cn" : "_en");
                         });

// --- The dialog procedure's own answers --------------------------------------------------------------------------

TEST_F(PageTest, ProcedureAnswersOneOnlyForNotificationCodesZeroOneAndNine) {
  EmulatedSheet sheet;
  HWND page = OpenPage(sheet);
  host::QueueMessageBoxAnswer(IDNO);  // for the Reset All question below
  struct Case {
    int id;
    WORD code;
    INT_PTR answer;
  } cases[] = {
      {IDC_CLASS_LIST, CBN_SELENDOK, 1}, {IDC_CLASS_LIST, CBN_SELCHANGE, 1}, {IDC_CLASS_LIST, CBN_DROPDOWN, 0},
      {IDC_ITEM_LIST, LBN_SELCHANGE, 1}, {IDC_ITEM_LIST, LBN_DBLCLK, 0},     {IDC_SINGLE_OPTIONS, LBN_SETFOCUS, 0},
      {IDC_RESET_ALL, BN_CLICKED, 1},    {IDC_HINTS, 0, 1},                  {4321, 9, 1},
      {4321, 10, 0},                     {IDC_SET_ALL, 5, 0},                {IDC_SET_CURRENT, 0x400, 0},
  };
  for (const Case &c : cases)
    EXPECT_EQ(PrinterSettingsPageProc(page, WM_COMMAND, MAKEWPARAM(c.id, c.code), 0), c.answer)
        << "control " << c.id << " code " << c.code;
  // Only the Reset All click asked anything, and nothing was sent.
  EXPECT_EQ(host::TakeMessageBoxes().size(), 1u);
  EXPECT_TRUE(host::Jobs().empty());

  const UINT others[] = {WM_NOTIFY, WM_SETTEXT, WM_USER, 0x000F /* WM_PAINT */};
  for (UINT message : others) EXPECT_EQ(PrinterSettingsPageProc(page, message, 0, 0), 0) << message;
  EXPECT_EQ(OpenCatalogueCount(), 1);
}

TEST_F(PageTest, InitialisationAndDestructionAnswerZero) {
  HWND sheet = host::CreateSheetWindow(u"Page Test Printer Properties");
  HWND page = CreateDialogParamW(ModuleInstance(), MAKEINTRESOURCEW(IDD_PRINTER_SETTINGS), sheet, nullptr, 0);
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(PrinterSettingsPageProc(page, WM_INITDIALOG, 0, 0), 0);
  EXPECT_EQ(OpenCatalogueCount(), 1);
  EXPECT_EQ(PrinterSettingsPageProc(page, WM_DESTROY, 0, 0), 0);
  EXPECT_EQ(OpenCatalogueCount(), 0);
  // A second WM_DESTROY finds nothing of its own to release.
  EXPECT_EQ(PrinterSettingsPageProc(page, WM_DESTROY, 0, 0), 0);
  DestroyWindow(sheet);
}

// --- The printer name from the sheet's caption -------------------------------------------------------------------

TEST_F(PageTest, PrinterNameIsTheCaptionBeforeItsLastBlank) {
  const std::u16string longWord(300, u'w');
  const std::u16string veryLong = std::u16string(505, u'x') + u" name";  // the caption is read up to 511 characters
  struct Case {
    std::u16string caption;
    std::u16string name;
    bool whole;  // false: the name does not fit, or the caption's last blank may lie beyond what was read
  } cases[] = {
      {u"Office Laser 300 Properties", u"Office Laser 300", true},
      {u"Printer", u"Printer", true},
      {u"Printer ", u"Printer", true},
      {u" Properties", u"", true},
      {u"", u"", true},
      {u"Two  Blanks", u"Two ", true},
      {u"\u6253\u5370\u673a \u5c5e\u6027", u"\u6253\u5370\u673a", true},
      {std::u16string(259, u'w') + u" Properties", std::u16string(259, u'w'), true},
      {longWord + u" Properties", longWord.substr(0, 259), false},
      {veryLong, std::u16string(259, u'x'), false},
      {u"x " + std::u16string(600, u'y'), u"x", false},
  };
  for (const Case &c : cases) {
    HWND sheet = host::CreateSheetWindow(c.caption);
    HWND page = CreateDialogParamW(ModuleInstance(), MAKEINTRESOURCEW(IDD_PRINTER_SETTINGS), sheet, nullptr, 0);
    WCHAR name[kPathChars];
    EXPECT_EQ(PrinterNameFromCaption(page, name), c.whole) << Utf8(c.caption);
    EXPECT_EQ(std::u16string(name), c.name) << Utf8(c.caption);
    DestroyWindow(sheet);
  }
  // A page with no sheet has no name.
  HWND orphan = CreateDialogParamW(ModuleInstance(), MAKEINTRESOURCEW(IDD_PRINTER_SETTINGS), nullptr, nullptr, 0);
  WCHAR name[kPathChars] = u"stale";
  EXPECT_TRUE(PrinterNameFromCaption(orphan, name));
  EXPECT_EQ(std::u16string(name), u"");
  DestroyWindow(orphan);
}

// --- Sending, when the spooler fails ------------------------------------------------------------------------------

TEST_F(PageTest, FailedSendsShowTheErrorAndTheOperatorCanRetry) {
  EmulatedSheet sheet;
  HWND page = OpenPage(sheet);
  page_scenarios::ChooseSingle(page, 2);
  for (const char *failing : {"OpenPrinterW", "WritePrinter"}) {
    host::FailSpoolerCall(failing);
    for (int button : {IDC_SET_CURRENT, IDC_SET_ALL}) {
      page_scenarios::Click(page, button);
      std::vector<host::MessageBoxRecord> boxes = host::TakeMessageBoxes();
      ASSERT_EQ(boxes.size(), 1u);
      EXPECT_EQ(Utf8(boxes[0].text), "That some error while sending commands , please retry !") << failing;
      EXPECT_EQ(boxes[0].type, UINT(MB_OK | MB_ICONERROR));
      EXPECT_EQ(boxes[0].owner, page);
    }
    host::FailSpoolerCall("");
  }
  EXPECT_EQ(host::OpenPrinterHandles(), 0);
  // The page is as it was: the retry sends the chosen value.
  EXPECT_EQ(page_scenarios::CurrentRow(GetDlgItem(page, IDC_SINGLE_OPTIONS)), 2);
  size_t before = host::Jobs().size();
  page_scenarios::Click(page, IDC_SET_CURRENT);
  std::vector<host::Job> jobs = host::Jobs();
  ASSERT_EQ(jobs.size(), before + 1);
  EXPECT_EQ(page_scenarios::Hex(jobs.back().bytes), "1B 45 1B 44 02 0D 1B 53");
  EXPECT_EQ(Utf8(jobs.back().printer), "Page Test Printer");
  EXPECT_EQ(Utf8(jobs.back().document), "Printer Setting Job");
  EXPECT_EQ(Utf8(host::TakeMessageBoxes().at(0).text), "The setting command has been sent to the printer !");
}

TEST_F(PageTest, ChineseJobsCarryTheChineseDocumentName) {
  UseLanguage(2052);
  EmulatedSheet sheet;
  HWND page = OpenPage(sheet);
  page_scenarios::Click(page, IDC_SET_ALL);
  std::vector<host::Job> jobs = host::Jobs();
  ASSERT_EQ(jobs.size(), 1u);
  EXPECT_EQ(Utf8(jobs[0].document), "打印机设置任务");
  EXPECT_TRUE(jobs[0].ended);
}

// --- Catalogues per printer ---------------------------------------------------------------------------------------

// Two sheets of one printer share the file's catalogue, but each shows and sends its own choices.
TEST_F(PageTest, TwoSheetsOfOnePrinterEachSendWhatTheyShow) {
  EmulatedSheet first, second;
  HWND a = OpenPage(first);
  HWND b = OpenPage(second);
  EXPECT_EQ(OpenCatalogueCount(), 1);
  page_scenarios::ChooseSingle(a, 2);
  page_scenarios::ChooseItem(b, 1);
  page_scenarios::ChooseItem(b, 0);
  EXPECT_EQ(page_scenarios::CurrentRow(GetDlgItem(b, IDC_SINGLE_OPTIONS)), 1) << "a choice on A shows on B";
  page_scenarios::Click(b, IDC_SET_ALL);
  EXPECT_EQ(LastJob(), page_scenarios::DefaultSetAll()) << "B sent A's choice";
  page_scenarios::Click(a, IDC_SET_ALL);
  EXPECT_EQ(LastJob(), "1B 45 1B 44 02 0D 1B 4D 02 0D 1B 4B 09 0D 1B 5A A0 00 00 0D 1B 4F 01 0D 1B 53");
  first.Close();
  ASSERT_NE(FindCatalogue(page_scenarios::Printer().c_str()), nullptr) << "closing one page took the other's catalogue";
  page_scenarios::Click(b, IDC_SET_CURRENT);
  EXPECT_EQ(LastJob(), "1B 45 1B 44 01 0D 1B 53");
  EXPECT_EQ(host::Jobs().size(), 3u);
  second.Close();
  EXPECT_EQ(OpenCatalogueCount(), 0);
}

// Two sheets of one printer on two threads: one chooses while the other presses Set All and Reset All. The other
// sends the defaults it shows every time, and the chooser keeps its last choice.
TEST_F(PageTest, TwoSheetsOfOnePrinterOnTwoThreadsSendWhatEachShows) {
  constexpr int kRounds = 300;
  std::atomic<int> open{0}, wrong{0};
  auto openAndWait = [&](EmulatedSheet &sheet) {
    HWND page = sheet.Open(page_scenarios::Printer() + u" Properties") ? sheet.Page() : nullptr;
    if (!page) ++wrong;
    ++open;
    while (open.load() < 2) std::this_thread::yield();
    return page;
  };
  std::thread chooser([&] {
    EmulatedSheet sheet;
    HWND page = openAndWait(sheet);
    for (int round = 0; page && round < kRounds; ++round) {
      page_scenarios::ChooseSingle(page, round % 2 ? 0 : 2);
      page_scenarios::ToggleMulti(page, 0);
    }
    page_scenarios::Click(page, IDC_SET_CURRENT);
    host::TakeMessageBoxes();
  });
  std::thread sender([&] {
    EmulatedSheet sheet;
    HWND page = openAndWait(sheet);
    for (int round = 0; page && round < kRounds; ++round) {
      page_scenarios::Click(page, IDC_SET_ALL);
      host::QueueMessageBoxAnswer(IDYES);
      page_scenarios::Click(page, IDC_RESET_ALL);
      std::vector<host::MessageBoxRecord> boxes = host::TakeMessageBoxes();
      if (boxes.size() != 2 || boxes[0].type != MB_OK) ++wrong;
    }
  });
  chooser.join();
  sender.join();
  EXPECT_EQ(wrong.load(), 0);
  int setAll = 0, setCurrent = 0;
  for (const host::Job &job : host::Jobs()) {
    if (job.bytes.size() <= 8) {
      ++setCurrent;  // the chooser's last choice, whatever the other page reset meanwhile
      EXPECT_EQ(page_scenarios::Hex(job.bytes), "1B 45 1B 44 00 0D 1B 53");
      continue;
    }
    ++setAll;
    EXPECT_EQ(page_scenarios::Hex(job.bytes), page_scenarios::DefaultSetAll()) << "Set All sent another page's choice";
  }
  EXPECT_EQ(setAll, kRounds);
  EXPECT_EQ(setCurrent, 1);
  EXPECT_EQ(OpenCatalogueCount(), 0);
}

// The page takes its printer's name once, as it opens: a caption changed later changes neither where its jobs go
// nor which catalogue it closes.
TEST_F(PageTest, ACaptionChangedLaterChangesNothingThePageDoes) {
  const WString other = kOtherPrinter;
  EmulatedSheet first, second;
  HWND a = nullptr, b = nullptr;
  ASSERT_NO_FATAL_FAILURE(OpenTwoPrinters(first, a, second, b));
  ASSERT_TRUE(SetWindowTextW(first.Sheet(), (other + u" Properties").c_str()));
  page_scenarios::ChooseSingle(a, 2);
  EXPECT_EQ(page_scenarios::CurrentRow(GetDlgItem(a, IDC_SINGLE_OPTIONS)), 2);
  page_scenarios::Click(a, IDC_SET_CURRENT);
  std::vector<host::Job> jobs = host::Jobs();
  ASSERT_EQ(jobs.size(), 1u) << "the retitled page found no catalogue";
  EXPECT_EQ(jobs[0].printer, page_scenarios::Printer());
  EXPECT_EQ(page_scenarios::Hex(jobs[0].bytes), "1B 45 1B 44 02 0D 1B 53");
  EXPECT_EQ(host::TakeMessageBoxes().at(0).caption, page_scenarios::Printer());
  first.Close();
  EXPECT_EQ(OpenCatalogueCount(), 1) << "the retitled page's catalogue outlived it";
  EXPECT_EQ(FindCatalogue(page_scenarios::Printer().c_str()), nullptr);
  ASSERT_NE(FindCatalogue(other.c_str()), nullptr) << "closing the retitled page took the other printer's catalogue";
  page_scenarios::Click(b, IDC_SET_ALL);
  ASSERT_EQ(host::Jobs().size(), 2u);
  EXPECT_EQ(host::Jobs()[1].printer, other);
  EXPECT_EQ(page_scenarios::Hex(host::Jobs()[1].bytes), page_scenarios::DefaultSetAll());
  second.Close();
  EXPECT_EQ(OpenCatalogueCount(), 0);
}

// A page opened after the settings file changed sends from the changed file; a page open before keeps the file it
// opened with.
TEST_F(PageTest, APageOpenedAfterTheFileChangedReadsIt) {
  EmulatedSheet before, after;
  HWND a = OpenPage(before);
  std::string edited = page_scenarios::SettingsFile();
  const std::string enter = "EnterInstruction=1B 45";
  ASSERT_NE(edited.find(enter), std::string::npos);
  edited.replace(edited.find(enter), enter.size(), "EnterInstruction=1B 46");
  testing_machine::WriteSettingsFile(page_scenarios::Driver(), edited);
  HWND b = OpenPage(after);
  page_scenarios::Click(b, IDC_SET_CURRENT);
  EXPECT_EQ(LastJob(), "1B 46 1B 44 01 0D 1B 53") << "the edit was not read";
  page_scenarios::Click(a, IDC_SET_CURRENT);
  EXPECT_EQ(LastJob(), "1B 45 1B 44 01 0D 1B 53");
  EXPECT_EQ(OpenCatalogueCount(), 2);
  before.Close();
  EXPECT_EQ(OpenCatalogueCount(), 1);
}

// A name too long for the page is refused, never cut into another printer's name; the shorter printer's own page
// is as always.
TEST_F(PageTest, ACaptionNameTooLongIsRefusedNotCut) {
  const WString shorter(kPathChars - 1, u'L'), longer = shorter + u"X";
  for (const WString &p : {shorter, longer}) ASSERT_TRUE(testing_machine::AddTestPrinter(p, page_scenarios::Driver()));
  EmulatedSheet sheet;
  HWND page = OpenPage(sheet, longer);
  EXPECT_TRUE(page_scenarios::ComboRows(GetDlgItem(page, IDC_CLASS_LIST)).empty());
  EXPECT_EQ(OpenCatalogueCount(), 0);
  for (int button : {IDC_SET_CURRENT, IDC_SET_ALL}) {
    page_scenarios::Click(page, button);
    EXPECT_EQ(host::TakeMessageBoxes().at(0).type, UINT(MB_OK | MB_ICONERROR));
  }
  EXPECT_TRUE(host::Jobs().empty()) << "the longer printer's page sent to " << Utf8(host::Jobs().at(0).printer);
  HWND fits = OpenPage(sheet, shorter);
  EXPECT_EQ(page_scenarios::ComboRows(GetDlgItem(fits, IDC_CLASS_LIST)).size(), 3u);
  page_scenarios::Click(fits, IDC_SET_ALL);
  ASSERT_EQ(host::Jobs().size(), 1u);
  EXPECT_EQ(host::Jobs()[0].printer, shorter);
}

// A preview's page writes its jobs to a file, replaced at each job, and the box names the file instead of the
// printer. A file that cannot be written, or whose close fails, is a failed send; a path too long for the page
// leaves it nothing to send; without a file the printer gets the jobs.
TEST_F(PageTest, APreviewsJobsGoToItsFile) {
  UseLanguage(1033);
  const WString file = testing_machine::WriteTempFile("page-job.prn", "an older job, longer than the new ones");
  PreviewOpen preview{page_scenarios::Printer(), file};
  EmulatedSheet sheet(&preview);
  page_scenarios::Run r{sheet, page_scenarios::TextsIn(false), nullptr, WString()};
  ASSERT_TRUE(r.OpenPage());
  auto written = [&] {
    std::string bytes;
    EXPECT_TRUE(testing_machine::ReadFileBytes(file, bytes));
    return page_scenarios::Hex(std::vector<BYTE>(bytes.begin(), bytes.end()));
  };
  const struct {
    int densityRow;  // chosen before the press
    int button;
    std::string bytes;
  } presses[] = {{1, IDC_SET_ALL, page_scenarios::DefaultSetAll()},
                 {2, IDC_SET_CURRENT, "1B 45 1B 44 02 0D 1B 53"}};
  for (const auto &press : presses) {
    page_scenarios::ChooseSingle(r.page, press.densityRow);
    page_scenarios::ShownBox box = r.Press(press.button);
    EXPECT_EQ(box.text, r.t.jobWritten + Utf8(file));
    EXPECT_EQ(box.caption, Utf8(r.printer));
    EXPECT_EQ(box.style, UINT(MB_OK));
    EXPECT_FALSE(r.host.TakeJob().sent) << "the printer got a preview's job";
    EXPECT_EQ(written(), press.bytes);
  }

  host::FailNextWrittenFileClose();
  r.ExpectFailed(IDC_SET_ALL);
  for (const WString &unwritable : {file + u"\\no folder\\job.prn", WString(kPathChars, u'f')}) {
    preview.jobFile = unwritable;
    ASSERT_TRUE(r.OpenPage());
    r.ExpectFailed(IDC_SET_ALL);
  }
  preview.jobFile.clear();
  ASSERT_TRUE(r.OpenPage());
  page_scenarios::ChooseSingle(r.page, 2);
  r.ExpectSent(IDC_SET_CURRENT, "1B 45 1B 44 02 0D 1B 53", r.t.oneSent);
  EXPECT_EQ(OpenCatalogueCount(), 0) << "a preview's catalogue is its page's own";
}

TEST_F(PageTest, PagesOfTwoPrintersTakingTurnsKeepTheirOwnChoices) {
  const WString other = kOtherPrinter;
  EmulatedSheet first, second;
  HWND a = nullptr, b = nullptr;
  ASSERT_NO_FATAL_FAILURE(OpenTwoPrinters(first, a, second, b));
  EXPECT_EQ(OpenCatalogueCount(), 2);
  page_scenarios::ChooseSingle(a, 2);
  page_scenarios::ChooseSingle(b, 0);
  page_scenarios::Click(a, IDC_SET_CURRENT);
  page_scenarios::Click(b, IDC_SET_ALL);
  std::vector<host::Job> jobs = host::Jobs();
  ASSERT_EQ(jobs.size(), 2u);
  EXPECT_EQ(Utf8(jobs[0].printer), "Page Test Printer");
  EXPECT_EQ(page_scenarios::Hex(jobs[0].bytes), "1B 45 1B 44 02 0D 1B 53");
  EXPECT_EQ(Utf8(jobs[1].printer), "Second Test Printer");
  EXPECT_EQ(page_scenarios::Hex(jobs[1].bytes),
            "1B 45 1B 44 00 0D 1B 4D 02 0D 1B 4B 09 0D 1B 5A A0 00 00 0D 1B 4F 01 0D 1B 53");
  std::vector<host::MessageBoxRecord> boxes = host::TakeMessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(Utf8(boxes[0].caption), "Page Test Printer");
  EXPECT_EQ(Utf8(boxes[1].caption), "Second Test Printer");
}

TEST_F(PageTest, PagesOnTwoThreadsAtOnceNeverMixTheirCatalogues) {
  const WString printers[] = {u"Thread Printer One", u"Thread Printer Two"};
  for (const WString &p : printers) ASSERT_TRUE(testing_machine::AddTestPrinter(p, page_scenarios::Driver()));
  std::atomic<int> wrong{0};
  auto drive = [&](const WString &printer, int row) {
    EmulatedSheet sheet;
    if (!sheet.Open(printer + u" Properties")) {
      ++wrong;
      return;
    }
    HWND page = sheet.Page();
    for (int round = 0; round < 200; ++round) {
      page_scenarios::ChooseItem(page, round % 2);
      page_scenarios::ChooseItem(page, 0);
      page_scenarios::ChooseSingle(page, row);
      page_scenarios::Click(page, IDC_SET_CURRENT);
      std::vector<host::MessageBoxRecord> boxes = host::TakeMessageBoxes();
      if (boxes.size() != 1 || boxes[0].caption != printer || boxes[0].type != MB_OK) ++wrong;
      if (page_scenarios::CurrentRow(GetDlgItem(page, IDC_SINGLE_OPTIONS)) != row) ++wrong;
    }
    sheet.Close();
    if (host::LiveWindows() != 0) ++wrong;
  };
  std::thread one(drive, printers[0], 0);
  std::thread two(drive, printers[1], 2);
  one.join();
  two.join();
  EXPECT_EQ(wrong.load(), 0);
  int perPrinter[2] = {0, 0};
  for (const host::Job &job : host::Jobs()) {
    int which = job.printer == printers[0] ? 0 : 1;
    ++perPrinter[which];
    EXPECT_EQ(page_scenarios::Hex(job.bytes), which == 0 ? "1B 45 1B 44 00 0D 1B 53" : "1B 45 1B 44 02 0D 1B 53");
  }
  EXPECT_EQ(perPrinter[0], 200);
  EXPECT_EQ(perPrinter[1], 200);
  EXPECT_EQ(OpenCatalogueCount(), 0);
}

// --- Odd settings and failing heaps --------------------------------------------------------------------------------

TEST_F(PageTest, APageWhoseOpenFailedNeverReleasesAnotherPagesCatalogue) {
  EmulatedSheet failed, good;
  host::FailAllocationAfter(2);  // the catalogue record of the first page, after the spooler's driver answer
  HWND a = OpenPage(failed);
  host::FailAllocationAfter(0);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(OpenCatalogueCount(), 0);
  EXPECT_TRUE(page_scenarios::ComboRows(GetDlgItem(a, IDC_CLASS_LIST)).empty());
  page_scenarios::Click(a, IDC_SET_ALL);
  EXPECT_EQ(host::TakeMessageBoxes().at(0).type, UINT(MB_OK | MB_ICONERROR));

  HWND b = OpenPage(good);
  EXPECT_EQ(OpenCatalogueCount(), 1);
  failed.Close();
  EXPECT_EQ(OpenCatalogueCount(), 1);
  page_scenarios::Click(b, IDC_SET_ALL);
  EXPECT_EQ(host::Jobs().size(), 1u);
}

TEST_F(PageTest, HostileItemValuesStayWithinTheLists) {
  // ParameterCount -1 is above 1 taken unsigned: a multi-choice item whose command the encoder cannot make. A value
  // with every bit set selects rows 0 to 23 and no row beyond.
  testing_machine::WriteSettingsFile(
      page_scenarios::Driver(),
      "[SectionNames]\nSectionCount=1\nSection01=S\nParameterRule=High256\n"
      "[Section01]\nItemCount=2\nItem01=Odd\nItem01Instruction=1B 4F\nItem01ParameterCount=-1\n"
      "Item02=All\nItem02Instruction=1B 41\nItem02ParameterCount=4\n"
      "[S_Rule_EN]\nOdd_RuleType=Enum\nOdd_Rule=0=Zero 1=One\n"
      "All_RuleType=Serial\nAll_Rule=MIN=0 MAX=29 STEP=1\n"
      "[S_Default]\nOdd=0\nAll=-1\n");
  EmulatedSheet sheet;
  HWND page = OpenPage(sheet);
  EXPECT_EQ(page_scenarios::VisibleOptionList(page), IDC_MULTI_OPTIONS);
  page_scenarios::Click(page, IDC_SET_CURRENT);
  EXPECT_EQ(host::TakeMessageBoxes().at(0).type, UINT(MB_OK | MB_ICONERROR));
  EXPECT_TRUE(host::Jobs().empty());

  page_scenarios::ChooseItem(page, 1);
  std::vector<int> expected;
  for (int k = 0; k < 24; ++k) expected.push_back(k);
  EXPECT_EQ(page_scenarios::SelectedRows(GetDlgItem(page, IDC_MULTI_OPTIONS)), expected);
  // Every row selected, 30 of them: the mask counts the first 24.
  SendMessageW(GetDlgItem(page, IDC_MULTI_OPTIONS), LB_SETSEL, TRUE, -1);
  page_scenarios::Notify(page, IDC_MULTI_OPTIONS, LBN_SELCHANGE);
  page_scenarios::Click(page, IDC_SET_CURRENT);
  ASSERT_EQ(host::Jobs().size(), 1u);
  EXPECT_EQ(page_scenarios::Hex(host::Jobs()[0].bytes), "1B 41 00 FF FF FF");
}

TEST_F(PageTest, OpeningAndClosingLeavesNothingBehind) {
  HANDLE heap = GetProcessHeap();
  host::HeapStats before = host::GetHeapStats(heap);
  for (int i = 0; i < 3; ++i) {
    EmulatedSheet sheet;
    HWND page = OpenPage(sheet);
    page_scenarios::ChooseClass(page, 1);
    page_scenarios::ToggleMulti(page, 4);
    page_scenarios::Click(page, IDC_SET_CURRENT);
    page_scenarios::Click(page, IDC_SET_ALL);
    sheet.Close();
  }
  host::HeapStats after = host::GetHeapStats(heap);
  EXPECT_EQ(after.blocks, before.blocks);
  EXPECT_EQ(after.bytes, before.bytes);
  EXPECT_EQ(host::LiveWindows(), 0);
  EXPECT_EQ(host::OpenPrinterHandles(), 0);
  EXPECT_EQ(OpenCatalogueCount(), 0);
}

}  // namespace
