// The emulated windows: dialogs made from the module's template 106, the list box and combo box messages with the
// platform's answers, texts, visibility, destruction and message boxes.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "resources/resource.h"
#include "platform/host/control.h"
#include "platform/host/window_control.h"
#include "platform/platform.h"

namespace {

struct Seen {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};
thread_local std::vector<Seen> seen;

INT_PTR CALLBACK Recorder(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  seen.push_back(Seen{window, message, wParam, lParam});
  return message == WM_INITDIALOG ? 7 : FALSE;
}

class WindowsTest : public testing::Test {
 protected:
  void SetUp() override {
    seen.clear();
    host::ClearMessageBoxes();
    host::SetThreadUILanguage(0);
  }
  void TearDown() override {
    host::DestroyThreadWindows();
    host::SetThreadUILanguage(0);
  }
  HWND Page(HWND parent = nullptr, DLGPROC proc = nullptr) {
    HWND page = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(IDD_PRINTER_SETTINGS), parent, proc, 0);
    EXPECT_NE(page, nullptr);
    return page;
  }
};

std::u16string TextOf(HWND window) {
  WCHAR text[300] = {};
  GetWindowTextW(window, text, ARRAYSIZE(text));
  return text;
}

TEST_F(WindowsTest, DialogHasTheTemplatesControlsIdsAndStyles) {
  struct Control {
    int id;
    DWORD style;  // without WS_CHILD | WS_VISIBLE, which every control has
    const char16_t *english;
    const char16_t *chinese;
  } controls[] = {
      {IDC_CLASS_LIST, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, u"", u""},
      {IDC_ITEM_LIST, LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_BORDER | WS_VSCROLL | WS_TABSTOP, u"", u""},
      {IDC_MULTI_OPTIONS, LBS_NOTIFY | LBS_MULTIPLESEL | LBS_NOINTEGRALHEIGHT | WS_BORDER | WS_VSCROLL | WS_TABSTOP,
       u"", u""},
      {IDC_RESET_ALL, BS_PUSHBUTTON | WS_TABSTOP, u"Reset All", u"重置所有项为默认值"},
      {IDC_SET_CURRENT, BS_PUSHBUTTON | WS_TABSTOP, u"Set Current", u"设置当前项"},
      {IDC_HINTS, SS_CENTER | WS_GROUP, u"Hints :", u"Hints :"},
      {IDC_SET_ALL, BS_PUSHBUTTON | WS_TABSTOP, u"Set All", u"设置所有项"},
      {IDC_SINGLE_OPTIONS, LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_BORDER | WS_VSCROLL | WS_TABSTOP, u"", u""},
  };
  for (LANGID language : {LANGID(1033), LANGID(2052)}) {
    host::SetThreadUILanguage(language);
    HWND page = Page(nullptr, Recorder);
    const bool chinese = language == 2052;
    EXPECT_EQ(TextOf(page), chinese ? u"打印机设置" : u"Printer Settings");
    EXPECT_EQ(DWORD(GetWindowLongW(page, GWL_STYLE)), DWORD(WS_CHILD | WS_DISABLED | WS_CAPTION | DS_SETFONT |
                                                             DS_FIXEDSYS));
    for (const Control &c : controls) {
      HWND control = GetDlgItem(page, c.id);
      ASSERT_NE(control, nullptr) << c.id;
      EXPECT_EQ(GetDlgCtrlID(control), c.id);
      EXPECT_EQ(GetParent(control), page);
      DWORD style = c.style;
      if (c.id == IDC_HINTS && chinese) style = SS_LEFT | WS_GROUP;
      EXPECT_EQ(DWORD(GetWindowLongW(control, GWL_STYLE)), style | WS_CHILD | WS_VISIBLE) << c.id;
      if (c.id != IDC_CLASS_LIST) {
        EXPECT_EQ(TextOf(control), chinese ? c.chinese : c.english) << c.id;
      }
    }
    EXPECT_EQ(GetDlgItem(page, IDC_CALIBRATE), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_CONTROL_ID_NOT_FOUND));
    // WM_INITDIALOG came first and once, with the first tab stop (the class list); the dialog's own text was asked
    // of the procedure too.
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].message, UINT(WM_INITDIALOG));
    EXPECT_EQ(reinterpret_cast<HWND>(seen[0].wParam), GetDlgItem(page, IDC_CLASS_LIST));
    EXPECT_EQ(seen[1].message, UINT(WM_GETTEXT));
    DestroyWindow(page);
    seen.clear();
  }
}

TEST_F(WindowsTest, MissingTemplatesMakeNoDialog) {
  EXPECT_EQ(CreateDialogParamW(nullptr, MAKEINTRESOURCEW(999), nullptr, Recorder, 0), nullptr);
  EXPECT_EQ(CreateDialogParamW(nullptr, MAKEINTRESOURCEW(IDD_PRINTER_SETTINGS),
                               reinterpret_cast<HWND>(ULONG_PTR(0x4444)), Recorder, 0),
            nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_TRUE(seen.empty());
  EXPECT_EQ(host::LiveWindows(), 0);
}

// One row of a list box table: a message, its arguments and the answer the platform gives.
struct Step {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  LRESULT answer;
};

LPARAM Text(const char16_t *text) { return reinterpret_cast<LPARAM>(text); }

void RunSteps(HWND control, const std::vector<Step> &steps) {
  for (size_t i = 0; i < steps.size(); ++i) {
    const Step &s = steps[i];
    EXPECT_EQ(SendMessageW(control, s.message, s.wParam, s.lParam), s.answer)
        << "step " << i << " message 0x" << std::hex << s.message;
  }
}

TEST_F(WindowsTest, SingleSelectionListBox) {
  HWND list = GetDlgItem(Page(), IDC_SINGLE_OPTIONS);
  RunSteps(list, {
                     {LB_GETCOUNT, 0, 0, 0},
                     {LB_GETCURSEL, 0, 0, LB_ERR},
                     {LB_ADDSTRING, 0, Text(u"zero"), 0},
                     {LB_ADDSTRING, 0, Text(u"one"), 1},
                     {LB_ADDSTRING, 0, Text(u"two"), 2},
                     {LB_GETCURSEL, 0, 0, LB_ERR},
                     {LB_SETCURSEL, 1, 0, 1},
                     {LB_GETCURSEL, 0, 0, 1},
                     {LB_GETSEL, 1, 0, 1},
                     {LB_GETSEL, 0, 0, 0},
                     {LB_GETSEL, 3, 0, LB_ERR},
                     {LB_SETCURSEL, 3, 0, LB_ERR},  // out of range: the selection stays
                     {LB_GETCURSEL, 0, 0, 1},
                     {LB_SETCURSEL, WPARAM(-1), 0, LB_ERR},  // clears, and says LB_ERR
                     {LB_GETCURSEL, 0, 0, LB_ERR},
                     {LB_GETSEL, 1, 0, 0},
                     {LB_SETSEL, TRUE, 0, LB_ERR},  // multiple selection only
                     {LB_GETSELCOUNT, 0, 0, LB_ERR},
                     {LB_GETSELITEMS, 0, 0, LB_ERR},
                     {LB_GETITEMDATA, 2, 0, 0},
                     {LB_SETITEMDATA, 2, 77, TRUE},
                     {LB_GETITEMDATA, 2, 0, 77},
                     {LB_SETITEMDATA, 3, 1, LB_ERR},
                     {LB_SETITEMDATA, WPARAM(-1), 1, LB_ERR},
                     {LB_GETITEMDATA, WPARAM(-1), 0, LB_ERR},
                     {LB_GETTEXTLEN, 1, 0, 3},
                     {LB_GETTEXTLEN, 5, 0, LB_ERR},
                     {LB_SETCURSEL, 2, 0, 2},
                     {LB_RESETCONTENT, 0, 0, 0},
                     {LB_GETCOUNT, 0, 0, 0},
                     {LB_GETCURSEL, 0, 0, LB_ERR},
                     {LB_GETITEMDATA, 0, 0, LB_ERR},
                 });
  SendMessageW(list, LB_ADDSTRING, 0, Text(u"again"));
  WCHAR text[10] = {};
  EXPECT_EQ(SendMessageW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text)), 5);
  EXPECT_EQ(std::u16string(text), u"again");
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), LB_ERR) << "a new row is not selected";
}

TEST_F(WindowsTest, MultipleSelectionListBox) {
  HWND list = GetDlgItem(Page(), IDC_MULTI_OPTIONS);
  RunSteps(list, {
                     {LB_GETCURSEL, 0, 0, LB_ERR},
                     {LB_ADDSTRING, 0, Text(u"a"), 0},
                     {LB_ADDSTRING, 0, Text(u"b"), 1},
                     {LB_ADDSTRING, 0, Text(u"c"), 2},
                     {LB_ADDSTRING, 0, Text(u"d"), 3},
                     {LB_GETSELCOUNT, 0, 0, 0},
                     {LB_SETCURSEL, 1, 0, LB_ERR},  // single selection only
                     {LB_SETSEL, TRUE, 3, LB_OKAY},
                     {LB_SETSEL, TRUE, 1, LB_OKAY},
                     {LB_SETSEL, TRUE, 9, LB_ERR},
                     {LB_GETSELCOUNT, 0, 0, 2},
                     {LB_GETSEL, 1, 0, 1},
                     {LB_GETSEL, 2, 0, 0},
                     {LB_GETCURSEL, 0, 0, 0},  // the focus row, not a selection
                     {LB_SETSEL, FALSE, 3, LB_OKAY},
                     {LB_GETSELCOUNT, 0, 0, 1},
                     {LB_SETSEL, TRUE, LPARAM(-1), LB_OKAY},  // every row
                     {LB_GETSELCOUNT, 0, 0, 4},
                     {LB_SETSEL, FALSE, LPARAM(-1), LB_OKAY},
                     {LB_GETSELCOUNT, 0, 0, 0},
                 });
  SendMessageW(list, LB_SETSEL, TRUE, 0);
  SendMessageW(list, LB_SETSEL, TRUE, 2);
  SendMessageW(list, LB_SETSEL, TRUE, 3);
  int rows[8] = {-5, -5, -5, -5, -5, -5, -5, -5};
  // At most as many as asked for, ascending.
  EXPECT_EQ(SendMessageW(list, LB_GETSELITEMS, 2, reinterpret_cast<LPARAM>(rows)), 2);
  EXPECT_EQ(rows[0], 0);
  EXPECT_EQ(rows[1], 2);
  EXPECT_EQ(rows[2], -5);
  EXPECT_EQ(SendMessageW(list, LB_GETSELITEMS, 8, reinterpret_cast<LPARAM>(rows)), 3);
  EXPECT_EQ(rows[2], 3);
  EXPECT_EQ(SendMessageW(list, LB_GETSELITEMS, 8, 0), LB_ERR);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  EXPECT_EQ(SendMessageW(list, LB_GETSELCOUNT, 0, 0), 0);
}

TEST_F(WindowsTest, DropDownListComboBox) {
  HWND combo = GetDlgItem(Page(), IDC_CLASS_LIST);
  RunSteps(combo, {
                      {CB_GETCURSEL, 0, 0, CB_ERR},
                      {CB_ADDSTRING, 0, Text(u"first"), 0},
                      {CB_ADDSTRING, 0, Text(u"second"), 1},
                      {CB_GETCOUNT, 0, 0, 2},
                      {CB_SETCURSEL, 1, 0, 1},
                      {CB_GETCURSEL, 0, 0, 1},
                      {CB_SETCURSEL, 2, 0, CB_ERR},  // out of range clears the selection
                      {CB_GETCURSEL, 0, 0, CB_ERR},
                      {CB_SETCURSEL, 0, 0, 0},
                      {CB_SETITEMDATA, 0, 5, TRUE},
                      {CB_GETITEMDATA, 0, 0, 5},
                      {CB_GETITEMDATA, 4, 0, CB_ERR},
                      {CB_GETLBTEXTLEN, 1, 0, 6},
                      {CB_GETLBTEXTLEN, 2, 0, CB_ERR},
                      {WM_SETTEXT, 0, Text(u"x"), CB_ERR},  // a drop-down list has no text of its own
                      {CB_RESETCONTENT, 0, 0, CB_OKAY},
                      {CB_GETCOUNT, 0, 0, 0},
                      {CB_GETCURSEL, 0, 0, CB_ERR},
                  });
  SendMessageW(combo, CB_ADDSTRING, 0, Text(u"shown"));
  SendMessageW(combo, CB_SETCURSEL, 0, 0);
  EXPECT_EQ(TextOf(combo), u"shown");
}

TEST_F(WindowsTest, TextsAreCutToTheCallersBuffer) {
  HWND hint = GetDlgItem(Page(), IDC_HINTS);
  EXPECT_TRUE(SetWindowTextW(hint, u"abcdef"));
  WCHAR text[4] = {u'?', u'?', u'?', u'?'};
  EXPECT_EQ(GetWindowTextW(hint, text, 4), 3);
  EXPECT_EQ(std::u16string(text), u"abc");
  EXPECT_EQ(GetWindowTextW(hint, text, 0), 0);
  EXPECT_EQ(GetWindowTextLengthW(hint), 6);
  EXPECT_TRUE(SetWindowTextW(hint, nullptr));
  EXPECT_EQ(GetWindowTextLengthW(hint), 0);
  EXPECT_EQ(GetWindowTextW(nullptr, text, 4), 0);
  EXPECT_EQ(text[0], 0);
}

TEST_F(WindowsTest, VisibilityFollowsTheAncestors) {
  HWND sheet = host::CreateSheetWindow(u"Sheet");
  HWND page = Page(sheet);
  HWND list = GetDlgItem(page, IDC_SINGLE_OPTIONS);
  EXPECT_FALSE(IsWindowVisible(list)) << "the template's page is not visible";
  EXPECT_FALSE(ShowWindow(page, SW_SHOW));
  EXPECT_TRUE(IsWindowVisible(list));
  EXPECT_TRUE(ShowWindow(list, SW_HIDE));
  EXPECT_FALSE(IsWindowVisible(list));
  EXPECT_FALSE(ShowWindow(list, SW_HIDE));
  EXPECT_FALSE(ShowWindow(list, SW_SHOW));
  ShowWindow(sheet, SW_HIDE);
  EXPECT_FALSE(IsWindowVisible(list));
}

TEST_F(WindowsTest, ClickTellsTheParentAndDestroyTellsParentsBeforeChildren) {
  HWND sheet = host::CreateSheetWindow(u"Sheet");
  HWND page = Page(sheet, Recorder);
  seen.clear();
  HWND button = GetDlgItem(page, IDC_SET_ALL);
  EXPECT_EQ(SendMessageW(button, BM_CLICK, 0, 0), 0);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].message, UINT(WM_COMMAND));
  EXPECT_EQ(seen[0].wParam, MAKEWPARAM(IDC_SET_ALL, BN_CLICKED));
  EXPECT_EQ(reinterpret_cast<HWND>(seen[0].lParam), button);
  seen.clear();
  SendMessageW(GetDlgItem(page, IDC_HINTS), BM_CLICK, 0, 0);  // a static is no button
  EXPECT_TRUE(seen.empty());

  // Another thread cannot destroy the page.
  BOOL destroyedElsewhere = TRUE;
  std::thread([&] { destroyedElsewhere = DestroyWindow(page); }).join();
  EXPECT_FALSE(destroyedElsewhere);

  // Destroying the sheet: the page hears WM_DESTROY while its parent and controls still answer.
  EXPECT_TRUE(DestroyWindow(sheet));
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].message, UINT(WM_DESTROY));
  EXPECT_EQ(seen[1].message, UINT(WM_NCDESTROY));
  EXPECT_FALSE(IsWindow(page));
  EXPECT_FALSE(IsWindow(button));
  EXPECT_EQ(GetParent(page), nullptr);
  EXPECT_EQ(SendMessageW(button, BM_CLICK, 0, 0), 0);
  EXPECT_FALSE(DestroyWindow(page));
  EXPECT_EQ(host::LiveWindows(), 0);
}

INT_PTR CALLBACK ReadsOnDestroy(HWND window, UINT message, WPARAM, LPARAM) {
  if (message == WM_DESTROY) {
    WCHAR caption[50] = {};
    GetWindowTextW(GetParent(window), caption, ARRAYSIZE(caption));
    SetWindowTextW(GetDlgItem(window, IDC_HINTS), caption);
    seen.push_back(Seen{GetDlgItem(window, IDC_HINTS), message, WPARAM(lstrlenW(caption)), 0});
  }
  return FALSE;
}

TEST_F(WindowsTest, ADyingPageStillReadsItsSheet) {
  HWND sheet = host::CreateSheetWindow(u"Caption of the sheet");
  Page(sheet, ReadsOnDestroy);
  DestroyWindow(sheet);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_NE(seen[0].window, nullptr);
  EXPECT_EQ(seen[0].wParam, WPARAM(20));
}

TEST_F(WindowsTest, DialogSlotsKeepTheirValues) {
  HWND page = Page();
  EXPECT_EQ(SetWindowLongPtrW(page, DWLP_USER, 42), 0);
  EXPECT_EQ(GetLastError(), 0u);
  EXPECT_EQ(SetWindowLongPtrW(page, DWLP_USER, 43), 42);
  EXPECT_EQ(GetWindowLongPtrW(page, DWLP_USER), 43);
  // A control is no dialog: it has no dialog slots.
  EXPECT_EQ(SetWindowLongPtrW(GetDlgItem(page, IDC_HINTS), DWLP_USER, 1), 0);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_INDEX));
}

TEST_F(WindowsTest, MessageBoxesAreRecordedAndAnsweredAsQueued) {
  HWND owner = host::CreateSheetWindow(u"Owner");
  struct Case {
    UINT type;
    int queued;  // 0: none
    int answer;
  } cases[] = {
      {MB_OK, 0, IDOK},
      {MB_YESNO | MB_ICONQUESTION, IDNO, IDNO},
      {MB_YESNO | MB_ICONQUESTION, 0, IDYES},
      {MB_YESNO | MB_DEFBUTTON2, 0, IDNO},
      {MB_YESNO, IDOK, IDYES},  // no such button: the default is pressed
      {MB_OK | MB_ICONERROR, IDCANCEL, IDOK},
      {MB_YESNOCANCEL | MB_DEFBUTTON3, 0, IDCANCEL},
  };
  for (const Case &c : cases) {
    if (c.queued) host::QueueMessageBoxAnswer(c.queued);
    EXPECT_EQ(MessageBoxW(owner, u"text", u"caption", c.type), c.answer) << c.type;
  }
  std::vector<host::MessageBoxRecord> boxes = host::TakeMessageBoxes();
  ASSERT_EQ(boxes.size(), ARRAYSIZE(cases));
  for (size_t i = 0; i < boxes.size(); ++i) {
    EXPECT_EQ(boxes[i].type, cases[i].type);
    EXPECT_EQ(boxes[i].answer, cases[i].answer);
    EXPECT_EQ(boxes[i].owner, owner);
    EXPECT_EQ(boxes[i].text, u"text");
    EXPECT_EQ(boxes[i].caption, u"caption");
  }
  EXPECT_TRUE(host::TakeMessageBoxes().empty());

  EXPECT_EQ(MessageBoxW(nullptr, nullptr, nullptr, MB_OK), IDOK);
  EXPECT_EQ(host::TakeMessageBoxes().at(0).caption, u"Error");
  EXPECT_EQ(MessageBoxW(nullptr, u"t", u"c", 0x0000000F), 0) << "no such box";
  EXPECT_EQ(MessageBoxW(reinterpret_cast<HWND>(ULONG_PTR(0x4444)), u"t", u"c", MB_OK), 0) << "no such owner";
  EXPECT_TRUE(host::TakeMessageBoxes().empty());

  // Each thread answers its own boxes.
  host::QueueMessageBoxAnswer(IDNO);
  int elsewhere = 0;
  std::thread([&] { elsewhere = MessageBoxW(nullptr, u"t", u"c", MB_YESNO); }).join();
  EXPECT_EQ(elsewhere, IDYES);
  EXPECT_EQ(MessageBoxW(nullptr, u"t", u"c", MB_YESNO), IDNO);
}

}  // namespace
