// The spooler subset: printers, their drivers and data, and raw jobs, for the Linux build.
#pragma once

#include "platform/host/win_base.h"

typedef struct _PRINTER_DEFAULTSW {
  LPWSTR pDatatype;
  void *pDevMode;
  DWORD DesiredAccess;
} PRINTER_DEFAULTSW, *LPPRINTER_DEFAULTSW;

typedef struct _DRIVER_INFO_1W {
  LPWSTR pName;
} DRIVER_INFO_1W, *PDRIVER_INFO_1W;

typedef struct _DOC_INFO_1W {
  LPWSTR pDocName;
  LPWSTR pOutputFile;
  LPWSTR pDatatype;
} DOC_INFO_1W, *LPDOC_INFO_1W;

// Printer data value types.
#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4
#define REG_MULTI_SZ 7

BOOL WINAPI OpenPrinterW(LPWSTR name, LPHANDLE printer, LPPRINTER_DEFAULTSW defaults);
BOOL WINAPI ClosePrinter(HANDLE printer);
BOOL WINAPI GetPrinterDriverW(HANDLE printer, LPWSTR environment, DWORD level, LPBYTE buffer, DWORD bytes,
                              LPDWORD needed);
BOOL WINAPI GetPrinterDriverDirectoryW(LPWSTR server, LPWSTR environment, DWORD level, LPBYTE buffer, DWORD bytes,
                                       LPDWORD needed);
DWORD WINAPI GetPrinterDataW(HANDLE printer, LPWSTR name, LPDWORD type, LPBYTE data, DWORD bytes, LPDWORD needed);
DWORD WINAPI SetPrinterDataW(HANDLE printer, LPWSTR name, DWORD type, LPBYTE data, DWORD bytes);
DWORD WINAPI StartDocPrinterW(HANDLE printer, DWORD level, LPBYTE docInfo);
BOOL WINAPI StartPagePrinter(HANDLE printer);
BOOL WINAPI WritePrinter(HANDLE printer, LPVOID data, DWORD bytes, LPDWORD written);
BOOL WINAPI EndPagePrinter(HANDLE printer);
BOOL WINAPI EndDocPrinter(HANDLE printer);
