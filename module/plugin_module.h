// The plug-in module's COM frame: the exports a printer driver's UI module calls, the class it creates, and the
// counts that decide whether the module may be unloaded.
#pragma once

#include "platform/platform.h"

// {ABCE80D7-9F46-11D1-882A-00C04FB961EC}: the one class this module serves.
inline const CLSID CLSID_PrinterSettingsPlugin = {
    0xABCE80D7, 0x9F46, 0x11D1, {0x88, 0x2A, 0x00, 0xC0, 0x4F, 0xB9, 0x61, 0xEC}};

extern "C" {
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);
HRESULT STDMETHODCALLTYPE DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID *ppv);
HRESULT STDMETHODCALLTYPE DllCanUnloadNow(void);
}

// Plug-in objects alive, and server locks held; both change only by interlocked operations.
LONG ComponentCount();
LONG ServerLockCount();
void AddComponent();
void RemoveComponent();
void LockModule(BOOL lock);

// Byte-for-byte equality of two identifiers.
bool SameGuid(REFGUID a, REFGUID b);

// The reference counting that the factory and the plug-in object share.
ULONG AddReference(LONG volatile &count);
