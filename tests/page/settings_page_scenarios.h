// The Printer Settings page as the operator uses it, written once against the page's controls and messages and run
// on both sides: on Linux against the emulated windows, under Wine against a real property sheet. A PageHost opens
// the page the way its side's property sheet does, answers and records the message boxes, and tells what reached
// the printer.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "catalogue/registry.h"
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

inline const Texts &TextsIn(bool chinese) {
  static const Texts english{
      false,
      "Printer Settings",
      "Reset All",
      "Set Current",
      "Set All",
      "All setting commands have been sent to the printer !",
      "The setting command has been sent to the printer !",
      "That some error while sending commands , please retry !",
      "Sure to reset the whole menu in the driver Printer Setting label?\r\n(Note:The settings worn't be sent to the "
      "printer until the \"Set All\" button is clicked.)",
      "Printer has been calibrated.",
      "OEM UI Customization DLL",
      "Default",
      {"Print quality", "Paper"},
      {"Density", "Mode", "Keep"},
      {"Light", "Normal", "Dark"},
      "Darker print uses more toner."};
  static const Texts chineseTexts{
      true,
      "打印机设置",
      "重置所有项为默认值",
      "设置当前项",
      "设置所有项",
      "已将所有设置命令发送到打印机。",
      "已经发送指定的设置命令到打印机。",
      "命令发送过程出错，请稍后再试！",
      "你确定需要将所有设置选项重置为默认值吗？\r\n此操作不会改变打印机设置。",
      "打印机已经被调整。",
      "OEM UI 自定义DLL",
      "默认值",
      {"打印质量", "纸张"},
      {"浓度", "模式", "保持"},
      {"浅", "标准", "深"},
      "浓度越高，耗粉越多。"};
  return chinese ? chineseTexts : english;
}

// The printer the scenarios use, its driver and that driver's settings file. The file is UTF-8, which the settings
// reader takes whatever the system's code page.
inline const WString &Printer() {
  static const WString name = Wide("Page Test Printer");
  return name;
}
inline const WString &Driver() {
  static const WString name = Wide("Prnset PageTest");
  return name;
}

// Section Print: Density (single choice, default Normal), Mode (two options share each value), Keep (an option of
// value -1, a default no option has). Section Paper: Sizes (multi-choice over 26 options, default rows 0 and 2),
// and an item whose title is longer than the page shows. Section Empty: no items. Every command ends with 0D and
// every job is framed by 1B 45 ... 1B 53.
inline std::string SettingsFile() {
  std::string sizes;
  for (int k = 0; k < 26; ++k) sizes += (k ? " " : "") + std::to_string(k) + "=" + std::string(1, char('A' + k));
  std::string text =
      "[SectionNames]\nSectionCount=3\nSection01=Print\nSection02=Paper\nSection03=Empty\n"
      "EnterInstruction=1B 45\nSaveInstruction=1B 53\nInstructionTail=0D\nParameterRule=High256\n"
      "[Section01]\nItemCount=3\nItem01=Density\nItem01Instruction=1B 44\nItem02=Mode\nItem02Instruction=1B 4D\n"
      "Item03=Keep\nItem03Instruction=1B 4B\n"
      "[Section02]\nItemCount=2\nItem01=Sizes\nItem01Instruction=1B 5A\nItem01ParameterCount=3\n"
      "Item02=Offset\nItem02Instruction=1B 4F\n"
      "[Section03]\nItemCount=0\n"
      "[Print_Lang_EN]\nTitle=Print quality\nDensity_Title=Density\nDensity_Note=Darker print uses more toner.\n"
      "Mode_Title=Mode\nMode_Note=How the page is laid down.\nKeep_Title=Keep\nKeep_Note=What stays as it is.\n"
      "[Print_Lang_CN]\nTitle=打印质量\nDensity_Title=浓度\nDensity_Note=浓度越高，耗粉越多。\n"
      "Mode_Title=模式\nMode_Note=页面的打印方式。\nKeep_Title=保持\nKeep_Note=保持不变的设置。\n"
      "[Print_Rule_EN]\nDensity_RuleType=Enum\nDensity_Rule=0=Light 1=Normal 2=Dark\n"
      "Mode_RuleType=Enum\nMode_Rule=1=Fast 2=Fine 1=Quick 2=Best\n"
      "Keep_RuleType=Enum\nKeep_Rule=-1=Leave 5=Five 6=Six\n"
      "[Print_Rule_CN]\nDensity_RuleType=Enum\nDensity_Rule=0=浅 1=标准 2=深\n"
      "Mode_RuleType=Enum\nMode_Rule=1=快速 2=精细 1=迅速 2=最佳\n"
      "Keep_RuleType=Enum\nKeep_Rule=-1=不变 5=五 6=六\n"
      "[Print_Default]\nDensity=1\nMode=2\nKeep=9\n"
      "[Paper_Lang_EN]\nTitle=Paper\nSizes_Title=Sizes\nSizes_Note=Choose one or more.\n"
      "Offset_Title=Offset of the printed page from the top edge of the sheet\nOffset_Note=Millimetres.\n"
      "[Paper_Lang_CN]\nTitle=纸张\nSizes_Title=尺寸\nSizes_Note=可选一个或多个。\n"
      "Offset_Title=Offset of the printed page from the top edge of the sheet\nOffset_Note=毫米。\n"
      "[Paper_Rule_EN]\nSizes_RuleType=Enum\nSizes_Rule=" + sizes + "\nOffset_RuleType=Enum\nOffset_Rule=0=None 1=One\n"
      "[Paper_Rule_CN]\nSizes_RuleType=Enum\nSizes_Rule=" + sizes + "\nOffset_RuleType=Enum\nOffset_Rule=0=无 1=一\n"
      "[Paper_Default]\nSizes=10485760\nOffset=1\n"
      "[Empty_Lang_EN]\nTitle=A class of settings that has no items at all in this file, none\n"
      "[Empty_Lang_CN]\nTitle=A class of settings that has no items at all in this file, none\n";
  return text;
}

// Byte strings as the tests write them: "1B 45 ...".
inline std::vector<BYTE> Bytes(const std::string &hex) {
  std::vector<BYTE> out;
  for (size_t i = 0; i + 1 < hex.size();) {
    if (hex[i] == ' ') {
      ++i;
      continue;
    }
    out.push_back(BYTE(std::stoi(hex.substr(i, 2), nullptr, 16)));
    i += 2;
  }
  return out;
}

inline std::string Hex(const std::vector<BYTE> &bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (BYTE b : bytes) {
    if (!out.empty()) out += ' ';
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out;
}

// What Set All sends for the file's defaults.
inline std::string DefaultSetAll() {
  return "1B 45 1B 44 01 0D 1B 4D 02 0D 1B 4B 09 0D 1B 5A A0 00 00 0D 1B 4F 01 0D 1B 53";
}

// --- Driving the page the way the operator's clicks reach it ---------------------------------------------------

inline HWND Control(HWND page, int id) { return GetDlgItem(page, id); }

inline void Notify(HWND page, int id, WORD code) {
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Control(page, id)));
}

inline void ChooseClass(HWND page, int row) {
  SendMessageW(Control(page, IDC_CLASS_LIST), CB_SETCURSEL, WPARAM(row), 0);
  Notify(page, IDC_CLASS_LIST, CBN_SELENDOK);
}

inline void ChooseItem(HWND page, int row) {
  SendMessageW(Control(page, IDC_ITEM_LIST), LB_SETCURSEL, WPARAM(row), 0);
  Notify(page, IDC_ITEM_LIST, LBN_SELCHANGE);
}

inline void ChooseSingle(HWND page, int row) {
  SendMessageW(Control(page, IDC_SINGLE_OPTIONS), LB_SETCURSEL, WPARAM(row), 0);
  Notify(page, IDC_SINGLE_OPTIONS, LBN_SELCHANGE);
}

// A click on a row of the multi-choice list toggles it.
inline void ToggleMulti(HWND page, int row) {
  HWND list = Control(page, IDC_MULTI_OPTIONS);
  LRESULT selected = SendMessageW(list, LB_GETSEL, WPARAM(row), 0);
  SendMessageW(list, LB_SETSEL, selected > 0 ? FALSE : TRUE, LPARAM(row));
  Notify(page, IDC_MULTI_OPTIONS, LBN_SELCHANGE);
}

inline void Click(HWND page, int id) { SendMessageW(Control(page, id), BM_CLICK, 0, 0); }

// --- Reading the page back ---------------------------------------------------------------------------------------

inline std::string WindowText(HWND window) {
  WCHAR text[600] = {};
  GetWindowTextW(window, text, ARRAYSIZE(text));
  return Utf8(text);
}

inline std::vector<std::string> ListRows(HWND list) {
  std::vector<std::string> rows;
  LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    WString text(size_t(SendMessageW(list, LB_GETTEXTLEN, WPARAM(i), 0)) + 1, 0);
    SendMessageW(list, LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(&text[0]));
    rows.push_back(Utf8(text.c_str()));
  }
  return rows;
}

inline std::vector<std::string> ComboRows(HWND combo) {
  std::vector<std::string> rows;
  LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    WString text(size_t(SendMessageW(combo, CB_GETLBTEXTLEN, WPARAM(i), 0)) + 1, 0);
    SendMessageW(combo, CB_GETLBTEXT, WPARAM(i), reinterpret_cast<LPARAM>(&text[0]));
    rows.push_back(Utf8(text.c_str()));
  }
  return rows;
}

inline std::vector<int> SelectedRows(HWND list) {
  std::vector<int> rows;
  LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i)
    if (SendMessageW(list, LB_GETSEL, WPARAM(i), 0) > 0) rows.push_back(int(i));
  return rows;
}

inline LRESULT CurrentRow(HWND list) { return SendMessageW(list, LB_GETCURSEL, 0, 0); }

inline std::string Hint(HWND page) { return WindowText(Control(page, IDC_HINTS)); }

inline std::string HintWithDefault(const Texts &t, const std::string &note, const std::string &option) {
  return note + " \r\n* " + t.defaultLabel + " = " + option + " *";
}

inline bool Visible(HWND page, int id) { return IsWindowVisible(Control(page, id)) != FALSE; }

// Which option list the page shows: 1009, 1004, or 0 when it shows neither.
inline int VisibleOptionList(HWND page) {
  bool single = Visible(page, IDC_SINGLE_OPTIONS), multi = Visible(page, IDC_MULTI_OPTIONS);
  if (single && multi) return -1;  // never right
  return single ? IDC_SINGLE_OPTIONS : multi ? IDC_MULTI_OPTIONS : 0;
}

// --- The scenarios -----------------------------------------------------------------------------------------------

// A printer of that name, added with the driver unless it is there already.
inline bool EnsurePrinter(const WString &printer, const WString &driver) {
  if (testing_machine::AddTestPrinter(printer, driver)) return true;
  HANDLE handle = nullptr;
  if (!OpenPrinterW(const_cast<LPWSTR>(printer.c_str()), &handle, nullptr)) return false;
  ClosePrinter(handle);
  return true;
}

struct Run {
  PageHost &host;
  const Texts &t;
  HWND page = nullptr;
  WString printer;

  // A fresh page of a printer: its driver's settings file written anew (or none at all), the sheet captioned
  // "<printer> Properties".
  bool OpenPage(const WString &name = Printer(), bool withFile = true) {
    printer = name;
    if (!EnsurePrinter(name, withFile ? Driver() : Wide("Prnset NoSettingsFile"))) return false;
    if (withFile) testing_machine::WriteSettingsFile(Driver(), SettingsFile());
    if (!host.Open(name + Wide(" Properties"))) return false;
    page = host.Page();
    host.TakeBoxes();
    host.TakeJob();
    return page != nullptr;
  }

  // Presses a button and expects exactly one message box, which it returns.
  ShownBox Press(int id, int answer = IDOK) {
    host.Answer(answer);
    Click(page, id);
    std::vector<ShownBox> boxes = host.TakeBoxes();
    EXPECT_EQ(boxes.size(), 1u) << "button " << id;
    return boxes.empty() ? ShownBox() : boxes.front();
  }

  void ExpectSent(int id, const std::string &bytes, const char *message) {
    ShownBox box = Press(id);
    EXPECT_EQ(box.text, message);
    EXPECT_EQ(box.caption, Utf8(printer));
    EXPECT_EQ(box.style, UINT(MB_OK));
    SentJob job = host.TakeJob();
    EXPECT_TRUE(job.sent) << "button " << id;
    EXPECT_EQ(Hex(job.bytes), bytes);
  }

  void ExpectFailed(int id) {
    ShownBox box = Press(id);
    EXPECT_EQ(box.text, t.failed);
    EXPECT_EQ(box.caption, Utf8(printer));
    EXPECT_EQ(box.style, UINT(MB_OK | MB_ICONERROR));
    EXPECT_FALSE(host.TakeJob().sent) << "button " << id;
  }
};

// The page as it opens: the template's texts in the UI language, the classes, the first class's items and the first
// item's options with its value selected and its default named in the hint.
inline void OpensOnTheFirstItem(Run &r) {
  const Texts &t = r.t;
  EXPECT_EQ(r.host.TabTitle(), t.tabTitle);
  EXPECT_EQ(WindowText(Control(r.page, IDC_RESET_ALL)), t.resetAll);
  EXPECT_EQ(WindowText(Control(r.page, IDC_SET_CURRENT)), t.setCurrent);
  EXPECT_EQ(WindowText(Control(r.page, IDC_SET_ALL)), t.setAll);

  std::vector<std::string> classes = ComboRows(Control(r.page, IDC_CLASS_LIST));
  ASSERT_EQ(classes.size(), 3u);
  EXPECT_EQ(classes[0], t.classes[0]);
  EXPECT_EQ(classes[1], t.classes[1]);
  EXPECT_EQ(SendMessageW(Control(r.page, IDC_CLASS_LIST), CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(ListRows(Control(r.page, IDC_ITEM_LIST)), t.printItems);
  EXPECT_EQ(CurrentRow(Control(r.page, IDC_ITEM_LIST)), 0);
  EXPECT_EQ(SendMessageW(Control(r.page, IDC_ITEM_LIST), LB_GETITEMDATA, 0, 0), 1);

  EXPECT_EQ(VisibleOptionList(r.page), IDC_SINGLE_OPTIONS);
  EXPECT_EQ(ListRows(Control(r.page, IDC_SINGLE_OPTIONS)), t.densityOptions);
  EXPECT_EQ(CurrentRow(Control(r.page, IDC_SINGLE_OPTIONS)), 1);
  EXPECT_EQ(Hint(r.page), HintWithDefault(t, t.densityNote, t.densityOptions[1]));
  EXPECT_TRUE(r.host.TakeBoxes().empty());
  EXPECT_FALSE(r.host.TakeJob().sent);
}

// Titles of 50 characters or more are shown cut to 49, in the class list and in the item list.
inline void CutsLongTitles(Run &r) {
  std::vector<std::string> classes = ComboRows(Control(r.page, IDC_CLASS_LIST));
  ASSERT_EQ(classes.size(), 3u);
  EXPECT_EQ(classes[2], std::string("A class of settings that has no items at all in this file, none").substr(0, 49));
  ChooseClass(r.page, 1);
  std::vector<std::string> items = ListRows(Control(r.page, IDC_ITEM_LIST));
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[1], std::string("Offset of the printed page from the top edge of the sheet").substr(0, 49));
}

// The class list acts on CBN_SELENDOK only; the first item of the chosen class is shown. A multi-choice item shows
// list 1004 with the rows of its bit mask selected, never a row from 24 on.
inline void ChoosingAClassShowsItsItems(Run &r) {
  HWND classes = Control(r.page, IDC_CLASS_LIST);
  SendMessageW(classes, CB_SETCURSEL, 1, 0);
  Notify(r.page, IDC_CLASS_LIST, CBN_SELCHANGE);
  EXPECT_EQ(ListRows(Control(r.page, IDC_ITEM_LIST)), r.t.printItems) << "CBN_SELCHANGE changed the page";

  Notify(r.page, IDC_CLASS_LIST, CBN_SELENDOK);
  std::vector<std::string> items = ListRows(Control(r.page, IDC_ITEM_LIST));
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0], r.t.chinese ? "尺寸" : "Sizes");
  EXPECT_EQ(CurrentRow(Control(r.page, IDC_ITEM_LIST)), 0);
  EXPECT_EQ(SendMessageW(Control(r.page, IDC_ITEM_LIST), LB_GETITEMDATA, 0, 0), 3);
  EXPECT_EQ(VisibleOptionList(r.page), IDC_MULTI_OPTIONS);
  HWND multi = Control(r.page, IDC_MULTI_OPTIONS);
  EXPECT_EQ(SendMessageW(multi, LB_GETCOUNT, 0, 0), 26);
  EXPECT_EQ(SelectedRows(multi), (std::vector<int>{0, 2}));
  EXPECT_EQ(Hint(r.page), r.t.chinese ? "可选一个或多个。" : "Choose one or more.");

  // Back to a single-choice item: the lists swap again.
  ChooseItem(r.page, 1);
  EXPECT_EQ(VisibleOptionList(r.page), IDC_SINGLE_OPTIONS);
  EXPECT_EQ(CurrentRow(Control(r.page, IDC_SINGLE_OPTIONS)), 1);
}

// Choosing an option stores it; Set Current sends what the list shows; showing the item again shows the choice.
inline void SetCurrentSendsTheChosenOption(Run &r) {
  ChooseSingle(r.page, 2);
  r.ExpectSent(IDC_SET_CURRENT, "1B 45 1B 44 02 0D 1B 53", r.t.oneSent);
  ChooseItem(r.page, 1);
  ChooseItem(r.page, 0);
  EXPECT_EQ(CurrentRow(Control(r.page, IDC_SINGLE_OPTIONS)), 2);
  EXPECT_EQ(Hint(r.page), HintWithDefault(r.t, r.t.densityNote, r.t.densityOptions[1])) << "the hint names the default";
}

// Two options with the value of CurrentValue: the later is selected; two with DefaultValue: the later is named.
inline void LaterEqualValuesWin(Run &r) {
  ChooseItem(r.page, 1);
  EXPECT_EQ(CurrentRow(Control(r.page, IDC_SINGLE_OPTIONS)), 3);
  EXPECT_EQ(Hint(r.page), HintWithDefault(r.t, r.t.chinese ? "页面的打印方式。" : "How the page is laid down.",
                                          r.t.chinese ? "最佳" : "Best"));
}

// A value no option has: no row selected, the note alone as the hint, and Set Current sends nothing. An option of
// value -1 keeps the old value, though Set Current sends the -1 it shows.
inline void ValuesWithoutAnOption(Run &r) {
  ChooseItem(r.page, 2);
  EXPECT_EQ(CurrentRow(Control(r.page, IDC_SINGLE_OPTIONS)), LB_ERR);
  EXPECT_EQ(Hint(r.page), r.t.chinese ? "保持不变的设置。" : "What stays as it is.");
  r.ExpectFailed(IDC_SET_CURRENT);

  ChooseSingle(r.page, 0);
  r.ExpectSent(IDC_SET_CURRENT, "1B 45 1B 4B FF 0D 1B 53", r.t.oneSent);
  ChooseItem(r.page, 0);
  ChooseItem(r.page, 2);
  EXPECT_EQ(CurrentRow(Control(r.page, IDC_SINGLE_OPTIONS)), LB_ERR) << "the value changed to -1";
  r.ExpectSent(IDC_SET_ALL, DefaultSetAll(), r.t.allSent);
}

// The multi-choice value is the bit mask of the selected rows: row 23 alone is 1; rows from 24 on add nothing.
inline void MultiChoiceMask(Run &r) {
  ChooseClass(r.page, 1);
  ToggleMulti(r.page, 0);
  ToggleMulti(r.page, 2);
  ToggleMulti(r.page, 23);
  r.ExpectSent(IDC_SET_CURRENT, "1B 45 1B 5A 00 00 01 0D 1B 53", r.t.oneSent);
  ToggleMulti(r.page, 24);
  ToggleMulti(r.page, 25);
  r.ExpectSent(IDC_SET_CURRENT, "1B 45 1B 5A 00 00 01 0D 1B 53", r.t.oneSent);
  ChooseItem(r.page, 1);
  ChooseItem(r.page, 0);
  EXPECT_EQ(SelectedRows(Control(r.page, IDC_MULTI_OPTIONS)), (std::vector<int>{23}));
  // No row at all is the mask 0, which is still a command.
  ToggleMulti(r.page, 23);
  r.ExpectSent(IDC_SET_CURRENT, "1B 45 1B 5A 00 00 00 0D 1B 53", r.t.oneSent);
}

// Set All sends every item's value in one job; Reset All asks first, No keeps the choices, Yes restores every
// default and shows the selected item again, and sends nothing.
inline void SetAllAndResetAll(Run &r) {
  r.ExpectSent(IDC_SET_ALL, DefaultSetAll(), r.t.allSent);
  ChooseSingle(r.page, 2);

  ShownBox question = r.Press(IDC_RESET_ALL, IDNO);
  EXPECT_EQ(question.text, r.t.question);
  EXPECT_EQ(question.caption, Utf8(r.printer));
  EXPECT_EQ(question.style, UINT(MB_YESNO | MB_ICONQUESTION));
  EXPECT_EQ(CurrentRow(Control(r.page, IDC_SINGLE_OPTIONS)), 2);
  r.ExpectSent(IDC_SET_ALL, "1B 45 1B 44 02 0D 1B 4D 02 0D 1B 4B 09 0D 1B 5A A0 00 00 0D 1B 4F 01 0D 1B 53",
               r.t.allSent);

  ChooseClass(r.page, 1);
  ToggleMulti(r.page, 5);
  ChooseClass(r.page, 0);
  r.Press(IDC_RESET_ALL, IDYES);
  EXPECT_FALSE(r.host.TakeJob().sent) << "Reset All sent something";
  EXPECT_EQ(CurrentRow(Control(r.page, IDC_SINGLE_OPTIONS)), 1);
  r.ExpectSent(IDC_SET_ALL, DefaultSetAll(), r.t.allSent);
}

// Closing the page releases its catalogue; a new page starts from the file's defaults.
inline void ReopeningStartsFromDefaults(Run &r) {
  ChooseSingle(r.page, 2);
  EXPECT_NE(FindCatalogue(Printer().c_str()), nullptr);
  r.host.Close();
  EXPECT_EQ(FindCatalogue(Printer().c_str()), nullptr);
  ASSERT_TRUE(r.OpenPage());
  EXPECT_EQ(CurrentRow(Control(r.page, IDC_SINGLE_OPTIONS)), 1);
}

// A class without items: empty item list, both option lists empty and hidden, the hint as it was; Set Current sends
// nothing, Reset All still resets.
inline void ClassWithoutItems(Run &r) {
  ChooseSingle(r.page, 2);
  std::string hint = Hint(r.page);
  ChooseClass(r.page, 2);
  EXPECT_TRUE(ListRows(Control(r.page, IDC_ITEM_LIST)).empty());
  EXPECT_EQ(CurrentRow(Control(r.page, IDC_ITEM_LIST)), LB_ERR);
  EXPECT_EQ(VisibleOptionList(r.page), 0);
  EXPECT_TRUE(ListRows(Control(r.page, IDC_SINGLE_OPTIONS)).empty());
  EXPECT_TRUE(ListRows(Control(r.page, IDC_MULTI_OPTIONS)).empty());
  EXPECT_EQ(Hint(r.page), hint);
  r.ExpectFailed(IDC_SET_CURRENT);
  r.Press(IDC_RESET_ALL, IDYES);
  EXPECT_EQ(VisibleOptionList(r.page), 0);
  r.ExpectSent(IDC_SET_ALL, DefaultSetAll(), r.t.allSent);
}

// A printer whose driver has no settings file: no classes, nothing selected, the template's hint, and both sends
// fail.
inline void PrinterWithoutSettingsFile(Run &r) {
  r.host.Close();
  ASSERT_TRUE(r.OpenPage(Wide("Page Test Printer Without File"), false));
  EXPECT_TRUE(ComboRows(Control(r.page, IDC_CLASS_LIST)).empty());
  EXPECT_EQ(SendMessageW(Control(r.page, IDC_CLASS_LIST), CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_TRUE(ListRows(Control(r.page, IDC_ITEM_LIST)).empty());
  EXPECT_EQ(VisibleOptionList(r.page), 0);
  EXPECT_EQ(Hint(r.page), "Hints :");
  r.ExpectFailed(IDC_SET_CURRENT);
  r.ExpectFailed(IDC_SET_ALL);
  r.Press(IDC_RESET_ALL, IDYES);
  EXPECT_EQ(Hint(r.page), "Hints :");
}

// Command 1001, which no control bears: string 2 under string 3.
inline void CalibrationCommand(Run &r) {
  r.host.Answer(IDOK);
  SendMessageW(r.page, WM_COMMAND, MAKEWPARAM(IDC_CALIBRATE, BN_CLICKED), 0);
  std::vector<ShownBox> boxes = r.host.TakeBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, r.t.calibrated);
  EXPECT_EQ(boxes[0].caption, r.t.calibrationTitle);
  EXPECT_EQ(boxes[0].style, UINT(MB_OK));
  EXPECT_FALSE(r.host.TakeJob().sent);
}

// The printer's name is the caption before its last blank: blanks inside it stay, and a name longer than the
// catalogue's own field still finds its catalogue and its printer.
inline void NamesWithBlanksAndLongNames(Run &r) {
  // Printer names hold no commas on the platform.
  const WString longName = Wide("Printer on the second floor next to the kitchen with two trays and a stapler");
  r.host.Close();
  ASSERT_TRUE(r.OpenPage(longName));
  EXPECT_NE(FindCatalogue(longName.c_str()), nullptr);
  EXPECT_EQ(ComboRows(Control(r.page, IDC_CLASS_LIST)).size(), 3u) << "the settings file was not found";
  r.ExpectSent(IDC_SET_ALL, DefaultSetAll(), r.t.allSent);
  r.host.Close();
  EXPECT_EQ(FindCatalogue(longName.c_str()), nullptr);
}

struct Scenario {
  const char *name;
  void (*run)(Run &);
};

inline void PrintTo(const Scenario &scenario, std::ostream *out) { *out << scenario.name; }

inline const std::vector<Scenario> &All() {
  static const std::vector<Scenario> scenarios = {
      {"OpensOnTheFirstItem", OpensOnTheFirstItem},
      {"CutsLongTitles", CutsLongTitles},
      {"ChoosingAClassShowsItsItems", ChoosingAClassShowsItsItems},
      {"SetCurrentSendsTheChosenOption", SetCurrentSendsTheChosenOption},
      {"LaterEqualValuesWin", LaterEqualValuesWin},
      {"ValuesWithoutAnOption", ValuesWithoutAnOption},
      {"MultiChoiceMask", MultiChoiceMask},
      {"SetAllAndResetAll", SetAllAndResetAll},
      {"ReopeningStartsFromDefaults", ReopeningStartsFromDefaults},
      {"ClassWithoutItems", ClassWithoutItems},
      {"PrinterWithoutSettingsFile", PrinterWithoutSettingsFile},
      {"CalibrationCommand", CalibrationCommand},
      {"NamesWithBlanksAndLongNames", NamesWithBlanksAndLongNames},
  };
  return scenarios;
}

// Runs one scenario on a freshly opened page and closes it; the catalogue registry is empty afterwards.
inline void RunScenario(PageHost &host, bool chinese, const Scenario &scenario) {
  Run run{host, TextsIn(chinese), nullptr, WString()};
  ASSERT_TRUE(run.OpenPage()) << "no page";
  scenario.run(run);
  host.Close();
  EXPECT_EQ(OpenCatalogueCount(), 0) << "a catalogue outlived its page";
}

}  // namespace page_scenarios
