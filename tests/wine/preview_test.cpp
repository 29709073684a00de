// prnset preview under Wine: the tool's own property sheet holds the plug-in's page for a settings file, with no
// driver behind it. The tool runs on a thread of its own as its command line would run it; the test thread drives
// the page with the messages the operator's clicks send and reads back its lists, its message boxes and its jobs.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "catalogue/registry.h"
#include "page/settings_page.h"
#include "tests/page/settings_page_scenarios.h"
#include "tests/tools/tool_fixture.h"
#include "tests/wine/sheet_harness.h"

namespace {

using page_scenarios::ChooseClass;
using page_scenarios::ChooseItem;
using page_scenarios::ChooseSingle;
using page_scenarios::ComboRows;
using page_scenarios::Control;
using page_scenarios::ListRows;
using sheet_harness::ShownBox;

constexpr DWORD kPatience = 20000;  // ms a window may take to come or go; the waits end as soon as it does

const std::string kExampleSetAll =
    "1B 7B 53 31 1B 73 44 03 0D 1B 73 52 02 0D 1B 73 54 00 0D 1B 70 53 07 0D 1B 70 5A 00 0D 1B 70 54 00 0D "
    "1B 70 44 A0 00 00 0D 1B 65 53 0F 0D 1B 65 4F 04 0D 1B 6C 4C 02 0D 1B 6C 42 05 0D 1B 7D 57";

bool RunsInChinese() { return GetSystemDefaultLangID() == 0x0804; }

bool IsDialog(HWND window) {
  WCHAR kind[16] = {};
  GetClassNameW(window, kind, ARRAYSIZE(kind));
  return lstrcmpW(kind, L"#32770") == 0;
}

// prnset preview on a thread of its own; the sheet it shows is modal on that thread. A hook on that thread sees
// each of its dialogs made: the first is the sheet, each later one a message box, each gone again when destroyed.
class PreviewRun {
 public:
  explicit PreviewRun(const std::vector<std::string> &args) {
    for (const std::string &arg : args) args_.push_back(Wide(arg));
    sheetMade_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    boxMade_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    boxGone_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, Main, this, 0, nullptr);
  }
  ~PreviewRun() {
    Close();
    if (thread_) CloseHandle(thread_);
    for (HANDLE event : {sheetMade_, boxMade_, boxGone_})
      if (event) CloseHandle(event);
  }
  PreviewRun(const PreviewRun &) = delete;
  PreviewRun &operator=(const PreviewRun &) = delete;

  // The sheet once it is made under its caption, with its page; false when it did not come.
  bool WaitForSheet(const std::string &caption) {
    if (!WaitWhileRunning(sheetMade_)) return false;
    if (page_scenarios::WindowText(sheet_) != caption) return false;
    page_ = reinterpret_cast<HWND>(SendMessageW(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0));
    return page_ != nullptr;
  }
  HWND Sheet() const { return sheet_; }
  HWND Page() const { return page_; }

  // Clicks a button, then reads and answers (OK) the message box the click brings; an empty box when none came.
  ShownBox Press(int id) {
    PostMessageW(page_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Control(page_, id)));
    if (!WaitWhileRunning(boxMade_)) return ShownBox();
    ShownBox shown = sheet_harness::ReadBox(box_);
    PostMessageW(box_, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box_, IDOK)));
    WaitWhileRunning(boxGone_);
    return shown;
  }

  // Cancels the sheet, as its close button does, and waits for the tool; its exit code, or -1 when it did not end.
  int Close() {
    if (!thread_) return code_;
    if (sheet_) PostMessageW(sheet_, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    if (WaitForSingleObject(thread_, kPatience) != WAIT_OBJECT_0) return -1;
    CloseHandle(thread_);
    thread_ = nullptr;
    return code_;
  }

  std::string out, err;

 private:
  static thread_local PreviewRun *runOfThisThread;

  static DWORD WINAPI Main(LPVOID self) {
    PreviewRun *run = static_cast<PreviewRun *>(self);
    runOfThisThread = run;
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROCRET, AfterMessage, nullptr, GetCurrentThreadId());
    std::istringstream in;
    std::ostringstream out, err;
    run->code_ = prnset::Run(run->args_, in, out, err);
    run->out = out.str();
    run->err = err.str();
    if (hook) UnhookWindowsHookEx(hook);
    runOfThisThread = nullptr;
    return 0;
  }

  static LRESULT CALLBACK AfterMessage(int code, WPARAM wParam, LPARAM lParam) {
    auto *message = reinterpret_cast<const CWPRETSTRUCT *>(lParam);
    PreviewRun *run = runOfThisThread;
    if (code == HC_ACTION && run) {
      const bool topLevel = !(GetWindowLongW(message->hwnd, GWL_STYLE) & WS_CHILD);
      if (message->message == WM_INITDIALOG && topLevel && IsDialog(message->hwnd)) {
        if (!run->sheet_) {
          run->sheet_ = message->hwnd;
          SetEvent(run->sheetMade_);
        } else {
          run->box_ = message->hwnd;
          SetEvent(run->boxMade_);
        }
      } else if (message->message == WM_NCDESTROY && run->box_ && message->hwnd == run->box_) {
        SetEvent(run->boxGone_);
      }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  // Waits for the event while the tool runs: false when it ended first or took longer than patience allows.
  bool WaitWhileRunning(HANDLE event) const {
    if (!thread_) return WaitForSingleObject(event, 0) == WAIT_OBJECT_0;
    HANDLE both[] = {event, thread_};
    return WaitForMultipleObjects(2, both, FALSE, kPatience) == WAIT_OBJECT_0;
  }

  std::vector<WString> args_;
  HANDLE thread_ = nullptr;
  HANDLE sheetMade_ = nullptr, boxMade_ = nullptr, boxGone_ = nullptr;
  int code_ = -1;
  HWND sheet_ = nullptr;  // written by the tool's thread before its event is set
  HWND page_ = nullptr;
  HWND box_ = nullptr;
};

thread_local PreviewRun *PreviewRun::runOfThisThread = nullptr;

std::string FileHex(const WString &path) {
  std::string bytes;
  if (!testing_machine::ReadFileBytes(path, bytes)) return "<no file>";
  return page_scenarios::Hex(std::vector<BYTE>(bytes.begin(), bytes.end()));
}

class Preview : public ::testing::Test {
 protected:
  void SetUp() override {
    chinese_ = RunsInChinese();
    if (GetUserDefaultUILanguage() != GetSystemDefaultLangID()) GTEST_SKIP() << "mixed languages";
    file_ = testing_machine::WriteTempFile("Office Laser 300_Settings.Dat", ReadSourceFile(kOfficeLaser));
    jobFile_ = file_ + L".prn";
    DeleteFileW(jobFile_.c_str());
  }
  void TearDown() override {
    DeleteFileW(jobFile_.c_str());
    EXPECT_EQ(OpenCatalogueCount(), 0) << "the preview's catalogue outlived it";
  }
  std::string Lang() const { return chinese_ ? "cn" : "en"; }

  bool chinese_ = false;
  WString file_, jobFile_;
};

// The page shows the file's classes, items and options in the process's language, and Set All and Set Current
// write the page's job beside the file, each replacing the last, with a box that says where.
TEST_F(Preview, ShowsTheFileAndWritesItsJobsBesideIt) {
  const std::string name = "Office Laser 300_Settings.Dat";
  PreviewRun run({"preview", Utf8(file_), "--lang", Lang()});
  ASSERT_TRUE(run.WaitForSheet(name + " Preview")) << run.err;
  const page_scenarios::Texts &t = page_scenarios::TextsIn(chinese_);
  WCHAR printer[kPathChars];
  PrinterNameFromCaption(run.Page(), printer);
  EXPECT_EQ(Utf8(printer), name);

  std::vector<std::string> classes = ComboRows(Control(run.Page(), IDC_CLASS_LIST));
  ASSERT_FALSE(classes.empty());
  EXPECT_EQ(classes[0], chinese_ ? "打印质量" : "Print quality");
  EXPECT_EQ(ListRows(Control(run.Page(), IDC_ITEM_LIST))[0], chinese_ ? "打印浓度" : "Print density");
  EXPECT_EQ(ListRows(Control(run.Page(), IDC_SINGLE_OPTIONS)),
            chinese_ ? (std::vector<std::string>{"最浅", "较浅", "标准", "较深", "最深"})
                     : (std::vector<std::string>{"Lightest", "Light", "Normal", "Dark", "Darkest"}));
  EXPECT_EQ(page_scenarios::CurrentRow(Control(run.Page(), IDC_SINGLE_OPTIONS)), 2);

  const std::string where = t.jobWritten + Utf8(jobFile_);
  ShownBox box = run.Press(IDC_SET_ALL);
  EXPECT_EQ(box.text, where);
  EXPECT_EQ(box.caption, name);
  EXPECT_EQ(box.style, UINT(MB_OK));
  EXPECT_EQ(FileHex(jobFile_), kExampleSetAll);

  ChooseClass(run.Page(), 0);
  ChooseItem(run.Page(), 0);
  ChooseSingle(run.Page(), 4);
  box = run.Press(IDC_SET_CURRENT);
  EXPECT_EQ(box.text, where);
  EXPECT_EQ(FileHex(jobFile_), "1B 7B 53 31 1B 73 44 05 0D 1B 7D 57");

  EXPECT_EQ(run.Close(), 0) << run.err;
  EXPECT_NE(run.out.find(Utf8(jobFile_)), std::string::npos) << run.out;
  EXPECT_EQ(run.err, "");
}

// With --printer the page sends through the spooler to that printer, with the catalogue still from FILE (not from
// the printer's driver), and the boxes are the page's own.
TEST_F(Preview, SendsToTheNamedPrinter) {
  sheet_harness::PortFile port;
  ASSERT_TRUE(port.Ready()) << "the spooler's port cannot be pointed at a file";
  const WString printer = page_scenarios::Printer();
  ASSERT_TRUE(page_scenarios::EnsurePrinter(printer, page_scenarios::Driver()));
  testing_machine::WriteSettingsFile(page_scenarios::Driver(), page_scenarios::SettingsFile());

  PreviewRun run({"preview", Utf8(file_), "--printer", Utf8(printer), "--lang", Lang()});
  ASSERT_TRUE(run.WaitForSheet(Utf8(printer) + " Preview")) << run.err;
  EXPECT_EQ(ComboRows(Control(run.Page(), IDC_CLASS_LIST))[0], chinese_ ? "打印质量" : "Print quality");
  ShownBox box = run.Press(IDC_SET_ALL);
  EXPECT_EQ(box.text, page_scenarios::TextsIn(chinese_).allSent);
  EXPECT_EQ(box.caption, Utf8(printer));
  sheet_harness::SentJob job = port.Take();
  EXPECT_TRUE(job.sent);
  EXPECT_EQ(page_scenarios::Hex(job.bytes), kExampleSetAll);
  EXPECT_EQ(FileHex(jobFile_), "<no file>");
  EXPECT_EQ(run.Close(), 0) << run.err;
}

}  // namespace
