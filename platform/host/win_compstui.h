// The common property-sheet UI for the Linux build: the settings-tree structures (OPTITEM, OPTTYPE, OPTPARAM), the
// callback parameter block and the property-sheet hand-over structures, with the platform's field names, types,
// order and constant values. The sheet itself is the driver's; nothing here draws anything.
#pragma once

#include "platform/host/win_base.h"
#include "platform/host/win_resource.h"

// Window-system handles that these structures carry (distinct pointer types, as in the platform's strict mode).
typedef struct HWND__ *HWND;
typedef struct HICON__ *HICON;

// The driver's public DEVMODE. The plug-in passes it on and never reads it.
typedef struct _devicemodeW DEVMODEW, *PDEVMODEW, *LPDEVMODEW;

// Extensions of an item that the plug-in never sets.
typedef struct _EXTCHKBOX *PEXTCHKBOX;
typedef struct _EXTPUSH *PEXTPUSH;
typedef struct _OIEXT *POIEXT;

typedef struct _OPTPARAM {
  WORD cbSize;
  BYTE Flags;
  BYTE Style;
  LPWSTR pData;
  ULONG_PTR IconID;
  LPARAM lParam;
  ULONG_PTR dwReserved[2];
} OPTPARAM, *POPTPARAM;

typedef struct _OPTTYPE {
  WORD cbSize;
  BYTE Type;
  BYTE Flags;
  WORD Count;
  WORD BegCtrlID;
  POPTPARAM pOptParam;
  WORD Style;
  WORD wReserved[3];
  ULONG_PTR dwReserved[3];
} OPTTYPE, *POPTTYPE;

typedef struct _OPTITEM {
  WORD cbSize;
  BYTE Level;
  BYTE DlgPageIdx;
  DWORD Flags;
  ULONG_PTR UserData;
  LPWSTR pName;
  union {
    LONG Sel;
    LPWSTR pSel;
  };
  union {
    PEXTCHKBOX pExtChkBox;
    PEXTPUSH pExtPush;
  };
  POPTTYPE pOptType;
  DWORD HelpIndex;
  BYTE DMPubID;
  BYTE UserItemID;
  WORD wReserved;
  POIEXT pOIExt;
  ULONG_PTR dwReserved[3];
} OPTITEM, *POPTITEM;

typedef struct _CPSUICBPARAM {
  WORD cbSize;
  WORD Reason;
  HWND hDlg;
  POPTITEM pOptItem;
  WORD cOptItem;
  WORD Flags;
  POPTITEM pCurItem;
  union {
    LONG OldSel;
    LPWSTR pOldSel;
  };
  ULONG_PTR UserData;
  ULONG_PTR Result;
} CPSUICBPARAM, *PCPSUICBPARAM;

typedef LONG(APIENTRY *_CPSUICALLBACK)(PCPSUICBPARAM pCPSUICBParam);

typedef LONG_PTR(CALLBACK *PFNCOMPROPSHEET)(HANDLE hComPropSheet, UINT Function, LPARAM lParam1, LPARAM lParam2);

typedef struct _PROPSHEETUI_INFO {
  WORD cbSize;
  WORD Version;
  WORD Flags;
  WORD Reason;
  HANDLE hComPropSheet;
  PFNCOMPROPSHEET pfnComPropSheet;
  LPARAM lParamInit;
  ULONG_PTR UserData;
  ULONG_PTR Result;
} PROPSHEETUI_INFO, *PPROPSHEETUI_INFO;

typedef LONG(CALLBACK *PFNPROPSHEETUI)(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam);

typedef struct _PROPSHEETUI_INFO_HEADER {
  WORD cbSize;
  WORD Flags;
  LPWSTR pTitle;
  HWND hWndParent;
  HINSTANCE hInst;
  union {
    HICON hIcon;
    ULONG_PTR IconID;
  };
} PROPSHEETUI_INFO_HEADER, *PPROPSHEETUI_INFO_HEADER;

typedef struct _SETRESULT_INFO {
  WORD cbSize;
  WORD wReserved;
  HANDLE hSetResult;
  LRESULT Result;
} SETRESULT_INFO, *PSETRESULT_INFO;

// OPTTYPE.Type
#define TVOT_2STATES 0
#define TVOT_3STATES 1
#define TVOT_UDARROW 2
#define TVOT_TRACKBAR 3
#define TVOT_SCROLLBAR 4
#define TVOT_LISTBOX 5
#define TVOT_COMBOBOX 6
#define TVOT_EDITBOX 7
#define TVOT_PUSHBUTTON 8
#define TVOT_CHKBOX 9

// OPTITEM.Flags
#define OPTIF_COLLAPSE 0x00000001L
#define OPTIF_HIDE 0x00000002L
#define OPTIF_CALLBACK 0x00000004L
#define OPTIF_CHANGED 0x00000008L
#define OPTIF_CHANGEONCE 0x00000010L
#define OPTIF_DISABLED 0x00000020L

// OPTITEM.DMPubID
#define DMPUB_NONE 0

// CPSUICBPARAM.Reason
#define CPSUICB_REASON_SEL_CHANGED 0
#define CPSUICB_REASON_PUSHBUTTON 1
#define CPSUICB_REASON_ECB_CHANGED 2
#define CPSUICB_REASON_DLGPROC 3
#define CPSUICB_REASON_UNDO_CHANGES 4
#define CPSUICB_REASON_EXTPUSH 5
#define CPSUICB_REASON_APPLYNOW 6
#define CPSUICB_REASON_OPTITEM_SETFOCUS 7
#define CPSUICB_REASON_ITEMS_REVERTED 8
#define CPSUICB_REASON_ABOUT 9
#define CPSUICB_REASON_SETACTIVE 10
#define CPSUICB_REASON_KILLACTIVE 11

// Callback answers.
#define CPSUICB_ACTION_NONE 0
#define CPSUICB_ACTION_OPTIF_CHANGED 1
#define CPSUICB_ACTION_REINIT_ITEMS 2
#define CPSUICB_ACTION_NO_APPLY_EXIT 3
#define CPSUICB_ACTION_ITEMS_APPLIED 4

// pfnComPropSheet functions.
#define CPSFUNC_ADD_HPROPSHEETPAGE 0
#define CPSFUNC_ADD_PROPSHEETPAGEW 1
#define CPSFUNC_ADD_PCOMPROPSHEETUIW 3
#define CPSFUNC_ADD_PFNPROPSHEETUIW 5

// PROPSHEETUI_INFO.Reason
#define PROPSHEETUI_REASON_INIT 0
#define PROPSHEETUI_REASON_GET_INFO_HEADER 1
#define PROPSHEETUI_REASON_DESTROY 2
#define PROPSHEETUI_REASON_SET_RESULT 3
#define PROPSHEETUI_REASON_GET_ICON 4
#define PROPSHEETUI_REASON_BEFORE_INIT 5
#define PROPSHEETUI_INFO_VERSION 0x0100
