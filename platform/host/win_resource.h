// Module handles and the resource loader of the Win32 subset, for the Linux build. The process has one image: the
// module's compiled resources (a .res file), whatever module handle a caller passes.
#pragma once

#include "platform/host/win_base.h"

typedef struct HINSTANCE__ *HINSTANCE;
typedef HINSTANCE HMODULE;
typedef struct HRSRC__ *HRSRC;
typedef HANDLE HGLOBAL;

#define MAKEINTRESOURCEW(i) ((LPWSTR)(ULONG_PTR)(WORD)(i))
#define IS_INTRESOURCE(r) ((((ULONG_PTR)(r)) >> 16) == 0)

#define RT_CURSOR MAKEINTRESOURCEW(1)
#define RT_BITMAP MAKEINTRESOURCEW(2)
#define RT_ICON MAKEINTRESOURCEW(3)
#define RT_MENU MAKEINTRESOURCEW(4)
#define RT_DIALOG MAKEINTRESOURCEW(5)
#define RT_STRING MAKEINTRESOURCEW(6)
#define RT_VERSION MAKEINTRESOURCEW(16)
#define RT_MANIFEST MAKEINTRESOURCEW(24)

#define SUBLANG_NEUTRAL 0x00
#define PRIMARYLANGID(l) ((WORD)(l) & 0x3ff)
#define SUBLANGID(l) ((WORD)(l) >> 10)

#define ERROR_RESOURCE_DATA_NOT_FOUND 1812L
#define ERROR_RESOURCE_TYPE_NOT_FOUND 1813L
#define ERROR_RESOURCE_NAME_NOT_FOUND 1814L
#define ERROR_RESOURCE_LANG_NOT_FOUND 1815L

// The neutral entry, else that of the calling thread's UI language, else US English, else the first there is.
HRSRC WINAPI FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type);
// The entry of exactly `language`, else of its primary language, else the neutral one; a neutral `language` picks
// as FindResourceW does.
HRSRC WINAPI FindResourceExW(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language);
HGLOBAL WINAPI LoadResource(HMODULE module, HRSRC resource);
LPVOID WINAPI LockResource(HGLOBAL data);
DWORD WINAPI SizeofResource(HMODULE module, HRSRC resource);
BOOL WINAPI FreeResource(HGLOBAL data);

// Copies string `id` cut to size - 1 characters and a terminator; returns the characters copied. With size 0,
// stores a read-only pointer to the (unterminated) text in *(LPWSTR *)buffer and returns its length.
int WINAPI LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int size);
