#include "tests/wine/sheet_harness.h"

#include <commctrl.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <cstdlib>

namespace sheet_harness {

namespace {

template <typename T>
T KernelExport(const char *name) {
  return reinterpret_cast<T>(reinterpret_cast<void *>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name)));
}

thread_local SheetThread *sheetOfThisThread = nullptr;

}  // namespace

UnixPathFromDos UnixPathConverter() { return KernelExport<UnixPathFromDos>("wine_get_unix_file_name"); }
DosPathFromUnix DosPathConverter() { return KernelExport<DosPathFromUnix>("wine_get_dos_file_name"); }

WString DosPath(const std::string &unixPath) {
  DosPathFromUnix toDos = DosPathConverter();
  WCHAR *dos = toDos ? toDos(unixPath.c_str()) : nullptr;
  if (!dos) return {};
  WString path = dos;
  HeapFree(GetProcessHeap(), 0, dos);
  return path;
}

bool ReadWholeFile(const WString &path, std::string &bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bytes.clear();
  char buffer[4096];
  DWORD read = 0;
  BOOL ok = TRUE;
  while ((ok = ReadFile(file, buffer, sizeof(buffer), &read, nullptr)) && read) bytes.append(buffer, read);
  CloseHandle(file);
  return ok != FALSE;
}

// --- PortFile ------------------------------------------------------------------------------------------------------

PortFile::PortFile() {
  std::string unix;
  const char *named = std::getenv("PRNSET_PORT_FILE");
  if (named && *named) {
    unix = named;
    WString dos = DosPath(unix);
    // Read past the DOS device names: a file named like a port (lpt1.prn) would be taken for the port.
    if (!dos.empty()) path_ = (dos.size() > 1 && dos[1] == L':') ? WString(L"\\\\?\\") + dos : dos;
  } else {
    WCHAR temp[MAX_PATH];
    DWORD n = GetTempPathW(MAX_PATH, temp);
    path_ = WString(temp, n) + L"prnset-port-" + std::to_wstring(GetCurrentProcessId()) + L".prn";
    UnixPathFromDos toUnix = UnixPathConverter();
    if (char *converted = toUnix ? toUnix(path_.c_str()) : nullptr) {
      unix = converted;
      HeapFree(GetProcessHeap(), 0, converted);
    }
  }
  if (path_.empty() || unix.empty()) return;
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\Printing\\Spooler", 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      &key, nullptr) != ERROR_SUCCESS)
    return;
  WString value = Wide(unix);
  ready_ = RegSetValueExW(key, L"LPT1:", 0, REG_SZ, reinterpret_cast<const BYTE *>(value.c_str()),
                          DWORD((value.size() + 1) * sizeof(WCHAR))) == ERROR_SUCCESS;
  RegCloseKey(key);
  DeleteFileW(path_.c_str());
}

PortFile::~PortFile() {
  if (!path_.empty()) DeleteFileW(path_.c_str());
}

SentJob PortFile::Take() {
  SentJob job;
  std::string bytes;
  if (path_.empty() || !ReadWholeFile(path_, bytes)) return job;
  job.sent = true;
  job.bytes.assign(bytes.begin(), bytes.end());
  DeleteFileW(path_.c_str());
  return job;
}

// --- SheetThread ---------------------------------------------------------------------------------------------------

SheetThread::SheetThread() : ready_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

SheetThread::~SheetThread() {
  Close();
  CloseHandle(ready_);
}

bool SheetThread::Open(SheetCallback callback, void *context) {
  Close();
  callback_ = callback;
  context_ = context;
  sheet_ = page_ = nullptr;
  sheetResult_ = 0;
  exitCode_ = 0;
  ResetEvent(ready_);
  thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
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

void SheetThread::Close() {
  if (!thread_) return;
  if (sheet_) PostMessageW(sheet_, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  if (WaitForSingleObject(thread_, 30000) != WAIT_OBJECT_0) ADD_FAILURE() << "the sheet did not close";
  CloseHandle(thread_);
  thread_ = nullptr;
  sheet_ = page_ = nullptr;
}

int SheetThread::TabCount() {
  HWND tab = reinterpret_cast<HWND>(SendMessageW(sheet_, PSM_GETTABCONTROL, 0, 0));
  return tab ? int(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0)) : 0;
}

std::string SheetThread::TabTitle(int index) {
  HWND tab = reinterpret_cast<HWND>(SendMessageW(sheet_, PSM_GETTABCONTROL, 0, 0));
  WCHAR text[100] = {};
  TCITEMW item = {};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = ARRAYSIZE(text);
  if (tab) SendMessageW(tab, TCM_GETITEMW, WPARAM(index), reinterpret_cast<LPARAM>(&item));
  return Utf8(text);
}

void SheetThread::Answer(int button) {
  std::lock_guard<std::mutex> guard(lock_);
  answers_.push_back(button);
}

std::vector<ShownBox> SheetThread::TakeBoxes() {
  std::lock_guard<std::mutex> guard(lock_);
  std::vector<ShownBox> boxes;
  boxes.swap(boxes_);
  return boxes;
}

void *SheetThread::Context() { return sheetOfThisThread ? sheetOfThisThread->context_ : nullptr; }

DWORD WINAPI SheetThread::Run(LPVOID parameter) {
  auto *self = static_cast<SheetThread *>(parameter);
  sheetOfThisThread = self;
  HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROCRET, AfterMessage, nullptr, GetCurrentThreadId());
  // Taken from the DLL itself: MinGW-w64 has no import library of it for 32-bit builds.
  using SheetUi = LONG(WINAPI *)(HWND, SheetCallback, LPARAM, LPDWORD);
  HMODULE compstui = LoadLibraryW(L"compstui.dll");
  auto commonPropertySheetUi =
      reinterpret_cast<SheetUi>(reinterpret_cast<void *>(GetProcAddress(compstui, "CommonPropertySheetUIW")));
  DWORD exitCode = 0;
  if (commonPropertySheetUi)
    self->sheetResult_ = commonPropertySheetUi(nullptr, self->callback_, reinterpret_cast<LPARAM>(self->context_),
                                               &exitCode);
  self->exitCode_ = exitCode;
  if (hook) UnhookWindowsHookEx(hook);
  if (compstui) FreeLibrary(compstui);
  sheetOfThisThread = nullptr;
  return 0;
}

// Every message the sheet thread's windows handled: the first top-level dialog is the sheet, every later one a
// message box, which is read and answered before it shows.
LRESULT CALLBACK SheetThread::AfterMessage(int code, WPARAM wParam, LPARAM lParam) {
  auto *message = reinterpret_cast<const CWPRETSTRUCT *>(lParam);
  SheetThread *self = sheetOfThisThread;
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

ShownBox ReadBox(HWND box) {
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
  return shown;
}

void SheetThread::AnswerBox(HWND box) {
  ShownBox shown = ReadBox(box);
  const bool yesNo = (shown.style & MB_TYPEMASK) == MB_YESNO;
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

// --- OnePageSheet -------------------------------------------------------------------------------------------------

LONG CALLBACK OnePageSheet::Callback(PPROPSHEETUI_INFO info, LPARAM lParam) {
  auto *self = static_cast<OnePageSheet *>(SheetThread::Context());
  if (!info || !self) return -1;
  switch (info->Reason) {
    case PROPSHEETUI_REASON_INIT: {
      LONG_PTR added = info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_ADD_PROPSHEETPAGEW,
                                             reinterpret_cast<LPARAM>(&self->page), 0);
      return added ? 1 : -1;
    }
    case PROPSHEETUI_REASON_GET_INFO_HEADER: {
      auto *header = reinterpret_cast<PPROPSHEETUI_INFO_HEADER>(lParam);
      header->pTitle = const_cast<LPWSTR>(self->caption.c_str());
      header->hInst = GetModuleHandleW(nullptr);
      return 1;
    }
    default:
      return 1;
  }
}

std::string WindowText(HWND window) {
  WCHAR text[600] = {};
  GetWindowTextW(window, text, ARRAYSIZE(text));
  return Utf8(text);
}

}  // namespace sheet_harness
