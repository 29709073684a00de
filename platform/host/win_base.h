// Base types and kernel services of the Win32 subset that the domain code uses, for the Linux build.
#pragma once

#include <cstddef>
#include <cstdint>

typedef char16_t WCHAR;
typedef WCHAR *LPWSTR, *PWSTR;
typedef const WCHAR *LPCWSTR, *PCWSTR;
typedef char CHAR;
typedef char *LPSTR;
typedef const char *LPCSTR;
typedef int BOOL;
typedef int INT;
typedef unsigned int UINT;
typedef int32_t LONG;
typedef uint32_t ULONG, DWORD, FLONG;
typedef DWORD *LPDWORD, *PDWORD;
typedef ULONG *PULONG;
typedef LONG *PLONG;
typedef uint16_t WORD, LANGID, USHORT;
typedef uint8_t BYTE;
typedef BYTE *LPBYTE, *PBYTE;
typedef int16_t SHORT;
typedef int64_t LONGLONG;
typedef uint64_t ULONGLONG;
typedef void VOID;
typedef void *PVOID, *LPVOID, *HANDLE;
typedef const void *LPCVOID;
typedef HANDLE *LPHANDLE, *PHANDLE;
typedef size_t SIZE_T;
typedef intptr_t LONG_PTR, INT_PTR, LPARAM, LRESULT;
typedef uintptr_t ULONG_PTR, UINT_PTR, WPARAM, DWORD_PTR;
typedef LONG HRESULT;

#define TRUE 1
#define FALSE 0
#define WINAPI
#define APIENTRY
#define CALLBACK
#define STDMETHODCALLTYPE
#define CONST const

#define ARRAYSIZE(a) (sizeof(a) / sizeof((a)[0]))
#define LOWORD(l) ((WORD)(((DWORD_PTR)(l)) & 0xffff))

// Reasons of a module entry call.
#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3
#define HIWORD(l) ((WORD)((((DWORD_PTR)(l)) >> 16) & 0xffff))
#define MAKELANGID(p, s) ((((WORD)(s)) << 10) | (WORD)(p))
#define MAKELONG(a, b) ((LONG)(((WORD)(a)) | ((DWORD)((WORD)(b))) << 16))

typedef union _LARGE_INTEGER {
  struct {
    DWORD LowPart;
    LONG HighPart;
  };
  LONGLONG QuadPart;
} LARGE_INTEGER, *PLARGE_INTEGER;

// Error codes.
#define ERROR_SUCCESS 0L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_PATH_NOT_FOUND 3L
#define ERROR_ACCESS_DENIED 5L
#define ERROR_BROKEN_PIPE 109L
#define ERROR_NO_DATA 232L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_NOT_ENOUGH_MEMORY 8L
#define ERROR_OUTOFMEMORY 14L
#define ERROR_NOT_SUPPORTED 50L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_INSUFFICIENT_BUFFER 122L
#define ERROR_MORE_DATA 234L
#define ERROR_NO_UNICODE_TRANSLATION 1113L
#define ERROR_INVALID_PRINTER_NAME 1801L
#define ERROR_UNKNOWN_PRINTER_DRIVER 1797L
#define ERROR_INVALID_DATATYPE 1804L
#define ERROR_NOT_FOUND 1168L
#define ERROR_BADKEY 1010L

DWORD WINAPI GetLastError(void);
void WINAPI SetLastError(DWORD code);

// Strings (ordinal comparisons; the domain compares names, not prose).
int WINAPI lstrlenW(LPCWSTR s);
int WINAPI lstrcmpW(LPCWSTR a, LPCWSTR b);
int WINAPI lstrcmpiW(LPCWSTR a, LPCWSTR b);
LPWSTR WINAPI lstrcpynW(LPWSTR dst, LPCWSTR src, int max);
LPWSTR WINAPI lstrcpyW(LPWSTR dst, LPCWSTR src);
LPWSTR WINAPI lstrcatW(LPWSTR dst, LPCWSTR src);
// Formats %d %i %u %x %X %s %c %% with optional '-', '0', width and precision; writes at most 1024 characters,
// like the platform's.
int wsprintfW(LPWSTR dst, LPCWSTR format, ...);

// Heaps. Every heap counts its live blocks so that tests can see leaks.
#define HEAP_ZERO_MEMORY 0x00000008
#define HEAP_GENERATE_EXCEPTIONS 0x00000004
#define HEAP_NO_SERIALIZE 0x00000001
HANDLE WINAPI GetProcessHeap(void);
HANDLE WINAPI HeapCreate(DWORD options, SIZE_T initial, SIZE_T maximum);
BOOL WINAPI HeapDestroy(HANDLE heap);
LPVOID WINAPI HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes);
LPVOID WINAPI HeapReAlloc(HANDLE heap, DWORD flags, LPVOID block, SIZE_T bytes);
BOOL WINAPI HeapFree(HANDLE heap, DWORD flags, LPVOID block);
SIZE_T WINAPI HeapSize(HANDLE heap, DWORD flags, LPCVOID block);

// Interlocked counters.
LONG InterlockedIncrement(LONG volatile *value);
LONG InterlockedDecrement(LONG volatile *value);
LONG InterlockedExchange(LONG volatile *target, LONG value);
LONG InterlockedCompareExchange(LONG volatile *target, LONG exchange, LONG comparand);

// Locale.
#define LANG_NEUTRAL 0x00
#define LANG_ENGLISH 0x09
#define LANG_CHINESE 0x04
#define SUBLANG_DEFAULT 0x01
#define SUBLANG_ENGLISH_US 0x01
#define SUBLANG_CHINESE_SIMPLIFIED 0x02
LANGID WINAPI GetSystemDefaultLangID(void);
LANGID WINAPI GetUserDefaultUILanguage(void);
LANGID WINAPI GetThreadUILanguage(void);
UINT WINAPI GetACP(void);

// Code pages: UTF-8, 1252 and 936 (and CP_ACP, which follows the system language).
#define CP_ACP 0
#define CP_UTF8 65001
#define MB_ERR_INVALID_CHARS 0x00000008
#define WC_NO_BEST_FIT_CHARS 0x00000400  // the emulation never fits a character to a look-alike
int WINAPI MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR src, int srcBytes, LPWSTR dst, int dstChars);
BOOL WINAPI IsDBCSLeadByteEx(UINT codePage, BYTE testChar);
int WINAPI WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR src, int srcChars, LPSTR dst, int dstBytes,
                               LPCSTR defaultChar, BOOL *usedDefault);

// Files: disk files read whole, or written anew. Paths are Windows-style; '\' is taken as a separator.
#define GENERIC_READ 0x80000000UL
#define GENERIC_WRITE 0x40000000UL
#define FILE_SHARE_READ 0x00000001
#define FILE_SHARE_WRITE 0x00000002
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define FILE_ATTRIBUTE_NORMAL 0x00000080
#define INVALID_HANDLE_VALUE ((HANDLE)(LONG_PTR)-1)
#define INVALID_FILE_SIZE ((DWORD)0xFFFFFFFF)
typedef struct _SECURITY_ATTRIBUTES *LPSECURITY_ATTRIBUTES;
typedef struct _OVERLAPPED *LPOVERLAPPED;
HANDLE WINAPI CreateFileW(LPCWSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                          DWORD disposition, DWORD flags, HANDLE templateFile);
BOOL WINAPI ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read, LPOVERLAPPED overlapped);
BOOL WINAPI WriteFile(HANDLE file, LPCVOID buffer, DWORD toWrite, LPDWORD written, LPOVERLAPPED overlapped);
BOOL WINAPI GetFileSizeEx(HANDLE file, PLARGE_INTEGER size);
BOOL WINAPI CloseHandle(HANDLE handle);
