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
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "module/resource.h"
#include "page/settings_page.h"
#include "tests/page/settings_page_scenarios.h"

namespace {

using page_scenarios::SentJob;
using page_scenarios::ShownBox;

// Wine's kernel32 names Windows paths on the Linux side and back.
using PathConverter = char *(CDECL *)(LPCWSTR);
using DosConverter = WCHAR *(CDECL *)(const char *);

template <typename T>
T WineExport(const char *name) {
  return reinterpret_cast<T>(reinterpret_cast<void *>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name)));
}

// The file the spooler's port "LPT1:" writes raw jobs into: the one scripts/test names in PRNSET_PORT_FILE, else
// one of our own. The port is pointed at it here, since other suites of the prefix may have pointed it elsewhere.
class PortFile {
 public:
  PortFile() {
    std::string unix;
    const char *named = std::getenv("PRNSET_PORT_FILE");
    if (named && *named) {
      unix = named;
      auto toDos = WineExport<DosConverter>("wine_get_dos_file_name");
      // Read past the DOS device names: a file named like a port (lpt1.prn) would be taken for the port.
      if (WCHAR *dos = toDos ? toDos(unix.c_str()) : nullptr) {
        path_ = (dos[0] && dos[1] == L':') ? WString(L"\\\\?\\") + dos : WString(dos);
        HeapFree(GetProcessHeap(), 0, dos);
      }
    } else {
      WCHAR temp[MAX_PATH];
      DWORD n = GetTempPathW(MAX_PATH, temp);
      path_ = WString(temp, n) + L"prnset-page-" + std::to_wstring(GetCurrentProcessId()) + L".prn";
      auto toUnix = WineExport<PathConverter>("wine_get_unix_file_name");
      if (char *converted = toUnix ? toUnix(path_.c_str()) : nullptr) {
        unix = converted;
        HeapFree(GetProcessHeap(), 0, converted);
      }
    }
    if (path_.empty() || unix.empty()) return;
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\Printing\\Spooler", 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
      return;
    WString value = Wide(unix);
    ready_ = RegSetValueExW(key, L"LPT1:", 0, REG_SZ, reinterpret_cast<const BYTE *>(value.c_str()),
                            DWORD((value.size() + 1) * sizeof(WCHAR))) == ERROR_SUCCESS;
    RegCloseKey(key);
    DeleteFileW(path_.c_str());
  }
  ~PortFile() {
    if (!path_.empty()) DeleteFileW(path_.c_str());
  }
  bool Ready() const { return ready_; }

  // What the port received since the last take.
  SentJob Take() {
    SentJob job;
    HANDLE file = CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return job;
    job.sent = true;
    BYTE buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read)
      job.bytes.insert(job.bytes.end(), buffer, buffer + read);
    CloseHandle(file);
    DeleteFileW(path_.c_str());
    return job;
  }

 private:
  WString path_;
  bool ready_ = false;
};

class RealSheet;
thread_local RealSheet *sheetOfThisThread = nullptr;

// A property sheet of the common property-sheet UI with the page as its only page, run modally on a thread of its
// own, the way a driver's host runs it.
class RealSheet : public page_scenarios::PageHost {
 public:
  RealSheet() : ready_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
  ~RealSheet() override {
    Close();
    CloseHandle(ready_);
  }

  bool Open(const WString &caption) override {
    Close();
    caption_ = caption;
    sheet_ = page_ = nullptr;
    ResetEvent(ready_);
    thread_ = CreateThread(nullptr, 0, SheetThread, this, 0, nullptr);
    if (!thread_) return false;
    HANDLE waits[] = {ready_, thread_};
    WaitForMultipleObjects(2, waits, FALSE, 30000);
    if (!sheet_) {
      Close();
      return false;
    }
    page_ = reinterpret_cast<HWND>(SendMessageW(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0));
    return page_ != nullptr;
  }

  void Close() override {
    if (!thread_) return;
    if (sheet_) PostMessageW(sheet_, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    if (WaitForSingleObject(thread_, 30000) != WAIT_OBJECT_0) ADD_FAILURE() << "the sheet did not close";
    CloseHandle(thread_);
    thread_ = nullptr;
    sheet_ = page_ = nullptr;
  }

  HWND Page() const override { return page_; }
  HWND Sheet() const { return sheet_; }

  std::string TabTitle() override {
    HWND tab = reinterpret_cast<HWND>(SendMessageW(sheet_, PSM_GETTABCONTROL, 0, 0));
    WCHAR text[100] = {};
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = ARRAYSIZE(text);
    SendMessageW(tab, TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return Utf8(text);
  }

  void Answer(int button) override {
    std::lock_guard<std::mutex> guard(lock_);
    answers_.push_back(button);
  }

  std::vector<ShownBox> TakeBoxes() override {
    std::lock_guard<std::mutex> guard(lock_);
    std::vector<ShownBox> boxes;
    boxes.swap(boxes_);
    return boxes;
  }

  SentJob TakeJob() override { return port_.Take(); }
  bool PortReady() const { return port_.Ready(); }

 private:
  static DWORD WINAPI SheetThread(LPVOID parameter) {
    auto *self = static_cast<RealSheet *>(parameter);
    sheetOfThisThread = self;
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROCRET, AfterMessage, nullptr, GetCurrentThreadId());
    DWORD result = 0;
    // Taken from the DLL itself: MinGW-w64 has no import library of it for 32-bit builds. Its header also declares
    // PFNPROPSHEETUI without a calling convention, while the platform calls the callback as CALLBACK.
    using SheetUi = LONG(WINAPI *)(HWND, LONG(CALLBACK *)(PPROPSHEETUI_INFO, LPARAM), LPARAM, LPDWORD);
    HMODULE compstui = LoadLibraryW(L"compstui.dll");
    auto commonPropertySheetUi =
        reinterpret_cast<SheetUi>(reinterpret_cast<void *>(GetProcAddress(compstui, "CommonPropertySheetUIW")));
    if (commonPropertySheetUi)
      commonPropertySheetUi(nullptr, SheetCallback, reinterpret_cast<LPARAM>(self), &result);
    if (hook) UnhookWindowsHookEx(hook);
    if (compstui) FreeLibrary(compstui);
    sheetOfThisThread = nullptr;
    return 0;
  }

  // The sheet's callback, as a printer driver's UI gives it: one page, and the sheet's caption.
  static LONG CALLBACK SheetCallback(PPROPSHEETUI_INFO info, LPARAM lParam) {
    RealSheet *self = sheetOfThisThread;
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

  // Every message the sheet thread's windows handled: the first top-level dialog is the sheet, every later one a
  // message box, which is read and answered before it shows.
  static LRESULT CALLBACK AfterMessage(int code, WPARAM wParam, LPARAM lParam) {
    auto *message = reinterpret_cast<const CWPRETSTRUCT *>(lParam);
    RealSheet *self = sheetOfThisThread;
    if (code == HC_ACTION && self && message->message == WM_INITDIALOG &&
        !(GetWindowLongW(message->hwnd, GWL_STYLE) & WS_CHILD)) {
      if (!self->sheet_) {
        self->sheet_ = message->hwnd;
        SetEvent(self->ready_);
      } else {
        self->AnswerBox(message->hwnd);
      }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  void AnswerBox(HWND box) {
    ShownBox shown;
    WCHAR text[1024] = {};
    GetWindowTextW(box, text, ARRAYSIZE(text));
    shown.caption = Utf8(text);
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      WCHAR kind[32] = {};
      GetClassNameW(child, kind, ARRAYSIZE(kind));
      if (lstrcmpiW(kind, L"Static") != 0) continue;
      DWORD style = DWORD(GetWindowLongW(child, GWL_STYLE));
      if ((style & SS_TYPEMASK) == SS_ICON) {
        if (!(style & WS_VISIBLE)) continue;
        HICON icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
        if (icon && icon == LoadIconW(nullptr, IDI_QUESTION)) shown.style |= MB_ICONQUESTION;
        else if (icon && icon == LoadIconW(nullptr, IDI_HAND)) shown.style |= MB_ICONERROR;
        else if (icon && icon == LoadIconW(nullptr, IDI_EXCLAMATION)) shown.style |= MB_ICONWARNING;
        else if (icon && icon == LoadIconW(nullptr, IDI_ASTERISK)) shown.style |= MB_ICONINFORMATION;
      } else if (GetWindowTextW(child, text, ARRAYSIZE(text)) > 0) {
        shown.text = Utf8(text);
      }
    }
    const bool yesNo = GetDlgItem(box, IDYES) && GetDlgItem(box, IDNO);
    if (yesNo) shown.style |= MB_YESNO;
    else if (!GetDlgItem(box, IDOK) || GetDlgItem(box, IDCANCEL)) shown.style |= MB_TYPEMASK;  // not a box we show

    int answer = yesNo ? IDYES : IDOK;
    {
      std::lock_guard<std::mutex> guard(lock_);
      if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
      }
      boxes_.push_back(shown);
    }
    if (!GetDlgItem(box, answer)) answer = yesNo ? IDYES : IDOK;
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, answer)));
  }

  WString caption_;
  HANDLE ready_;
  HANDLE thread_ = nullptr;
  HWND sheet_ = nullptr;
  HWND page_ = nullptr;
  std::mutex lock_;
  std::deque<int> answers_;
  std::vector<ShownBox> boxes_;
  PortFile port_;
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
  auto toDos = WineExport<DosConverter>("wine_get_dos_file_name");
  ASSERT_NE(toDos, nullptr);
  WCHAR *dos = toDos(settings);
  ASSERT_NE(dos, nullptr);
  HANDLE file = CreateFileW(dos, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  HeapFree(GetProcessHeap(), 0, dos);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read) bytes.append(buffer, read);
  CloseHandle(file);

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
