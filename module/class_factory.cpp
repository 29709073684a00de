#include "module/class_factory.h"

#include <new>

#include "module/plugin_object.h"

HRESULT STDMETHODCALLTYPE IOemCF::CreateInstance(IUnknown *pUnkOuter, REFIID riid, void **ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (pUnkOuter) return CLASS_E_NOAGGREGATION;
  IOemUI *object = new (std::nothrow) IOemUI;
  if (!object) return E_OUTOFMEMORY;
  HRESULT result = object->QueryInterface(riid, ppv);
  object->Release();
  return result;
}

HRESULT STDMETHODCALLTYPE IOemCF::LockServer(BOOL fLock) {
  LockModule(fLock);
  return S_OK;
}
