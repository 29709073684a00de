// The class factory and the module's exports, called the way a driver's UI module calls them.
#include <gtest/gtest.h>

#include "module/plugin_module.h"
#include "tests/module/com_fixture.h"

namespace {

using com_fixture::FakeDriver;
using com_fixture::kOther;
using com_fixture::kPlugin;
using com_fixture::kPrintOemUI;

TEST(ModuleFrame, ClassObjectIsServedForTheOneClassOnly) {
  void *out = reinterpret_cast<void *>(1);
  EXPECT_EQ(DllGetClassObject(kOther, IID_IClassFactory, &out), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(out, nullptr);
  out = reinterpret_cast<void *>(1);
  EXPECT_EQ(DllGetClassObject(kPlugin, kPrintOemUI, &out), E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(DllGetClassObject(kPlugin, IID_IClassFactory, nullptr), E_POINTER);

  for (const IID *iid : {&IID_IClassFactory, &IID_IUnknown}) {
    IClassFactory *factory = nullptr;
    ASSERT_EQ(DllGetClassObject(kPlugin, *iid, reinterpret_cast<void **>(&factory)), S_OK);
    // The caller holds the only reference.
    EXPECT_EQ(factory->AddRef(), 2u);
    EXPECT_EQ(factory->Release(), 1u);
    EXPECT_EQ(factory->Release(), 0u);
  }
}

// Identifiers one bit away from the served ones, in the first and in the last byte, are other identifiers.
TEST(ModuleFrame, IdentifiersAreComparedWhole) {
  for (int at : {0, int(sizeof(GUID)) - 1}) {
    SCOPED_TRACE(at);
    CLSID nearPlugin = kPlugin;
    IID nearInterface = kPrintOemUI;
    reinterpret_cast<BYTE *>(&nearPlugin)[at] ^= 1;
    reinterpret_cast<BYTE *>(&nearInterface)[at] ^= 1;
    void *out = reinterpret_cast<void *>(1);
    EXPECT_EQ(DllGetClassObject(nearPlugin, IID_IClassFactory, &out), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(out, nullptr);

    IClassFactory *factory = nullptr;
    ASSERT_EQ(DllGetClassObject(kPlugin, IID_IClassFactory, reinterpret_cast<void **>(&factory)), S_OK);
    out = reinterpret_cast<void *>(1);
    EXPECT_EQ(factory->CreateInstance(nullptr, nearInterface, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    IUnknown *object = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void **>(&object)), S_OK);
    out = reinterpret_cast<void *>(1);
    EXPECT_EQ(object->QueryInterface(nearInterface, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(object->Release(), 0u);
    EXPECT_EQ(factory->Release(), 0u);
  }
}

TEST(ModuleFrame, FactoryCreatesPluginObjectsAndCountsThem) {
  IClassFactory *factory = nullptr;
  ASSERT_EQ(DllGetClassObject(kPlugin, IID_IClassFactory, reinterpret_cast<void **>(&factory)), S_OK);
  LONG before = ComponentCount();
  void *out = reinterpret_cast<void *>(1);
  FakeDriver outer(false);
  EXPECT_EQ(factory->CreateInstance(&outer, kPrintOemUI, &out), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(factory->CreateInstance(nullptr, kPrintOemUI, nullptr), E_POINTER);
  out = reinterpret_cast<void *>(1);
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory, &out), E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(ComponentCount(), before);

  IUnknown *object = nullptr;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void **>(&object)), S_OK);
  EXPECT_EQ(ComponentCount(), before + 1);
  EXPECT_EQ(DllCanUnloadNow(), S_FALSE);
  IPrintOemUI *plugin = nullptr;
  ASSERT_EQ(object->QueryInterface(kPrintOemUI, reinterpret_cast<void **>(&plugin)), S_OK);
  EXPECT_EQ(static_cast<void *>(plugin), static_cast<void *>(object));
  out = reinterpret_cast<void *>(1);
  EXPECT_EQ(object->QueryInterface(IID_IClassFactory, &out), E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(plugin->Release(), 1u);
  EXPECT_EQ(object->Release(), 0u);
  EXPECT_EQ(ComponentCount(), before);
  EXPECT_EQ(DllCanUnloadNow(), S_OK);

  EXPECT_EQ(factory->LockServer(TRUE), S_OK);
  EXPECT_EQ(factory->LockServer(TRUE), S_OK);
  EXPECT_EQ(factory->LockServer(FALSE), S_OK);
  EXPECT_EQ(DllCanUnloadNow(), S_FALSE);
  EXPECT_EQ(factory->LockServer(FALSE), S_OK);
  EXPECT_EQ(DllCanUnloadNow(), S_OK);
  factory->Release();
}

}  // namespace
