#include <new>

#include "module/class_factory.h"
#include "resources/module_instance.h"

namespace {
LONG volatile components = 0;
LONG volatile serverLocks = 0;
}  // namespace

LONG ComponentCount() { return components; }
LONG ServerLockCount() { return serverLocks; }
void AddComponent() { InterlockedIncrement(&components); }
void RemoveComponent() { InterlockedDecrement(&components); }
void LockModule(BOOL lock) { lock ? InterlockedIncrement(&serverLocks) : InterlockedDecrement(&serverLocks); }

ULONG AddReference(LONG volatile &count) { return ULONG(InterlockedIncrement(&count)); }

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (LOWORD(reason) == DLL_PROCESS_ATTACH) SetModuleInstance(instance);
  return TRUE;
}

extern "C" HRESULT STDMETHODCALLTYPE DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID *ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (!IsEqualCLSID(rclsid, CLSID_PrinterSettingsPlugin)) return CLASS_E_CLASSNOTAVAILABLE;
  IOemCF *factory = new (std::nothrow) IOemCF;
  if (!factory) return E_OUTOFMEMORY;
  // The caller ends up holding the only reference, or, when the interface is refused, none is left.
  HRESULT result = factory->QueryInterface(riid, ppv);
  factory->Release();
  return result;
}

extern "C" HRESULT STDMETHODCALLTYPE DllCanUnloadNow(void) {
  return (components != 0 || serverLocks != 0) ? S_FALSE : S_OK;
}
