// The emulated machine of the Linux benchmarks: a driver directory of the run's own, and printers whose drivers'
// settings files the benchmarks generate.
#pragma once

#include <string>

#include "platform/platform.h"

namespace bench {

using WString = std::basic_string<WCHAR>;

struct BenchPrinter {
  WString name;
  WString settingsPath;  // as the plug-in derives it from the printer
};

// Adds a printer with a driver of its own and writes that driver's settings file. Aborts the run when the
// plug-in cannot find the file again through the spooler.
BenchPrinter AddPrinterWithSettings(const std::string &printer, const std::string &driver, const std::string &bytes);

WString Wide(const std::string &text);

}  // namespace bench
