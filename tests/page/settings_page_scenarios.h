// The Printer Settings page as the operator uses it, written once against the page's controls and messages and run
// on both sides: on Linux against the emulated windows, under Wine against a real property sheet. A PageHost opens
// the page the way its side's property sheet does, answers and records the message boxes, and tells what reached
// the printer.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "platform/platform.h"
#include "tests/support/test_machine.h"

namespace page_scenarios {

struct ShownBox {
  std::string text;
  std::string caption;
  UINT style = 0;  // buttons and icon, as MB_ flags
};

struct SentJob {
  bool sent = false;
  std::vector<BYTE> bytes;
};

class PageHost {
 public:
  virtual ~PageHost() = default;
  // Opens the page on a property sheet with this caption; false when no page could be had.
  virtual bool Open(const WString &caption) = 0;
  // Closes the sheet, and with it the page.
  virtual void Close() = 0;
  virtual HWND Page() const = 0;
  // The title of the page's tab on the sheet.
  virtual std::string TabTitle() = 0;
  // Queues the button that answers the next message box.
  virtual void Answer(int button) = 0;
  // The message boxes shown since the last take.
  virtual std::vector<ShownBox> TakeBoxes() = 0;
  // The job that reached the printer since the last take.
  virtual SentJob TakeJob() = 0;
};

// The module's texts in the language the page is shown in, and the settings file's texts in the language the
// catalogue is loaded in (the same language in every run here).
struct Texts {
  bool chinese;
  const char *tabTitle;
  const char *resetAll;
  const char *setCurrent;
  const char *setAll;
  const char *allSent;
  const char *oneSent;
  const char *failed;
  const char *jobWritten;  // followed by the job file's path
  const char *question;
  const char *calibrated;
  const char *calibrationTitle;
  const char *defaultLabel;
  // From the settings file below.
  std::vector<std::string> classes;
  std::vector<std::string> printItems;
  std::vector<std::string> densityOptions;
  const char *densityNote;
};

const Texts &TextsIn(bool chinese);

// The printer the scenarios use, its driver and that driver's settings file. The file is UTF-8, which the settings
// reader takes whatever the system's code page.
const WString &Printer();
const WString &Driver();

// Section Print: Density (single choice, default Normal), Mode (two options share each value), Keep (an option of
// value -1, a default no option has). Section Paper: Sizes (multi-choice over 26 options, default rows 0 and 2),
// and an item whose title is longer than the page shows. Section Empty: no items. Every command ends with 0D and
// every job is framed by 1B 45 ... 1B 53.
std::string SettingsFile();

// Byte strings as the tests write them: "1B 45 ...".
std::vector<BYTE> Bytes(const std::string &hex);
using testing_machine::Hex;

// What Set All sends for the file's defaults.
std::string DefaultSetAll();

// --- Driving the page the way the operator's clicks reach it ---------------------------------------------------

HWND Control(HWND page, int id);
void Notify(HWND page, int id, WORD code);
void ChooseClass(HWND page, int row);
void ChooseItem(HWND page, int row);
void ChooseSingle(HWND page, int row);

// A click on a row of the multi-choice list toggles it.
void ToggleMulti(HWND page, int row);
void Click(HWND page, int id);

// --- Reading the page back ---------------------------------------------------------------------------------------

std::string WindowText(HWND window);
std::vector<std::string> ListRows(HWND list);
std::vector<std::string> ComboRows(HWND combo);
std::vector<int> SelectedRows(HWND list);
LRESULT CurrentRow(HWND list);
std::string Hint(HWND page);
std::string HintWithDefault(const Texts &t, const std::string &note, const std::string &option);
bool Visible(HWND page, int id);

// Which option list the page shows: 1009, 1004, or 0 when it shows neither.
int VisibleOptionList(HWND page);

// --- Running a scenario ------------------------------------------------------------------------------------------

// A printer of that name, added with the driver unless it is there already.
bool EnsurePrinter(const WString &printer, const WString &driver);

struct Run {
  PageHost &host;
  const Texts &t;
  HWND page = nullptr;
  WString printer;

  // A fresh page of a printer: its driver's settings file written anew (or none at all), the sheet captioned
  // "<printer> Properties".
  bool OpenPage(const WString &name = Printer(), bool withFile = true);

  // Presses a button and expects exactly one message box, which it returns.
  ShownBox Press(int id, int answer = IDOK);

  void ExpectSent(int id, const std::string &bytes, const char *message);

  void ExpectFailed(int id);
};

struct Scenario {
  const char *name;
  void (*run)(Run &);
};

inline void PrintTo(const Scenario &scenario, std::ostream *out) { *out << scenario.name; }

// Every scenario, in the order the suites run them.
const std::vector<Scenario> &All();

// Runs one scenario on a freshly opened page and closes it; the catalogue registry is empty afterwards.
void RunScenario(PageHost &host, bool chinese, const Scenario &scenario);

}  // namespace page_scenarios
