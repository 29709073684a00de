// The driver host: the plug-in loaded and introduced to its driver in the calling order of each core driver, and
// what it answers at every step.
#include <string>
#include <vector>

#include "tests/wine/driver_host_fixture.h"

namespace {

using namespace driver_host_suite;

struct ExpectedCall {
  const char *call;
  HRESULT result;
  DWORD lastError;
};

void ExpectCalls(const std::vector<DriverCall> &calls, const std::vector<ExpectedCall> &expected) {
  ASSERT_EQ(calls.size(), expected.size());
  for (size_t i = 0; i < calls.size(); ++i) {
    SCOPED_TRACE(calls[i].call);
    EXPECT_EQ(calls[i].call, expected[i].call);
    EXPECT_EQ(calls[i].result, expected[i].result);
    EXPECT_EQ(calls[i].lastError, expected[i].lastError);
  }
}

// Creating the object: only the first generation of the plug-in interface, on the one object.
const std::vector<ExpectedCall> kLoading = {
    {"CreateInstance(IUnknown)", S_OK, 0},
    {"QueryInterface(IPrintOemUI2)", E_NOINTERFACE, 0},
    {"QueryInterface(IPrintOemUI)", S_OK, 0},
    // No helper objects wanted: the mode is one the plug-in refuses, so the driver publishes none.
    {"GetInfo(OEMGI_GETREQUESTEDHELPERINTERFACES)", E_FAIL, ERROR_INVALID_PARAMETER},
};

struct OrderCase {
  const char *name;
  CoreDriver driver;
  std::vector<ExpectedCall> publishing;
  LONG coreUiQueries;  // how often the plug-in asked the IPrintCoreUI2 object
};

TEST_F(DriverHost, PluginTakesTheDriversInterfaceInEitherCoreDriversOrder) {
  const OrderCase cases[] = {
      {"Unidrv", CoreDriver::kUnidrv, {{"PublishDriverInterface(IPrintOemDriverUI)", S_OK, 0}}, 0},
      // The first object offered is not an IPrintOemDriverUI: the plug-in refuses it without holding it, and
      // takes the second.
      {"PostScript",
       CoreDriver::kPostScript,
       {{"PublishDriverInterface(IPrintCoreUI2)", E_FAIL, 0}, {"PublishDriverInterface(IPrintOemDriverUI)", S_OK, 0}},
       1},
  };
  for (const OrderCase &c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<DriverCall> calls;
    HRESULT result = E_FAIL;
    IPrintOemUI *plugin = CreatePlugin(library_, &result, &calls);
    ASSERT_EQ(result, S_OK);
    ASSERT_NE(plugin, nullptr);
    DriverObjects objects;
    IntroduceDriver(plugin, c.driver, objects, calls);

    std::vector<ExpectedCall> expected = kLoading;
    expected.insert(expected.end(), c.publishing.begin(), c.publishing.end());
    ExpectCalls(calls, expected);

    EXPECT_EQ(objects.coreUi.Queries(), c.coreUiQueries);
    for (const IID &asked : objects.coreUi.Asked())
      EXPECT_TRUE(IsEqualGUID(asked, IID_IPrintOemDriverUI)) << "the core UI object was asked for another interface";
    EXPECT_EQ(objects.coreUi.References(), 1) << "the refused object is held";
    ASSERT_EQ(objects.driverUi.Asked().size(), 1u);
    EXPECT_TRUE(IsEqualGUID(objects.driverUi.Asked()[0], IID_IPrintOemDriverUI));
    EXPECT_EQ(objects.driverUi.References(), 2) << "the plug-in holds the driver's interface";
    EXPECT_EQ(objects.helper.Queries(), 0) << "a helper object was published unasked";

    // The object the driver ends up with is the one it created, and its reference is the only one.
    EXPECT_EQ(library_.CanUnloadNow(), S_FALSE);
    EXPECT_EQ(plugin->Release(), 0u);
    EXPECT_EQ(objects.driverUi.References(), 1);
  }
}

TEST_F(DriverHost, RefusedNewerInterfaceLeavesNoReferenceBehind) {
  IClassFactory *factory = nullptr;
  ASSERT_EQ(library_.GetClassObject(kPluginClass, IID_IClassFactory, reinterpret_cast<void **>(&factory)), S_OK);
  IUnknown *unknown = nullptr;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void **>(&unknown)), S_OK);
  factory->Release();
  void *newer = reinterpret_cast<void *>(1);
  EXPECT_EQ(unknown->QueryInterface(kPrintOemUI2, &newer), E_NOINTERFACE);
  EXPECT_EQ(newer, nullptr);
  IPrintOemUI *plugin = nullptr;
  ASSERT_EQ(unknown->QueryInterface(IID_IPrintOemUI, reinterpret_cast<void **>(&plugin)), S_OK);
  EXPECT_EQ(static_cast<IUnknown *>(plugin), unknown) << "one object answers both";
  EXPECT_EQ(unknown->Release(), 1u) << "the refusal took a reference";
  EXPECT_EQ(plugin->Release(), 0u);
}

}  // namespace
