// The property-sheet page description a plug-in hands to the common property-sheet UI, for the Linux build.
#pragma once

#include <cstddef>

#include "platform/host/win_base.h"
#include "platform/host/win_resource.h"
#include "platform/host/win_window.h"

typedef struct _PROPSHEETPAGEW *LPPROPSHEETPAGEW;
typedef UINT(CALLBACK *LPFNPSPCALLBACKW)(HWND hwnd, UINT msg, LPPROPSHEETPAGEW page);
typedef struct HICON__ *HICON;

typedef struct _PROPSHEETPAGEW {
  DWORD dwSize;
  DWORD dwFlags;
  HINSTANCE hInstance;
  union {
    LPCWSTR pszTemplate;
    const void *pResource;
  };
  union {
    HICON hIcon;
    LPCWSTR pszIcon;
  };
  LPCWSTR pszTitle;
  DLGPROC pfnDlgProc;
  LPARAM lParam;
  LPFNPSPCALLBACKW pfnCallback;
  UINT *pcRefParent;
  LPCWSTR pszHeaderTitle;
  LPCWSTR pszHeaderSubTitle;
} PROPSHEETPAGEW;
typedef const PROPSHEETPAGEW *LPCPROPSHEETPAGEW;

// The size of the layout that ends with the header title and subtitle.
#define PROPSHEETPAGEW_V2_SIZE (offsetof(PROPSHEETPAGEW, pszHeaderSubTitle) + sizeof(LPCWSTR))
