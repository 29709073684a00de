#include "page/settings_page.h"

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

// Mark in the dialog's user slot: this page opened a catalogue and must release it when its window goes. A page
// whose open failed must not release the catalogue another page of the same printer holds.
constexpr LONG_PTR kHoldsCatalogue = 1;

// The item at a page position of a held catalogue, or null.
SettingsItem *HeldItem(const CatalogueHold &catalogue, LONG section, LONG item) {
  return catalogue ? ItemAt(*catalogue.get(), section, item) : nullptr;
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

// The outcome of a send, under the printer's name: the success string, or string 8 with the error icon. A job that
// went to a file (a preview's) names the file instead of the printer.
void ShowOutcome(HWND page, LPCWSTR printerName, UINT successId, int sent) {
  WCHAR text[kOutcomeChars] = {};
  WCHAR file[kPathChars];
  if (sent && JobFileOf(printerName, file)) {
    WCHAR format[kMessageChars] = {};
    LoadStringW(ModuleInstance(), IDS_JOB_WRITTEN, format, kMessageChars);
    wsprintfW(text, format, file);
  } else {
    LoadStringW(ModuleInstance(), sent ? successId : UINT(IDS_SEND_FAILED), text, kMessageChars);
  }
  ShowMessage(page, text, printerName, sent ? MB_OK : MB_OK | MB_ICONERROR);
}

void SetCurrent(HWND page, LPCWSTR printerName) {
  LONG section = SelectedSection(page);
  LONG item = SelectedItem(page);
  // With no class or no item selected there is nothing to send.
  if (!HeldItem(HoldPageCatalogue(printerName), section, item)) {
    ShowOutcome(page, printerName, IDS_COMMAND_SENT, 0);
    return;
  }
  // The kind of the item as ShowItemOptions stored it with the row.
  LRESULT parameterCount = SendToControl(page, IDC_ITEM_LIST, LB_GETITEMDATA, WPARAM(item), 0);
  LONG choice = DWORD(parameterCount) > 1
                    ? MaskOfSelectedRows(GetDlgItem(page, IDC_MULTI_OPTIONS))
                    : LONG(SendToControl(page, IDC_SINGLE_OPTIONS, LB_GETCURSEL, 0, 0));
  ShowOutcome(page, printerName, IDS_COMMAND_SENT, SendItemCommand(choice, item, section, printerName));
}

void SetAll(HWND page, LPCWSTR printerName) {
  ShowOutcome(page, printerName, IDS_ALL_COMMANDS_SENT, SendAllCommands(printerName));
}

void ResetAll(HWND page, LPCWSTR printerName) {
  WCHAR question[kQuestionChars] = {};
  LoadStringW(ModuleInstance(), IDS_RESET_CONFIRM, question, kQuestionChars);
  if (ShowMessage(page, question, printerName, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  ResetAllToDefaults(page, printerName, SelectedSection(page), SelectedItem(page));
}

void Calibrated(HWND page) {
  WCHAR text[kCalibrationChars] = {};
  WCHAR title[kCalibrationChars] = {};
  LoadStringW(ModuleInstance(), IDS_CALIBRATED, text, kCalibrationChars);
  LoadStringW(ModuleInstance(), IDS_CUSTOMIZATION_DLL, title, kCalibrationChars);
  ShowMessage(page, text, title, MB_OK);
}

// The multi-choice list changed: the item's value is the mask of what it shows selected.
void StoreMask(HWND page, LPCWSTR printerName) {
  CatalogueHold catalogue = HoldPageCatalogue(printerName);
  SettingsItem *item = HeldItem(catalogue, SelectedSection(page), SelectedItem(page));
  if (item) item->CurrentValue = MaskOfSelectedRows(GetDlgItem(page, IDC_MULTI_OPTIONS));
}

void StoreChoice(HWND page, LPCWSTR printerName) {
  CatalogueHold catalogue = HoldPageCatalogue(printerName);
  if (!catalogue) return;
  ChooseOption(*catalogue.get(), SelectedSection(page), SelectedItem(page),
               LONG(SendToControl(page, IDC_SINGLE_OPTIONS, LB_GETCURSEL, 0, 0)));
}

INT_PTR OnCommand(HWND page, LPCWSTR printerName, WORD id, WORD code) {
  switch (id) {
    case IDC_CLASS_LIST:
      if (code == CBN_SELENDOK) ShowSectionItems(page, printerName, SelectedSection(page));
      break;
    case IDC_ITEM_LIST:
      if (code == LBN_SELCHANGE) ShowItemOptions(page, printerName, SelectedSection(page), SelectedItem(page));
      break;
    case IDC_MULTI_OPTIONS:
      if (code == LBN_SELCHANGE) StoreMask(page, printerName);
      break;
    case IDC_SINGLE_OPTIONS:
      if (code == LBN_SELCHANGE) StoreChoice(page, printerName);
      break;
    case IDC_RESET_ALL:
      if (code == BN_CLICKED) ResetAll(page, printerName);
      break;
    case IDC_SET_CURRENT:
      if (code == BN_CLICKED) SetCurrent(page, printerName);
      break;
    case IDC_SET_ALL:
      if (code == BN_CLICKED) SetAll(page, printerName);
      break;
    case IDC_CALIBRATE:
      if (code == BN_CLICKED) Calibrated(page);
      break;
    default:
      break;
  }
  return (code == BN_CLICKED || code == LBN_SELCHANGE || code == CBN_SELENDOK) ? TRUE : FALSE;
}

}  // namespace

void PrinterNameFromCaption(HWND page, WCHAR (&printerName)[kPathChars]) {
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
}

int InitSettingsPage(HWND page, LPCWSTR printerName) {
  int opened = OpenCatalogue(printerName);
  CatalogueHold catalogue = HoldPageCatalogue(printerName);
  SendToControl(page, IDC_CLASS_LIST, CB_RESETCONTENT, 0, 0);
  if (catalogue) {
    const LONG sections = SectionCountOf(*catalogue.get());
    for (LONG s = 0; s < sections; ++s)
      AddTitle(page, IDC_CLASS_LIST, CB_ADDSTRING, catalogue.get()->Sections[s].Title);
    if (sections > 0) SendToControl(page, IDC_CLASS_LIST, CB_SETCURSEL, 0, 0);
  }
  ShowSectionItems(page, printerName, 0);
  return opened;
}

int ShowSectionItems(HWND page, LPCWSTR printerName, LONG section) {
  CatalogueHold catalogue = HoldPageCatalogue(printerName);
  const SettingsSection *s = catalogue ? SectionAt(*catalogue.get(), section) : nullptr;
  SendToControl(page, IDC_ITEM_LIST, LB_RESETCONTENT, 0, 0);
  const LONG items = s ? ItemCountOf(*s) : 0;
  for (LONG i = 0; i < items; ++i) AddTitle(page, IDC_ITEM_LIST, LB_ADDSTRING, s->Items[i].Title);
  if (items == 0) {
    ClearOptionLists(page);
    return 0;
  }
  SendToControl(page, IDC_ITEM_LIST, LB_SETCURSEL, 0, 0);
  return ShowItemOptions(page, printerName, section, 0);
}

int ShowItemOptions(HWND page, LPCWSTR printerName, LONG section, LONG item) {
  CatalogueHold catalogue = HoldPageCatalogue(printerName);
  const SettingsItem *shownItem = HeldItem(catalogue, section, item);
  if (!shownItem) {
    ClearOptionLists(page);
    return 0;
  }
  const SettingsItem &it = *shownItem;
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
    if (option->Value == it.CurrentValue) selected = LONG(row);
    if (option->Value == it.DefaultValue) defaultText = option->Text;
  }

  if (multi) {
    for (int row = 0; row < kMaskRows; ++row)
      if ((DWORD(it.CurrentValue) >> (kMaskRows - 1 - row)) & 1) SendMessageW(list, LB_SETSEL, TRUE, row);
  } else {
    SendMessageW(list, LB_SETCURSEL, WPARAM(selected), 0);
  }
  SetHint(page, it, defaultText);
  return 1;
}

int ResetAllToDefaults(HWND page, LPCWSTR printerName, LONG section, LONG item) {
  CatalogueHold catalogue = HoldPageCatalogue(printerName);
  if (!catalogue) return 0;
  const LONG sections = SectionCountOf(*catalogue.get());
  for (LONG s = 0; s < sections; ++s) {
    SettingsSection &sec = catalogue.get()->Sections[s];
    const LONG items = ItemCountOf(sec);
    for (LONG i = 0; i < items; ++i) sec.Items[i].CurrentValue = sec.Items[i].DefaultValue;
  }
  // With no item on the page there is nothing to show again.
  if (ItemAt(*catalogue.get(), section, item)) ShowItemOptions(page, printerName, section, item);
  return 1;
}

int ChooseOption(SettingsCatalogue &catalogue, LONG section, LONG item, LONG row) {
  SettingsItem *it = ItemAt(catalogue, section, item);
  if (!it) return 0;
  const SettingsOption *option = OptionAt(*it, row);
  if (!option || option->Value == -1) return 0;
  it->CurrentValue = option->Value;
  return 1;
}

int ChooseOption(LONG section, LONG item, LONG row) {
  SettingsCatalogue *catalogue = CurrentCatalogue();
  return catalogue ? ChooseOption(*catalogue, section, item, row) : 0;
}

INT_PTR CALLBACK PrinterSettingsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_INITDIALOG && message != WM_COMMAND && message != WM_DESTROY) return FALSE;
  WCHAR printerName[kPathChars];
  PrinterNameFromCaption(page, printerName);
  switch (message) {
    case WM_INITDIALOG:
      if (InitSettingsPage(page, printerName)) SetWindowLongPtrW(page, DWLP_USER, kHoldsCatalogue);
      return FALSE;
    case WM_COMMAND:
      return OnCommand(page, printerName, LOWORD(wParam), HIWORD(wParam));
    case WM_DESTROY:
      if (GetWindowLongPtrW(page, DWLP_USER) == kHoldsCatalogue) {
        SetWindowLongPtrW(page, DWLP_USER, 0);
        ReleaseCatalogue(printerName);
      }
      return FALSE;
  }
  return FALSE;
}
