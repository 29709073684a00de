// The class factory of the plug-in object.
#pragma once

#include "module/plugin_module.h"

class IOemCF final : public ComObject<IOemCF, IClassFactory, &IID_IClassFactory> {
 public:
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown *pUnkOuter, REFIID riid, void **ppv) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL fLock) override;
};
