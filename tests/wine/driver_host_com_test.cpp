// The driver host: the COM frame through the DLL's exports, the class factory, object lifetimes and the published
// driver interface.
#include "tests/wine/driver_host_fixture.h"

namespace {

using namespace driver_host_suite;

// Written out here, so that a wrong constant in the module shows.
const CLSID kNearPluginClass = {0xABCE80D7, 0x9F46, 0x11D1, {0x88, 0x2A, 0x00, 0xC0, 0x4F, 0xB9, 0x61, 0xED}};
const CLSID kOtherClass = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};

struct ClassObjectCase {
  const char *name;
  const CLSID *clsid;
  const IID *iid;
  HRESULT result;
};

TEST_F(DriverHost, ClassObjectOnlyForThePluginClassAndTheFactoryInterfaces) {
  const ClassObjectCase cases[] = {
      {"factory", &kPluginClass, &IID_IClassFactory, S_OK},
      {"unknown", &kPluginClass, &IID_IUnknown, S_OK},
      {"plug-in interface from the export", &kPluginClass, &kPrintOemUI, E_NOINTERFACE},
      {"other class", &kOtherClass, &IID_IClassFactory, CLASS_E_CLASSNOTAVAILABLE},
      {"class one byte off", &kNearPluginClass, &IID_IClassFactory, CLASS_E_CLASSNOTAVAILABLE},
      {"interface id as class", &kPrintOemUI, &IID_IClassFactory, CLASS_E_CLASSNOTAVAILABLE},
  };
  for (const ClassObjectCase &c : cases) {
    SCOPED_TRACE(c.name);
    void *out = reinterpret_cast<void *>(1);
    ASSERT_EQ(library_.GetClassObject(*c.clsid, *c.iid, &out), c.result);
    if (FAILED(c.result)) {
      EXPECT_EQ(out, nullptr);
      continue;
    }
    ASSERT_NE(out, nullptr);
    auto *factory = static_cast<IUnknown *>(out);
    EXPECT_EQ(factory->AddRef(), 2u) << "the caller holds the only reference";
    EXPECT_EQ(factory->Release(), 1u);
    EXPECT_EQ(factory->Release(), 0u);
  }
  EXPECT_EQ(library_.GetClassObject(kPluginClass, IID_IClassFactory, nullptr), E_POINTER);
}

TEST_F(DriverHost, FactoryRefusesAggregationAndServerLocksKeepTheDll) {
  IClassFactory *factory = nullptr;
  ASSERT_EQ(library_.GetClassObject(kPluginClass, IID_IClassFactory, reinterpret_cast<void **>(&factory)), S_OK);
  DriverInterface outer;
  void *out = reinterpret_cast<void *>(1);
  EXPECT_EQ(factory->CreateInstance(&outer, kPrintOemUI, &out), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(outer.References(), 1);
  out = reinterpret_cast<void *>(1);
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory, &out), E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(factory->CreateInstance(nullptr, kPrintOemUI, nullptr), E_POINTER);
  EXPECT_EQ(library_.CanUnloadNow(), S_OK) << "a refused object stayed alive; a factory alone holds nothing";

  EXPECT_EQ(factory->LockServer(TRUE), S_OK);
  EXPECT_EQ(factory->LockServer(TRUE), S_OK);
  EXPECT_EQ(library_.CanUnloadNow(), S_FALSE);
  EXPECT_EQ(factory->Release(), 0u);
  EXPECT_EQ(library_.CanUnloadNow(), S_FALSE) << "the locks outlive the factory that took them";

  ASSERT_EQ(library_.GetClassObject(kPluginClass, IID_IClassFactory, reinterpret_cast<void **>(&factory)), S_OK);
  EXPECT_EQ(factory->LockServer(FALSE), S_OK);
  EXPECT_EQ(library_.CanUnloadNow(), S_FALSE);
  EXPECT_EQ(factory->LockServer(FALSE), S_OK);
  EXPECT_EQ(library_.CanUnloadNow(), S_OK);
  factory->Release();
}

TEST_F(DriverHost, PluginObjectsKeepTheDllUntilTheirLastRelease) {
  IPrintOemUI *first = Plugin();
  IPrintOemUI *second = Plugin();
  ASSERT_TRUE(first && second);
  EXPECT_NE(first, second);
  EXPECT_EQ(library_.CanUnloadNow(), S_FALSE);

  IUnknown *unknown = nullptr;
  ASSERT_EQ(first->QueryInterface(IID_IUnknown, reinterpret_cast<void **>(&unknown)), S_OK);
  EXPECT_EQ(unknown, static_cast<IUnknown *>(first));
  IPrintOemUI *again = nullptr;
  ASSERT_EQ(first->QueryInterface(kPrintOemUI, reinterpret_cast<void **>(&again)), S_OK);
  EXPECT_EQ(again, first);
  void *factory = reinterpret_cast<void *>(1);
  EXPECT_EQ(first->QueryInterface(IID_IClassFactory, &factory), E_NOINTERFACE);
  EXPECT_EQ(factory, nullptr);

  EXPECT_EQ(first->Release(), 2u);
  EXPECT_EQ(again->Release(), 1u);
  EXPECT_EQ(second->Release(), 0u);
  EXPECT_EQ(library_.CanUnloadNow(), S_FALSE) << "one object is still alive";
  EXPECT_EQ(unknown->Release(), 0u);
  EXPECT_EQ(library_.CanUnloadNow(), S_OK);
}

TEST_F(DriverHost, PluginHoldsThePublishedDriverInterfaceUntilItGoes) {
  DriverInterface driver, later, lacking(false);
  IPrintOemUI *plugin = Plugin();
  ASSERT_NE(plugin, nullptr);
  EXPECT_EQ(plugin->PublishDriverInterface(&lacking), E_FAIL);
  EXPECT_EQ(lacking.References(), 1);
  EXPECT_EQ(plugin->PublishDriverInterface(&driver), S_OK) << "a refused interface leaves room for the next";
  EXPECT_EQ(driver.References(), 2);
  EXPECT_EQ(plugin->PublishDriverInterface(&later), S_OK);
  EXPECT_EQ(later.Queries(), 0) << "a second interface is not even asked";
  EXPECT_EQ(later.References(), 1);
  EXPECT_EQ(plugin->Release(), 0u);
  EXPECT_EQ(driver.References(), 1) << "the plug-in let go of the driver's interface";
}

}  // namespace
