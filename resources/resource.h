// Resource ids of the plug-in module: the string table, the dialog templates and their controls.
#pragma once

// String table.
#define IDS_ADDED_ITEM 1
#define IDS_CALIBRATED 2
#define IDS_CUSTOMIZATION_DLL 3
#define IDS_DEVICE_ADDED_ITEM 4
#define IDS_DEFAULT 5
#define IDS_ALL_COMMANDS_SENT 6
#define IDS_COMMAND_SENT 7
#define IDS_SEND_FAILED 8
#define IDS_JOB_NAME 9
#define IDS_COMPRESS_TITLE 10
#define IDS_RESET_CONFIRM 11
#define IDS_XMOVE_TITLE 12
#define IDS_JOB_WRITTEN 13  // a preview's job, written to a file: the format names the file with %s

// Dialog templates.
#define IDD_OTHERS 104
#define IDD_PRINTER_SETTINGS 106
#define IDD_DOCUMENT_PAGE 107

// Controls of the Printer Settings page (106).
#define IDC_CALIBRATE 1001  // a command the page answers; no control bears it
#define IDC_CLASS_LIST 1002
#define IDC_ITEM_LIST 1003
#define IDC_MULTI_OPTIONS 1004
#define IDC_RESET_ALL 1005
#define IDC_SET_CURRENT 1006
#define IDC_HINTS 1007
#define IDC_SET_ALL 1008
#define IDC_SINGLE_OPTIONS 1009

// Controls of the "Others" template (104).
#define IDC_OTHERS_OK 1009
#define IDC_OTHERS_CANCEL 1010

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
