// The settings value lookup with arbitrary printer data (bytes and type) and an arbitrary "Settings" section.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "docoptions/settings_lookup.h"
#include "platform/host/control.h"
#include "tests/fuzz/fuzz_machine.h"

namespace {
std::string settingsPath;

void Prepare() {
  if (settingsPath.empty())
    settingsPath = fuzz_machine::PrinterWithSettingsFile(u"Lookup Printer", u"Brand Lookup", "Lookup");
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  Prepare();
  if (size < 3) return 0;
  DWORD type = data[0] % 9;
  size_t dataBytes = data[1] % 64;
  if (dataBytes > size - 2) dataBytes = size - 2;
  std::vector<BYTE> value(data + 2, data + 2 + dataBytes);
  host::SetPrinterValue(u"Lookup Printer", u"XMove", type, value);
  host::SetPrinterValue(u"Lookup Printer", u"COMPRESS_VALUE", type, value);

  std::string file = "[Settings]\n";
  file.append(reinterpret_cast<const char *>(data + 2 + dataBytes), size - 2 - dataBytes);
  if (!fuzz_machine::WriteBytes(settingsPath, file.data(), file.size())) return 0;

  HANDLE printer = nullptr;
  if (!OpenPrinterW(const_cast<LPWSTR>(u"Lookup Printer"), &printer, nullptr)) abort();
  for (const char16_t *name : {u"XMove", u"COMPRESS_VALUE", u"Count", u"COMPRESS_VALUE7", u""}) {
    LONG result = 0x5A5A;
    LookupSettingValue(name, printer, &result);
  }
  ClosePrinter(printer);
  INT compress = 0, move = 0;
  ReadOptionSwitches(u"Lookup Printer", &compress, &move);
  return 0;
}
