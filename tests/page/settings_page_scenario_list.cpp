// The scenarios themselves: what the operator does on the page and what the page and the printer must show for it.
#include "catalogue/registry.h"
#include "page/command_job.h"
#include "tests/page/settings_page_scenarios.h"

namespace page_scenarios {

namespace {

// The page as it opens: the template's texts in the UI language, the classes, the first class's items and the first
// item's options with its value selected and its default named in the hint.
void OpensOnTheFirstItem(Run &r) {
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
void CutsLongTitles(Run &r) {
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
void ChoosingAClassShowsItsItems(Run &r) {
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
void SetCurrentSendsTheChosenOption(Run &r) {
  ChooseSingle(r.page, 2);
  r.ExpectSent(IDC_SET_CURRENT, "1B 45 1B 44 02 0D 1B 53", r.t.oneSent);
  ChooseItem(r.page, 1);
  ChooseItem(r.page, 0);
  EXPECT_EQ(CurrentRow(Control(r.page, IDC_SINGLE_OPTIONS)), 2);
  EXPECT_EQ(Hint(r.page), HintWithDefault(r.t, r.t.densityNote, r.t.densityOptions[1])) << "the hint names the default";
}

// Two options with the value of CurrentValue: the later is selected; two with DefaultValue: the later is named.
void LaterEqualValuesWin(Run &r) {
  ChooseItem(r.page, 1);
  EXPECT_EQ(CurrentRow(Control(r.page, IDC_SINGLE_OPTIONS)), 3);
  EXPECT_EQ(Hint(r.page), HintWithDefault(r.t, r.t.chinese ? "页面的打印方式。" : "How the page is laid down.",
                                          r.t.chinese ? "最佳" : "Best"));
}

// A value no option has: no row selected, the note alone as the hint, and Set Current sends nothing. An option of
// value -1 keeps the old value, though Set Current sends the -1 it shows.
void ValuesWithoutAnOption(Run &r) {
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
void MultiChoiceMask(Run &r) {
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
void SetAllAndResetAll(Run &r) {
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
void ReopeningStartsFromDefaults(Run &r) {
  ChooseSingle(r.page, 2);
  EXPECT_NE(FindCatalogue(Printer().c_str()), nullptr);
  r.host.Close();
  EXPECT_EQ(FindCatalogue(Printer().c_str()), nullptr);
  ASSERT_TRUE(r.OpenPage());
  EXPECT_EQ(CurrentRow(Control(r.page, IDC_SINGLE_OPTIONS)), 1);
}

// A class without items: empty item list, both option lists empty and hidden, the hint as it was; Set Current sends
// nothing, Reset All still resets.
void ClassWithoutItems(Run &r) {
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
void PrinterWithoutSettingsFile(Run &r) {
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
void CalibrationCommand(Run &r) {
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
void NamesWithBlanksAndLongNames(Run &r) {
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

}  // namespace

const std::vector<Scenario> &All() {
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

void RunScenario(PageHost &host, bool chinese, const Scenario &scenario) {
  Run run{host, TextsIn(chinese), nullptr, WString()};
  ASSERT_TRUE(run.OpenPage()) << "no page";
  scenario.run(run);
  host.Close();
  EXPECT_EQ(OpenCatalogueCount(), 0) << "a catalogue outlived its page";
}

}  // namespace page_scenarios
