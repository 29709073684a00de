#include "page/settings_page.h"

#include <new>

#include "catalogue/registry.h"
#include "page/command_job.h"
#include "resources/module_instance.h"
#include "resources/resource.h"

namespace {

constexpr int kCaptionChars = 512;       // the sheet's caption is read up to 511 characters
constexpr int kMessageChars = 100;       // strings 6, 7, 8 and 13
constexpr int kOutcomeChars = kMessageChars + kPathChars;  // string 13 with a job file's path
constexpr int kQuestionChars = 250;      // string 11
constexpr int kCalibrationChars = 260;   // strings 2 and 3
constexpr int kDefaultLabelChars = 64;   // string 5
constexpr int kNoteChars = ARRAYSIZE(SettingsItem{}.Note);
constexpr int kOptionTextChars = ARRAYSIZE(SettingsOption{}.Text);

// What one page owns from WM_INITDIALOG to WM_DESTROY.
struct PageState {
  WCHAR printer[kPathChars];  // the name it opened with: the caption of its boxes and the printer of its jobs
  PageCatalogue opened;       // the registry's record of the printer's file, or
  UniqueCatalogue own;        // a record of the page's own (a preview's)
  const SettingsCatalogue *catalogue = nullptr;  // whichever of the two; none: no classes, nothing sent
  ItemValues choices = {};                       // the operator's choice for every item, the file's defaults at first
  WCHAR jobFile[kPathChars] = {};                // empty: jobs go to the printer
};

struct DeletePageState {
  void operator()(PageState *state) const { delete state; }
};
using UniquePageState = UniqueAny<PageState *, DeletePageState>;

// The page's state, kept in the dialog's user data; null before WM_INITDIALOG, after WM_DESTROY, or when there was
// no room for it.
PageState *StateOf(HWND page) { return reinterpret_cast<PageState *>(GetWindowLongPtrW(page, DWLP_USER)); }

// Takes the state out of the page, to be freed by the caller.
UniquePageState TakeState(HWND page) {
  UniquePageState state(StateOf(page));
  SetWindowLongPtrW(page, DWLP_USER, 0);
  return state;
}

// The item at a page position of the page's catalogue, or null.
const SettingsItem *PageItem(const PageState *state, LONG section, LONG item) {
  return state && state->catalogue ? ItemAt(*state->catalogue, section, item) : nullptr;
}

bool IsMultiChoice(const SettingsItem &item) { return DWORD(item.ParameterCount) > 1; }

LRESULT SendToControl(HWND page, int id, UINT message, WPARAM wParam, LPARAM lParam) {
  return SendMessageW(GetDlgItem(page, id), message, wParam, lParam);
}

// The selected class (combo box) or item (list box), or -1.
LONG SelectedSection(HWND page) { return LONG(SendToControl(page, IDC_CLASS_LIST, CB_GETCURSEL, 0, 0)); }
LONG SelectedItem(HWND page) { return LONG(SendToControl(page, IDC_ITEM_LIST, LB_GETCURSEL, 0, 0)); }

// A title as the lists show it: cut to what their buffer holds.
void AddTitle(HWND page, int id, UINT message, const WCHAR *title) {
  WCHAR shown[kShownTitleChars];
  lstrcpynW(shown, title, kShownTitleChars);
  SendToControl(page, id, message, 0, reinterpret_cast<LPARAM>(shown));
}

// The multi-choice bit mask of the rows selected in a list: row k stands for bit 23 - k; rows from 24 on stand for
// none. At most 24 selected rows are asked for, in ascending order.
LONG MaskOfSelectedRows(HWND list) {
  int rows[kMaskRows];
  LRESULT count = SendMessageW(list, LB_GETSELITEMS, kMaskRows, reinterpret_cast<LPARAM>(rows));
  if (count <= 0) return 0;
  if (count > kMaskRows) count = kMaskRows;
  DWORD mask = 0;
  for (LRESULT i = 0; i < count; ++i)
    if (rows[i] >= 0 && rows[i] < kMaskRows) mask |= DWORD(1) << (kMaskRows - 1 - rows[i]);
  return LONG(mask);
}

// Both option lists emptied and hidden: the page shows no item.
void ClearOptionLists(HWND page) {
  const int lists[] = {IDC_MULTI_OPTIONS, IDC_SINGLE_OPTIONS};
  for (int id : lists) {
    HWND list = GetDlgItem(page, id);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    ShowWindow(list, SW_HIDE);
  }
}

void SetHint(HWND page, const SettingsItem &item, const WCHAR *defaultText) {
  // Each piece is taken through a buffer of its field's width, so the hint always fits its buffer.
  WCHAR note[kNoteChars];
  lstrcpynW(note, item.Note, kNoteChars);
  WCHAR hint[kHintChars];
  if (defaultText) {
    WCHAR label[kDefaultLabelChars] = {};
    LoadStringW(ModuleInstance(), IDS_DEFAULT, label, kDefaultLabelChars);
    WCHAR text[kOptionTextChars];
    lstrcpynW(text, defaultText, kOptionTextChars);
    wsprintfW(hint, WTEXT("%s \r\n* %s = %s *"), note, label, text);
  } else {
    wsprintfW(hint, WTEXT("%s"), note);
  }
  SetDlgItemTextW(page, IDC_HINTS, hint);
}

int ShowMessage(HWND page, LPCWSTR text, LPCWSTR caption, UINT style) {
  return MessageBoxW(page, text, caption, style);
}

// The caption of the page's boxes: the name it opened with. A page without a state (no room for one) has none.
LPCWSTR BoxCaption(const PageState *state) { return state ? state->printer : WTEXT(""); }

// The outcome of a send, under the printer's name: the success string, or string 8 with the error icon. A job that
// went to a file (a preview's) names the file instead of the printer.
void ShowOutcome(HWND page, const PageState *state, UINT successId, int sent) {
  WCHAR text[kOutcomeChars] = {};
  if (sent && state->jobFile[0]) {
    WCHAR format[kMessageChars] = {};
    LoadStringW(ModuleInstance(), IDS_JOB_WRITTEN, format, kMessageChars);
    wsprintfW(text, format, state->jobFile);
  } else {
    LoadStringW(ModuleInstance(), sent ? successId : UINT(IDS_SEND_FAILED), text, kMessageChars);
  }
  ShowMessage(page, text, BoxCaption(state), sent ? MB_OK : MB_OK | MB_ICONERROR);
}

int SendPageJob(const PageState &state, const JobBytes &job) {
  return SendJobBytes(job, state.printer, state.jobFile[0] ? state.jobFile : nullptr);
}

void SetCurrent(HWND page, const PageState *state) {
  LONG section = SelectedSection(page);
  LONG item = SelectedItem(page);
  // With no class or no item selected there is nothing to send.
  int sent = 0;
  if (PageItem(state, section, item)) {
    // The kind of the item as ShowItemOptions stored it with the row.
    LRESULT parameterCount = SendToControl(page, IDC_ITEM_LIST, LB_GETITEMDATA, WPARAM(item), 0);
    LONG choice = DWORD(parameterCount) > 1 ? MaskOfSelectedRows(GetDlgItem(page, IDC_MULTI_OPTIONS))
                                            : LONG(SendToControl(page, IDC_SINGLE_OPTIONS, LB_GETCURSEL, 0, 0));
    sent = SendPageJob(*state, BuildItemJob(*state->catalogue, section, item, choice));
  }
  ShowOutcome(page, state, IDS_COMMAND_SENT, sent);
}

void SetAll(HWND page, const PageState *state) {
  int sent = state && state->catalogue ? SendPageJob(*state, BuildAllItemsJob(*state->catalogue, state->choices)) : 0;
  ShowOutcome(page, state, IDS_ALL_COMMANDS_SENT, sent);
}

void ResetAll(HWND page, const PageState *state) {
  WCHAR question[kQuestionChars] = {};
  LoadStringW(ModuleInstance(), IDS_RESET_CONFIRM, question, kQuestionChars);
  if (ShowMessage(page, question, BoxCaption(state), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  ResetAllToDefaults(page, SelectedSection(page), SelectedItem(page));
}

void Calibrated(HWND page) {
  WCHAR text[kCalibrationChars] = {};
  WCHAR title[kCalibrationChars] = {};
  LoadStringW(ModuleInstance(), IDS_CALIBRATED, text, kCalibrationChars);
  LoadStringW(ModuleInstance(), IDS_CUSTOMIZATION_DLL, title, kCalibrationChars);
  ShowMessage(page, text, title, MB_OK);
}

// The multi-choice list changed: the item's choice is the mask of what it shows selected.
void StoreMask(HWND page, PageState *state) {
  LONG section = SelectedSection(page), item = SelectedItem(page);
  if (PageItem(state, section, item))
    state->choices.value[section][item] = MaskOfSelectedRows(GetDlgItem(page, IDC_MULTI_OPTIONS));
}

void StoreChoice(HWND page, PageState *state) {
  if (!state || !state->catalogue) return;
  ChooseOption(*state->catalogue, state->choices, SelectedSection(page), SelectedItem(page),
               LONG(SendToControl(page, IDC_SINGLE_OPTIONS, LB_GETCURSEL, 0, 0)));
}

INT_PTR OnCommand(HWND page, PageState *state, WORD id, WORD code) {
  switch (id) {
    case IDC_CLASS_LIST:
      if (code == CBN_SELENDOK) ShowSectionItems(page, SelectedSection(page));
      break;
    case IDC_ITEM_LIST:
      if (code == LBN_SELCHANGE) ShowItemOptions(page, SelectedSection(page), SelectedItem(page));
      break;
    case IDC_MULTI_OPTIONS:
      if (code == LBN_SELCHANGE) StoreMask(page, state);
      break;
    case IDC_SINGLE_OPTIONS:
      if (code == LBN_SELCHANGE) StoreChoice(page, state);
      break;
    case IDC_RESET_ALL:
      if (code == BN_CLICKED) ResetAll(page, state);
      break;
    case IDC_SET_CURRENT:
      if (code == BN_CLICKED) SetCurrent(page, state);
      break;
    case IDC_SET_ALL:
      if (code == BN_CLICKED) SetAll(page, state);
      break;
    case IDC_CALIBRATE:
      if (code == BN_CLICKED) Calibrated(page);
      break;
    default:
      break;
  }
  return (code == BN_CLICKED || code == LBN_SELCHANGE || code == CBN_SELENDOK) ? TRUE : FALSE;
}

// Makes the page's state (replacing one it had) and fills its class list. The page keeps what it is given even when
// there is no room for its state: it then shows no classes and sends nothing.
int StartPage(HWND page, LPCWSTR printerName, PageCatalogue opened, UniqueCatalogue own, LPCWSTR jobFile) {
  TakeState(page);
  UniquePageState state(new (std::nothrow) PageState);
  if (state) {
    PageState &s = *state.get();
    lstrcpynW(s.printer, printerName ? printerName : WTEXT(""), kPathChars);
    s.opened = std::move(opened);
    s.own = std::move(own);
    // A job file that does not fit whole would be another file: such a page has nowhere to send to.
    if (jobFile && lstrlenW(jobFile) >= kPathChars) {
      s.opened.reset();
      s.own.reset();
    } else if (jobFile) {
      lstrcpynW(s.jobFile, jobFile, kPathChars);
    }
    s.catalogue = s.opened ? s.opened.get() : s.own.get();
    if (s.catalogue) s.choices = CurrentValuesOf(*s.catalogue);
    SetWindowLongPtrW(page, DWLP_USER, reinterpret_cast<LONG_PTR>(state.release()));
  }
  const PageState *shown = StateOf(page);
  SendToControl(page, IDC_CLASS_LIST, CB_RESETCONTENT, 0, 0);
  if (shown && shown->catalogue) {
    const LONG sections = SectionCountOf(*shown->catalogue);
    for (LONG sec = 0; sec < sections; ++sec)
      AddTitle(page, IDC_CLASS_LIST, CB_ADDSTRING, shown->catalogue->Sections[sec].Title);
    if (sections > 0) SendToControl(page, IDC_CLASS_LIST, CB_SETCURSEL, 0, 0);
  }
  ShowSectionItems(page, 0);
  return shown && shown->catalogue ? 1 : 0;
}

}  // namespace

bool PrinterNameFromCaption(HWND page, WCHAR (&printerName)[kPathChars]) {
  WCHAR caption[kCaptionChars] = {};
  HWND sheet = GetParent(page);
  int length = sheet ? GetWindowTextW(sheet, caption, kCaptionChars) : 0;
  if (length < 0) length = 0;
  if (length >= kCaptionChars) length = kCaptionChars - 1;
  caption[length] = 0;
  int end = length;
  for (int i = length - 1; i >= 0; --i) {
    if (caption[i] == WCHAR(' ')) {
      end = i;
      break;
    }
  }
  caption[end] = 0;
  lstrcpynW(printerName, caption, kPathChars);
  // The last blank of a caption longer than was read may lie beyond what was read: the name before it is unknown.
  return end < kPathChars && !(sheet && GetWindowTextLengthW(sheet) >= kCaptionChars);
}

int InitSettingsPage(HWND page, LPCWSTR printerName) {
  return StartPage(page, printerName, OpenPageCatalogue(printerName), UniqueCatalogue(), nullptr);
}

int InitPreviewPage(HWND page, LPCWSTR printerName, UniqueCatalogue catalogue, LPCWSTR jobFile) {
  return StartPage(page, printerName, PageCatalogue(), std::move(catalogue), jobFile);
}

int ShowSectionItems(HWND page, LONG section) {
  const PageState *state = StateOf(page);
  const SettingsSection *s = state && state->catalogue ? SectionAt(*state->catalogue, section) : nullptr;
  SendToControl(page, IDC_ITEM_LIST, LB_RESETCONTENT, 0, 0);
  const LONG items = s ? ItemCountOf(*s) : 0;
  for (LONG i = 0; i < items; ++i) AddTitle(page, IDC_ITEM_LIST, LB_ADDSTRING, s->Items[i].Title);
  if (items == 0) {
    ClearOptionLists(page);
    return 0;
  }
  SendToControl(page, IDC_ITEM_LIST, LB_SETCURSEL, 0, 0);
  return ShowItemOptions(page, section, 0);
}

int ShowItemOptions(HWND page, LONG section, LONG item) {
  const PageState *state = StateOf(page);
  const SettingsItem *shownItem = PageItem(state, section, item);
  if (!shownItem) {
    ClearOptionLists(page);
    return 0;
  }
  const SettingsItem &it = *shownItem;
  const LONG choice = state->choices.value[section][item];
  SendToControl(page, IDC_ITEM_LIST, LB_SETITEMDATA, WPARAM(item), LPARAM(it.ParameterCount));

  const bool multi = IsMultiChoice(it);
  HWND list = GetDlgItem(page, multi ? IDC_MULTI_OPTIONS : IDC_SINGLE_OPTIONS);
  ShowWindow(list, SW_SHOW);
  ShowWindow(GetDlgItem(page, multi ? IDC_SINGLE_OPTIONS : IDC_MULTI_OPTIONS), SW_HIDE);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);

  // A later option with the same Value replaces an earlier one, both as the selected row and as the default.
  LONG selected = -1;
  const WCHAR *defaultText = nullptr;
  const SettingsOption *option = it.OptionCount ? it.Options : nullptr;
  for (DWORD row = 0; option && row < it.OptionCount; ++row, option = option->Next) {
    WCHAR text[kOptionTextChars];
    lstrcpynW(text, option->Text, kOptionTextChars);
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    if (option->Value == choice) selected = LONG(row);
    if (option->Value == it.DefaultValue) defaultText = option->Text;
  }

  if (multi) {
    for (int row = 0; row < kMaskRows; ++row)
      if ((DWORD(choice) >> (kMaskRows - 1 - row)) & 1) SendMessageW(list, LB_SETSEL, TRUE, row);
  } else {
    SendMessageW(list, LB_SETCURSEL, WPARAM(selected), 0);
  }
  SetHint(page, it, defaultText);
  return 1;
}

int ResetAllToDefaults(HWND page, LONG section, LONG item) {
  PageState *state = StateOf(page);
  if (!state || !state->catalogue) return 0;
  const SettingsCatalogue &catalogue = *state->catalogue;
  const LONG sections = SectionCountOf(catalogue);
  for (LONG s = 0; s < sections; ++s) {
    const SettingsSection &sec = catalogue.Sections[s];
    const LONG items = ItemCountOf(sec);
    for (LONG i = 0; i < items; ++i) state->choices.value[s][i] = sec.Items[i].DefaultValue;
  }
  // With no item on the page there is nothing to show again.
  if (ItemAt(catalogue, section, item)) ShowItemOptions(page, section, item);
  return 1;
}

int ChooseOption(const SettingsCatalogue &catalogue, ItemValues &choices, LONG section, LONG item, LONG row) {
  const SettingsItem *it = ItemAt(catalogue, section, item);
  if (!it) return 0;
  const SettingsOption *option = OptionAt(*it, row);
  if (!option || option->Value == -1) return 0;
  choices.value[section][item] = option->Value;
  return 1;
}

INT_PTR CALLBACK PrinterSettingsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: {
      // The page's name is taken here, once: a caption that changes later names nothing the page does.
      WCHAR printerName[kPathChars];
      if (PrinterNameFromCaption(page, printerName)) InitSettingsPage(page, printerName);
      else StartPage(page, printerName, PageCatalogue(), UniqueCatalogue(), nullptr);
      return FALSE;
    }
    case WM_COMMAND:
      return OnCommand(page, StateOf(page), LOWORD(wParam), HIWORD(wParam));
    case WM_DESTROY:
      TakeState(page);
      return FALSE;
  }
  return FALSE;
}
