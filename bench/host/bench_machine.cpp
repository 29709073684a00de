#include "bench/host/bench_machine.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "catalogue/catalogue.h"
#include "catalogue/settings_location.h"
#include "platform/host/control.h"

namespace bench {
namespace {

// The run's driver directory; removed when the process ends.
struct Machine {
  std::filesystem::path directory;
  Machine() {
    char pattern[] = "/tmp/prnset-bench-XXXXXX";
    if (!mkdtemp(pattern)) std::abort();
    directory = pattern;
    host::ResetSpooler();
    host::SetSystemLanguage(1033);
    host::SetDriverDirectory(directory.string());
  }
  ~Machine() {
    std::error_code ignored;
    std::filesystem::remove_all(directory, ignored);
  }
};

Machine &TheMachine() {
  static Machine machine;
  return machine;
}

}  // namespace

WString Wide(const std::string &text) { return host::Widen(text); }

BenchPrinter AddPrinterWithSettings(const std::string &printer, const std::string &driver, const std::string &bytes) {
  Machine &machine = TheMachine();
  BenchPrinter result{Wide(printer), {}};
  host::AddDriver(Wide(driver));
  host::AddPrinter(result.name, Wide(driver));

  const size_t blank = driver.find(' ');
  const std::string stem = blank == std::string::npos ? driver : driver.substr(blank + 1);
  std::filesystem::create_directories(machine.directory / "3");
  std::ofstream(machine.directory / "3" / (stem + "_Settings.Dat"), std::ios::binary) << bytes;

  WCHAR path[kPathChars];
  if (!LocateSettingsFile(result.name.c_str(), path)) {
    std::fprintf(stderr, "the emulated spooler does not lead to the settings file of %s\n", printer.c_str());
    std::abort();
  }
  result.settingsPath = path;
  return result;
}

}  // namespace bench
