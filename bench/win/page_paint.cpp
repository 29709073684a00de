#include "bench/win/page_paint.h"

#include "bench/win/clock.h"

#include <prsht.h>

#include "catalogue/settings_location.h"
#include "page/settings_page.h"
#include "resources/resource.h"
#include "tests/wine/sheet_harness.h"

namespace bench {
namespace {

double Now() { return NowMilliseconds(); }

// What the page's callbacks on the sheet thread note down for the thread that waits; one sheet at a time.
struct Marks {
  double created = 0, initStart = 0, initEnd = 0, painted = 0;
  int classes = 0;
  HANDLE paintedEvent = nullptr;
};
Marks marks;

UINT CALLBACK PageCallback(HWND, UINT message, LPPROPSHEETPAGEW) {
  if (message == PSPCB_CREATE) marks.created = Now();
  return 1;
}

// The page's own procedure, with its first WM_PAINT done here: the page and every control with something to show
// are painted before the time is taken.
INT_PTR CALLBACK TimedPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT && marks.painted == 0) {
    DefWindowProcW(page, WM_PAINT, wParam, lParam);
    RedrawWindow(page, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    marks.painted = Now();
    marks.classes = int(SendDlgItemMessageW(page, IDC_CLASS_LIST, CB_GETCOUNT, 0, 0));
    SetEvent(marks.paintedEvent);
    return TRUE;
  }
  if (message != WM_INITDIALOG) return PrinterSettingsPageProc(page, message, wParam, lParam);
  marks.initStart = Now();
  INT_PTR result = PrinterSettingsPageProc(page, message, wParam, lParam);
  marks.initEnd = Now();
  return result;
}

}  // namespace

PaintPrinter AddPaintPrinter(const std::wstring &printer, const std::wstring &driver, const std::string &settingsBytes) {
  PaintPrinter result{printer, {}, {}};
  if (!testing_machine::AddTestPrinter(printer, driver)) {
    result.error = "the spooler would not add the printer";
    return result;
  }
  testing_machine::WriteSettingsFile(driver, settingsBytes);
  WCHAR path[kPathChars];
  if (!LocateSettingsFile(printer.c_str(), path)) {
    result.error = "the plug-in does not find the printer's settings file";
    return result;
  }
  result.settingsPath = path;
  return result;
}

bool OpenPageUntilPainted(const std::wstring &printer, PaintTime &time) {
  if (!marks.paintedEvent) marks.paintedEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!marks.paintedEvent) return false;
  ResetEvent(marks.paintedEvent);
  marks = Marks{0, 0, 0, 0, 0, marks.paintedEvent};

  sheet_harness::OnePageSheet sheet;
  sheet.page = {};
  sheet.page.dwSize = sizeof(sheet.page);
  sheet.page.dwFlags = PSP_USECALLBACK;
  sheet.page.hInstance = GetModuleHandleW(nullptr);
  sheet.page.pszTemplate = MAKEINTRESOURCEW(IDD_PRINTER_SETTINGS);
  sheet.page.pfnDlgProc = TimedPageProc;
  sheet.page.pfnCallback = PageCallback;
  sheet.caption = printer + L" Properties";

  sheet_harness::SheetThread thread;
  const double start = Now();
  bool painted = thread.Open(sheet_harness::OnePageSheet::Callback, &sheet) &&
                 WaitForSingleObject(marks.paintedEvent, 30000) == WAIT_OBJECT_0;
  thread.Close();
  if (!painted || marks.created == 0) return false;
  time.pageToPaint = marks.painted - marks.created;
  time.sheetToPaint = marks.painted - start;
  time.classesShown = marks.classes;
  time.pageToInit = marks.initStart - marks.created;
  time.init = marks.initEnd - marks.initStart;
  return true;
}

}  // namespace bench
