// The driver host: the private devmode on the driver's DEVMODE buffers.
#include <algorithm>
#include <vector>

#include "tests/wine/driver_host_fixture.h"

namespace {

using namespace driver_host_suite;

struct DevmodeCase {
  const char *name;
  DWORD mode;
  std::vector<DWORD> in;  // empty: no record comes in
  std::vector<DWORD> outBefore;
  std::vector<DWORD> outAfter;
};

TEST_F(DriverHost, PrivateDevmodeOnTheDriversBuffers) {
  IPrintOemUI *plugin = Plugin();
  ASSERT_NE(plugin, nullptr);
  ASSERT_TRUE(PreparePrinter());
  OpenedPrinter printer(kPrinter);
  int driverObject = 0;
  auto param = [&](DriverDevmode *in, DriverDevmode &out) {
    OEMDMPARAM p = {};
    p.cbSize = sizeof(p);
    p.pdriverobj = &driverObject;
    p.hPrinter = printer.Handle();
    p.hModule = library_.Module();
    p.pPublicDMIn = in ? in->Public() : nullptr;
    p.pPublicDMOut = out.Public();
    p.pOEMDMIn = in ? in->Private() : nullptr;
    p.pOEMDMOut = out.Private();
    return p;
  };

  DriverDevmode sized(0);
  OEMDMPARAM size = param(nullptr, sized);
  ASSERT_EQ(plugin->DevMode(OEMDM_SIZE, &size), S_OK);
  ASSERT_EQ(size.cbBufSize, 20u);

  DriverDevmode defaults(size.cbBufSize);
  OEMDMPARAM p = param(nullptr, defaults);
  ASSERT_EQ(plugin->DevMode(OEMDM_DEFAULT, &p), S_OK);
  const BYTE expected[20] = {0x14, 0, 0, 0, 0x54, 0x46, 0x53, 0x4D, 1, 0, 0, 0, 0, 0, 0, 0, 0x64, 0, 0, 0};
  EXPECT_EQ(std::memcmp(defaults.Private(), expected, sizeof(expected)), 0);
  EXPECT_TRUE(defaults.GuardsIntact());

  const std::vector<DWORD> standard = {20, kSignature, 1, 0, 100};
  const DevmodeCase cases[] = {
      {"a record of its own", OEMDM_CONVERT, {20, kSignature, 1, 55, 80}, standard, {20, kSignature, 1, 55, 80}},
      {"an older, shorter record", OEMDM_CONVERT, {16, kSignature, 1, 55}, standard, {20, kSignature, 1, 55, 100}},
      {"the header alone", OEMDM_CONVERT, {12, kSignature, 7}, standard, standard},
      {"another plug-in's record", OEMDM_CONVERT, {20, 0x12345678, 1, 55, 80}, standard, standard},
      {"no record in", OEMDM_CONVERT, {}, {20, kSignature, 1, 7, 70}, {20, kSignature, 1, 7, 70}},
      {"out of range values", OEMDM_MERGE, {20, kSignature, 1, 101, 150}, standard, standard},
      {"bounds themselves", OEMDM_MERGE, {20, kSignature, 1, 100, 0}, standard, {20, kSignature, 1, 100, 0}},
      {"every bit set", OEMDM_MERGE, {0xFFFFFFFF, kSignature, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}, standard, standard},
      {"merge without a record", OEMDM_MERGE, {}, {20, kSignature, 1, 101, 150}, standard},
      // A record read back from a document that claims to be larger than the area the driver set aside: nothing may
      // be written past the 20 bytes (the guards behind them show it).
      {"a stored size beyond the area", OEMDM_CONVERT, {64, kSignature, 1, 9, 90, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11},
       {0xFFFF, kSignature, 1, 0, 100}, {20, kSignature, 1, 9, 90}},
  };
  for (const DevmodeCase &c : cases) {
    SCOPED_TRACE(c.name);
    DriverDevmode in(DWORD(std::max<size_t>(c.in.size() * 4, 20))), out(20);
    in.Write(c.in);
    out.Write(c.outBefore);
    OEMDMPARAM call = param(c.in.empty() ? nullptr : &in, out);
    EXPECT_EQ(plugin->DevMode(c.mode, &call), S_OK);
    EXPECT_EQ(out.Record(), c.outAfter);
    EXPECT_TRUE(out.GuardsIntact());
    EXPECT_EQ(out.Public()->dmDriverExtra, 20) << "the public part is the driver's";
  }

  SetLastError(0);
  OEMDMPARAM bad = param(nullptr, defaults);
  EXPECT_EQ(plugin->DevMode(5, &bad), E_FAIL);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
  SetLastError(0);
  EXPECT_EQ(plugin->DevMode(OEMDM_SIZE, nullptr), E_FAIL);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
  plugin->Release();
}

}  // namespace
