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

// AddRef of every object of the module: one interlocked increment of its count.
ULONG AddReference(LONG volatile &count);

// IUnknown of the module's objects: one interface besides IUnknown, an interlocked count that starts at 1, and the
// object deleted when its count reaches 0.
template <typename Self, typename Interface, const IID *InterfaceId>
class ComObject : public Interface {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **ppv) override {
    if (IsEqualGUID(riid, IID_IUnknown) || IsEqualGUID(riid, *InterfaceId)) {
      *ppv = static_cast<Interface *>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return AddReference(references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete static_cast<Self *>(this);
    return ULONG(left);
  }

 private:
  LONG volatile references_ = 1;
};
