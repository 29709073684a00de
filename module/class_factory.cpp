#include "module/class_factory.h"

#include <new>

#include "module/plugin_module.h"
#include "module/plugin_object.h"

HRESULT STDMETHODCALLTYPE IOemCF::QueryInterface(REFIID riid, void **ppv) {
  if (SameGuid(riid, IID_IUnknown) || SameGuid(riid, IID_IClassFactory)) {
    *ppv = static_cast<IClassFactory *>(this);
    AddRef();
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE IOemCF::AddRef() { return AddReference(references_); }

ULONG STDMETHODCALLTYPE IOemCF::Release() {
  LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return ULONG(left);
}

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
