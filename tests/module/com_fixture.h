// What the module's suites share: the identifiers a driver's UI module asks for, a driver interface of the tests'
// own, and a plug-in object made the way the driver makes one.
#pragma once

#include <gtest/gtest.h>

#include <cstring>

#include "module/plugin_module.h"
#include "module/plugin_object.h"

namespace com_fixture {

// {C6A7A9D0-774C-11D1-947F-00A0C90640B8}, written out here so a wrong constant in the module shows.
inline const IID kPrintOemUI = {0xC6A7A9D0, 0x774C, 0x11D1, {0x94, 0x7F, 0x00, 0xA0, 0xC9, 0x06, 0x40, 0xB8}};
inline const IID kPrintOemDriverUI = {0x92B05D50, 0x78BC, 0x11D1, {0x94, 0x80, 0x00, 0xA0, 0xC9, 0x06, 0x40, 0xB8}};
inline const CLSID kPlugin = {0xABCE80D7, 0x9F46, 0x11D1, {0x88, 0x2A, 0x00, 0xC0, 0x4F, 0xB9, 0x61, 0xEC}};
inline const IID kOther = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};

// A driver's own interface: answers IPrintOemDriverUI when it is told to, and counts what it hands out.
class FakeDriver : public IPrintOemDriverUI {
 public:
  explicit FakeDriver(bool serves) : serves_(serves) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **ppv) override {
    ++queries;
    if (serves_ && std::memcmp(&riid, &kPrintOemDriverUI, sizeof(IID)) == 0) {
      *ppv = static_cast<IPrintOemDriverUI *>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(++references); }
  ULONG STDMETHODCALLTYPE Release() override { return ULONG(--references); }
  int references = 1;
  int queries = 0;

 private:
  bool serves_;
};

inline IPrintOemUI *CreatePlugin() {
  IClassFactory *factory = nullptr;
  EXPECT_EQ(DllGetClassObject(kPlugin, IID_IClassFactory, reinterpret_cast<void **>(&factory)), S_OK);
  IPrintOemUI *plugin = nullptr;
  EXPECT_EQ(factory->CreateInstance(nullptr, kPrintOemUI, reinterpret_cast<void **>(&plugin)), S_OK);
  EXPECT_EQ(factory->Release(), 0u);
  return plugin;
}

}  // namespace com_fixture
