// What the fuzz targets that go through files share: a printer whose driver's settings file they rewrite with each
// input, in a driver folder of the process's own, and the input written to a file.
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/host/control.h"

namespace fuzz_machine {

// Makes the driver folder and its "3" folder once, adds the driver and the printer, and answers the path of the
// driver's settings file, <stem>_Settings.Dat.
inline std::string PrinterWithSettingsFile(const char16_t *printer, const char16_t *driver, const std::string &stem) {
  char folder[] = "/tmp/prnset-fuzz-XXXXXX";
  if (!mkdtemp(folder)) abort();
  const std::string drivers = std::string(folder) + "/drivers";
  mkdir(drivers.c_str(), 0755);
  mkdir((drivers + "/3").c_str(), 0755);
  host::SetDriverDirectory(drivers);
  host::AddDriver(driver);
  host::AddPrinter(printer, driver);
  return drivers + "/3/" + stem + "_Settings.Dat";
}

// Replaces the file's content with the bytes; false when the file cannot be written (the input is then skipped).
inline bool WriteBytes(const std::string &path, const void *data, size_t size) {
  FILE *file = fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool written = fwrite(data, 1, size, file) == size;
  return fclose(file) == 0 && written;
}

}  // namespace fuzz_machine
