// The one header through which domain code sees Win32. On Windows it is the SDK itself; on Linux it is the
// emulation in platform/host/, which offers the same names with the same semantics.
#pragma once

#if defined(_WIN32)
#include <windows.h>
#include <objbase.h>
#include <winspool.h>
#include <commctrl.h>
#include <prsht.h>
#include <compstui.h>
#include <winddiui.h>
#define PRNSET_WTEXT_(s) L##s
#else
#include "platform/host/win32.h"
#define PRNSET_WTEXT_(s) u##s
#endif

#include "platform/oem_interfaces.h"

// Wide literal in the platform's WCHAR: L"..." on Windows, u"..." on Linux.
#define WTEXT(s) PRNSET_WTEXT_(s)
