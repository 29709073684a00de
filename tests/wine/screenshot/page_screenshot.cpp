// Shows the Printer Settings page of a settings file on a sheet of the platform's common property-sheet UI, for
// scripts/screenshot, which runs it under Wine on a virtual X display: prints "SHEET x y w h" once the sheet is up at
// the display's top left corner, keeps it up for the seconds asked, then closes it.
//   page_screenshot.exe SETTINGS-FILE [SECONDS]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "page/settings_page.h"
#include "resources/resource.h"
#include "tests/page/settings_page_scenarios.h"
#include "tests/wine/sheet_harness.h"

int main(int argc, char **argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: page_screenshot SETTINGS-FILE [SECONDS]\n");
    return 2;
  }
  std::string bytes;
  const WString path = sheet_harness::DosPath(argv[1]);
  if (path.empty() || !sheet_harness::ReadWholeFile(path, bytes)) {
    std::fprintf(stderr, "page_screenshot: cannot read %s\n", argv[1]);
    return 1;
  }
  const WString printer = L"Office Laser 300", driver = L"Generic Office Laser 300";
  if (!page_scenarios::EnsurePrinter(printer, driver)) {
    std::fprintf(stderr, "page_screenshot: the printer could not be added\n");
    return 1;
  }
  testing_machine::WriteSettingsFile(driver, bytes);

  sheet_harness::OnePageSheet page;
  page.page.dwSize = sizeof(page.page);
  page.page.hInstance = GetModuleHandleW(nullptr);
  page.page.pszTemplate = MAKEINTRESOURCEW(IDD_PRINTER_SETTINGS);
  page.page.pfnDlgProc = PrinterSettingsPageProc;
  page.caption = printer + L" Properties";
  sheet_harness::SheetThread sheet;
  if (!sheet.Open(sheet_harness::OnePageSheet::Callback, &page)) {
    std::fprintf(stderr, "page_screenshot: the sheet did not open\n");
    return 1;
  }
  SetWindowPos(sheet.Sheet(), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  RECT place = {};
  GetWindowRect(sheet.Sheet(), &place);
  std::printf("SHEET %ld %ld %ld %ld\n", place.left, place.top, place.right - place.left, place.bottom - place.top);
  std::fflush(stdout);
  Sleep(DWORD(argc > 2 ? std::atoi(argv[2]) : 5) * 1000);
  sheet.Close();
  return 0;
}
