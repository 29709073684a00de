// Set All on the largest catalogue, and the opening of its page.
#include <benchmark/benchmark.h>

#include "bench/catalogue_check.h"
#include "bench/host/bench_figures.h"
#include "bench/host/bench_load.h"
#include "bench/host/bench_machine.h"
#include "page/job_bytes.h"
#include "bench/settings_generator.h"
#include "catalogue/registry.h"
#include "resources/module_instance.h"
#include "resources/resource.h"
#include "page/command_job.h"
#include "page/settings_page.h"
#include "platform/host/control.h"
#include "platform/host/window_control.h"

namespace {

using bench::LargestPrinter;

// The printer's catalogue held open, as a page holds it while it lives.
SettingsCatalogue *OpenLargest() {
  static SettingsCatalogue *catalogue = [] {
    OpenCatalogue(LargestPrinter().name.c_str());
    return FindCatalogue(LargestPrinter().name.c_str());
  }();
  return catalogue;
}

// Every item encoded with its current value, collected and converted to the job's bytes; the spooler is left out.
void BM_SetAll(benchmark::State &state) {
  SettingsCatalogue *catalogue = OpenLargest();
  if (!catalogue || !bench::ShapeMismatch(*catalogue, bench::LargestCatalogue()).empty()) {
    state.SkipWithError("the largest catalogue did not load");
    return;
  }
  // The bytes must be those the page's Set All sends.
  JobBytes job = BuildAllItemsJob(*catalogue);
  std::vector<BYTE> expected(job.bytes.get(), job.bytes.get() + job.count);
  host::ClearJobs();
  if (expected.empty() || !SendAllCommands(LargestPrinter().name.c_str()) || host::Jobs().empty() ||
      host::Jobs().back().bytes != expected) {
    state.SkipWithError("the bytes differ from what Set All sends");
    return;
  }
  host::ClearJobs();
  for (auto _ : state) {
    // The page's Set All first finds the printer's catalogue.
    benchmark::DoNotOptimize(BuildAllItemsJob(*FindCatalogue(LargestPrinter().name.c_str())).count);
  }
  state.counters["bytes"] = double(expected.size());
}

// The whole of Set All, job included, on the emulation's in-memory spooler.
void BM_SetAllWithEmulatedSpooler(benchmark::State &state) {
  OpenLargest();
  for (auto _ : state) {
    if (!SendAllCommands(LargestPrinter().name.c_str())) state.SkipWithError("no job");
    state.PauseTiming();
    host::ClearJobs();
    state.ResumeTiming();
  }
}

// The page made from its template on a sheet of the printer, initialised (catalogue opened, class list and first
// item shown), then destroyed (catalogue released).
void BM_OpenAndClosePage(benchmark::State &state) {
  // A printer of its own: the catalogue the Set All figures hold open would otherwise be shared, not loaded.
  static const bench::BenchPrinter printer = bench::AddPrinterWithSettings(
      "Bench Largest Page", "Bench LargestModel", bench::SettingsFileBytes(bench::LargestCatalogue()));
  const bench::WString caption = printer.name + bench::Wide(" Properties");
  for (auto _ : state) {
    HWND sheet = host::CreateSheetWindow(caption);
    HWND page = CreateDialogParamW(ModuleInstance(), MAKEINTRESOURCEW(IDD_PRINTER_SETTINGS), sheet,
                                   PrinterSettingsPageProc, 0);
    if (!page) state.SkipWithError("no page");
    DestroyWindow(sheet);
  }
}

// The load Set All is measured against, in this program so that the two take turns on the same machine.
void BM_LoadBesideSetAll(benchmark::State &state) { bench::TimeLargestLoads(state, SystemLoadLanguage()); }

BENCHMARK(BM_LoadBesideSetAll)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(60);
BENCHMARK(BM_SetAll)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(200);
BENCHMARK(BM_SetAllWithEmulatedSpooler)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(100);
BENCHMARK(BM_OpenAndClosePage)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(40);

bench::Figure loadBeside("BM_LoadBesideSetAll", "catalogue load, largest, in turn with Set All (Linux)", 0,
                        "linux.setall.load");
bench::Figure setAll("BM_SetAll", "Set All, largest catalogue, spooler excluded (Linux)", 0, "linux.setall");
bench::Figure setAllJob("BM_SetAllWithEmulatedSpooler", "Set All with the emulated spooler's job (Linux)", 0);
bench::Figure openPage("BM_OpenAndClosePage", "page open + close, largest catalogue (Linux)", 0);

}  // namespace
