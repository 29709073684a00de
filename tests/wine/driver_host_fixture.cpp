// The driver host suite's shared parts (driver_host_fixture.h).
#include "tests/wine/driver_host_fixture.h"

#include "tests/support/test_machine.h"

namespace driver_host_suite {

std::string SettingsFile() {
  return ps::SettingsFile() +
         "[Settings]\nLandscape_Compress=1\nXMoveEnable=1\nCount=3\nCOMPRESS_VALUE1=100\nCOMPRESS_VALUE2=80\n"
         "COMPRESS_VALUE3=060\nCOMPRESS_VALUE=80\nXMove=5\n";
}

bool PreparePrinter(const WString &printer, bool withFile) {
  HANDLE handle = nullptr;
  PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
  if (OpenPrinterW(const_cast<LPWSTR>(printer.c_str()), &handle, &defaults)) {
    DeletePrinter(handle);
    ClosePrinter(handle);
  }
  if (!ps::EnsurePrinter(printer, withFile ? kDriver : kDriverWithoutFile)) return false;
  if (withFile) testing_machine::WriteSettingsFile(kDriver, SettingsFile());
  OpenedPrinter opened(printer);
  if (!opened.Handle()) return false;
  for (const wchar_t *name : kStoredNames) {
    DWORD type = 0, needed = 0;
    BYTE buffer[4];
    DWORD status = GetPrinterDataW(opened.Handle(), const_cast<LPWSTR>(name), &type, buffer, sizeof(buffer), &needed);
    if (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) return false;
  }
  return true;
}

}  // namespace driver_host_suite
