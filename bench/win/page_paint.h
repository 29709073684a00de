// The Printer Settings page opened on a real sheet of the platform's common property-sheet UI (the Wine suites'
// sheet harness), timed from the moment the sheet creates the page to the end of its first paint.
#pragma once

#include <string>

#include "platform/platform.h"

namespace bench {

// A printer of the spooler whose driver's settings file holds `settingsBytes`; the page finds it by the sheet's
// caption. Empty `error` when it is ready.
struct PaintPrinter {
  std::wstring name;
  std::wstring settingsPath;  // as the plug-in locates it
  std::string error;
};
PaintPrinter AddPaintPrinter(const std::wstring &printer, const std::wstring &driver, const std::string &settingsBytes);

// One opening of the page: milliseconds from the page's creation (PSPCB_CREATE) to the end of its first WM_PAINT,
// its controls painted with it; and from the start of the sheet to the same point. False when the sheet did not
// open or the page did not paint within 30 seconds.
struct PaintTime {
  double pageToPaint = 0, sheetToPaint = 0;
  double pageToInit = 0;  // the page's dialog and controls made, up to WM_INITDIALOG
  double init = 0;        // WM_INITDIALOG: the catalogue opened and the lists filled
  int classesShown = 0;  // entries of the page's class list once painted
};
bool OpenPageUntilPainted(const std::wstring &printer, PaintTime &time);

}  // namespace bench
