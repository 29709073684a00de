// The Printer Settings page: a device property page (template 106) on which the operator picks a class of printer
// settings, an item of it and a value, and sends one item (Set Current) or every item (Set All) to the printer.
// The page gets nothing from its creator: it knows its printer by the caption of its property sheet, and every
// operation finds the printer's catalogue by that name.
#pragma once

#include "catalogue/catalogue.h"
#include "platform/platform.h"

// Section and item titles are shown through a buffer of this many characters (so at most 49 of them).
constexpr int kShownTitleChars = 50;
// The hint is composed in this many characters.
constexpr int kHintChars = 260;

// Dialog procedure of the page. Handles WM_INITDIALOG, WM_COMMAND and WM_DESTROY; WM_COMMAND answers 1 for the
// notification codes BN_CLICKED, LBN_SELCHANGE and CBN_SELENDOK and 0 for any other, every other message 0.
INT_PTR CALLBACK PrinterSettingsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The page's printer name: the caption of its parent window (read up to 511 characters) before the caption's last
// blank, or the whole caption when it has none, cut to 259 characters. A page without a parent gives "".
void PrinterNameFromCaption(HWND page, WCHAR (&printerName)[kPathChars]);

// Opens the printer's catalogue, fills the class list with one row per section and shows section 0. Returns what
// OpenCatalogue returned (0: no catalogue, and the page shows no classes).
int InitSettingsPage(HWND page, LPCWSTR printerName);

// Fills the item list with the items of one section and shows the first of them. A section that does not exist or
// has no items leaves an empty item list and the option lists empty and hidden. Returns 1 when an item is shown.
int ShowSectionItems(HWND page, LPCWSTR printerName, LONG section);

// Shows the option list and the hint of one item. Never changes the item's value. For an item that does not exist
// both option lists are emptied and hidden and the hint keeps its text; returns 1 when the item was shown.
int ShowItemOptions(HWND page, LPCWSTR printerName, LONG section, LONG item);

// Returns every item of the printer's catalogue to its default, then shows the given item again (when it exists).
// Returns 1 when the catalogue was found.
int ResetAllToDefaults(HWND page, LPCWSTR printerName, LONG section, LONG item);

// Stores the Value of the option at `row` as a single-choice item's value. A row without an option behind it, or an
// option whose Value is -1, changes nothing. Returns 1 when the value was stored.
int ChooseOption(SettingsCatalogue &catalogue, LONG section, LONG item, LONG row);
// The same in the current catalogue.
int ChooseOption(LONG section, LONG item, LONG row);
