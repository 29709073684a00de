// The Printer Settings page: a device property page (template 106) on which the operator picks a class of printer
// settings, an item of it and a value, and sends one item (Set Current) or every item (Set All) to the printer.
//
// The page gets nothing from its creator: it takes its printer's name from the caption of its property sheet once,
// as it opens. From WM_INITDIALOG to WM_DESTROY it owns a state of its own, kept in the dialog's user data: that
// name, its open catalogue (shared with the other pages of the printer, which nobody writes into), the operator's
// choices, and where its jobs go. Every message works on that state alone, so a caption that changes later, or
// another page of the same printer on this thread or another, never changes what this page shows or sends.
#pragma once

#include "catalogue/catalogue.h"
#include "page/job_bytes.h"
#include "platform/platform.h"

// Section and item titles are shown through a buffer of this many characters (so at most 49 of them).
constexpr int kShownTitleChars = 50;
// The hint is composed in this many characters.
constexpr int kHintChars = 260;

// Dialog procedure of the page. Handles WM_INITDIALOG, WM_COMMAND and WM_DESTROY; WM_COMMAND answers 1 for the
// notification codes BN_CLICKED, LBN_SELCHANGE and CBN_SELENDOK and 0 for any other, every other message 0.
INT_PTR CALLBACK PrinterSettingsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The page's printer name: the caption of its parent window (read up to 511 characters) before the caption's last
// blank, or the whole caption when it has none. True when that is the whole name; false when the name has 260
// characters or more (`printerName` then holds its first 259, fit only to be shown) or the caption is longer than
// was read. A page without a parent gives "".
bool PrinterNameFromCaption(HWND page, WCHAR (&printerName)[kPathChars]);

// Opens the page for the printer: its state, its catalogue (OpenPageCatalogue) and its class list, showing section
// 0. Returns 1 when the page has a catalogue, 0 when it has none (no room, or a name too long: it then shows no
// classes and sends nothing).
int InitSettingsPage(HWND page, LPCWSTR printerName);

// The same for a page that is not the driver's: a catalogue of the caller's own (a settings file previewed), shown
// under the printer name, and, when `jobFile` is given, its jobs written to that file instead of sent.
int InitPreviewPage(HWND page, LPCWSTR printerName, UniqueCatalogue catalogue, LPCWSTR jobFile);

// Fills the item list with the items of one section of the page's catalogue and shows the first of them. A section
// that does not exist or has no items leaves an empty item list and the option lists empty and hidden. Returns 1
// when an item is shown.
int ShowSectionItems(HWND page, LONG section);

// Shows the option list and the hint of one item with the page's choice for it. Never changes the choice. For an
// item that does not exist both option lists are emptied and hidden and the hint keeps its text; returns 1 when the
// item was shown.
int ShowItemOptions(HWND page, LONG section, LONG item);

// Returns every choice of the page to its item's default, then shows the given item again (when it exists).
// Returns 1 when the page has a catalogue.
int ResetAllToDefaults(HWND page, LONG section, LONG item);

// Stores the Value of the option at `row` of a single-choice item as the page's choice for it. A row without an
// option behind it, or an option whose Value is -1, changes nothing. Returns 1 when the value was stored.
int ChooseOption(const SettingsCatalogue &catalogue, ItemValues &choices, LONG section, LONG item, LONG row);
