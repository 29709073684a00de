// What the Wine suites need to run a real property sheet the way a printer's property dialog runs it: the common
// property-sheet UI on a thread of its own, the message boxes its pages show (read and answered from a hook on that
// thread), and the raw jobs that reach the spooler's port "LPT1:" as a Linux file.
#pragma once

#include <windows.h>
#include <compstui.h>

#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "tests/support/test_machine.h"

namespace sheet_harness {

// A message box as the operator saw it.
struct ShownBox {
  std::string text;
  std::string caption;
  UINT style = 0;  // buttons and icon, as MB_ flags; MB_TYPEMASK for a box of buttons no page shows
};

// A message box as it stands: its caption, its text, its icon and its buttons.
ShownBox ReadBox(HWND box);

// What reached the printer since the last look.
struct SentJob {
  bool sent = false;
  std::vector<BYTE> bytes;
};

// Wine's kernel32 names Windows paths on the Linux side and back; null outside Wine.
using UnixPathFromDos = char *(CDECL *)(LPCWSTR);
using DosPathFromUnix = WCHAR *(CDECL *)(const char *);
UnixPathFromDos UnixPathConverter();
DosPathFromUnix DosPathConverter();

// The Windows path of a Linux one, or "" outside Wine.
WString DosPath(const std::string &unixPath);

// The whole content of a file, or false when it cannot be read.
bool ReadWholeFile(const WString &path, std::string &bytes);

// The file the spooler's port "LPT1:" writes raw jobs into: the one PRNSET_PORT_FILE names (scripts/wine-env sets
// it), else one of our own. The port is pointed at it here, since other programs of the prefix may have pointed it
// elsewhere.
class PortFile {
 public:
  PortFile();
  ~PortFile();
  PortFile(const PortFile &) = delete;
  PortFile &operator=(const PortFile &) = delete;

  bool Ready() const { return ready_; }
  // What the port received since the last take; the file is removed.
  SentJob Take();

 private:
  WString path_;
  bool ready_ = false;
};

// The callback a driver hands to CommonPropertySheetUIW. MinGW-w64's header declares PFNPROPSHEETUI without a
// calling convention, while the platform calls it as CALLBACK.
using SheetCallback = LONG(CALLBACK *)(PPROPSHEETUI_INFO info, LPARAM lParam);

// One modal sheet of the common property-sheet UI on a thread of its own, as a printer's property dialog runs it.
// The sheet's callback runs on that thread and finds the context it was opened with in Context().
class SheetThread {
 public:
  SheetThread();
  ~SheetThread();
  SheetThread(const SheetThread &) = delete;
  SheetThread &operator=(const SheetThread &) = delete;

  // Opens the sheet with this callback; true once the sheet and its first page exist.
  bool Open(SheetCallback callback, void *context);
  // Cancels the sheet and waits for its thread; what CommonPropertySheetUIW returned is kept.
  void Close();

  HWND Sheet() const { return sheet_; }
  HWND Page() const { return page_; }
  LONG SheetResult() const { return sheetResult_; }
  DWORD SheetExitCode() const { return exitCode_; }

  int TabCount();
  std::string TabTitle(int index = 0);

  // Queues the button that answers the next message box (else Yes, or OK).
  void Answer(int button);
  std::vector<ShownBox> TakeBoxes();

  // The context of the sheet whose callback is running on this thread.
  static void *Context();

 private:
  static DWORD WINAPI Run(LPVOID self);
  static LRESULT CALLBACK AfterMessage(int code, WPARAM wParam, LPARAM lParam);
  void AnswerBox(HWND box);

  SheetCallback callback_ = nullptr;
  void *context_ = nullptr;
  HANDLE ready_;
  HANDLE thread_ = nullptr;
  HWND sheet_ = nullptr;
  HWND page_ = nullptr;
  LONG sheetResult_ = 0;
  DWORD exitCode_ = 0;
  std::mutex lock_;
  std::deque<int> answers_;
  std::vector<ShownBox> boxes_;
};

// A sheet of one page under a caption, as a printer driver's UI gives it to the common property-sheet UI: open it
// with SheetThread::Open(OnePageSheet::Callback, &sheet).
struct OnePageSheet {
  PROPSHEETPAGEW page;  // added as it is
  WString caption;
  static LONG CALLBACK Callback(PPROPSHEETUI_INFO info, LPARAM lParam);
};

// Window texts as UTF-8.
std::string WindowText(HWND window);

}  // namespace sheet_harness
