// The printer settings' items: both calls of the driver's protocol, "Count" 49, every value looked up in the
// printer's data and found in the settings file instead.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench/host/bench_figures.h"
#include "bench/host/bench_machine.h"
#include "bench/settings_generator.h"
#include "catalogue/ini_file.h"
#include "docoptions/property_items.h"

namespace {

struct Build {
  OEMCUIPPARAM param = {};
  std::vector<OPTITEM> items;
};

// The driver's side: a first call for the number of items, slots set aside, a second call to fill them.
bool BuildItems(Build &build, const bench::BenchPrinter &printer, HANDLE handle, HANDLE heap) {
  build.param = {};
  build.param.cbSize = sizeof(build.param);
  build.param.hPrinter = handle;
  build.param.pPrinterName = const_cast<PWSTR>(printer.name.c_str());
  build.param.hModule = nullptr;  // the emulation's process image holds the module's strings
  build.param.hOEMHeap = heap;
  if (BuildPrinterPropertyItems(&build.param) != S_OK) return false;
  build.items.assign(build.param.cOEMOptItems, OPTITEM{});
  build.param.pOEMOptItems = build.items.data();
  return BuildPrinterPropertyItems(&build.param) == S_OK;
}

// What the build must give for the usual file: the list of 49 choices with "80" selected, and the move item.
bool Expected(const Build &build) {
  if (build.items.size() != 2) return false;
  const OPTITEM &compress = build.items[0], &move = build.items[1];
  if (!compress.pOptType || compress.pOptType->Count != 49 || !move.pOptType) return false;
  const int selected = 100 - bench::kCurrentCompressValue;  // the choices run 100, 99, ... 52
  return compress.Sel == selected && move.Sel == 5;
}

const bench::BenchPrinter &UsualPrinter() {
  static const bench::BenchPrinter printer = bench::AddPrinterWithSettings(
      "Bench Usual", "Bench UsualModel", bench::SettingsFileBytes(bench::UsualPrinterFile()));
  return printer;
}

void BM_PrinterPropertiesBuild(benchmark::State &state) {
  const bench::BenchPrinter &printer = UsualPrinter();
  HANDLE handle = nullptr;
  if (!OpenPrinterW(const_cast<LPWSTR>(printer.name.c_str()), &handle, nullptr)) {
    state.SkipWithError("no printer");
    return;
  }
  HANDLE heap = HeapCreate(0, 0, 0);
  Build build;
  for (auto _ : state) {
    if (!BuildItems(build, printer, handle, heap)) state.SkipWithError("build failed");
    state.PauseTiming();
    if (!Expected(build)) state.SkipWithError("the items are not those of the settings file");
    // The driver's heap goes with its sheet.
    HeapDestroy(heap);
    heap = HeapCreate(0, 0, 0);
    state.ResumeTiming();
  }
  HeapDestroy(heap);
  ClosePrinter(handle);
}

// What the build is set against: one parse of the same file by the INI reader, and one read of it.
void BM_ParseUsualFile(benchmark::State &state) {
  const bench::BenchPrinter &printer = UsualPrinter();
  for (auto _ : state) {
    IniFile file;
    file.Load(printer.settingsPath.c_str(), CP_ACP);
    if (file.ReadInt(WTEXT("Settings"), WTEXT("Count"), 0) != 49) state.SkipWithError("not the usual file");
  }
}

BENCHMARK(BM_PrinterPropertiesBuild)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(60);
BENCHMARK(BM_ParseUsualFile)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(60);

bench::Figure build("BM_PrinterPropertiesBuild", "printer-properties build, Count 49 from a 30 KB file (Linux)", 0,
                    "linux.build");
bench::Figure parse("BM_ParseUsualFile", "one parse of that 30 KB file (Linux)", 0, "linux.parse");

}  // namespace
