// Loading the largest catalogue the record holds, as the page's opening loads it.
#include <benchmark/benchmark.h>

#include "bench/catalogue_check.h"
#include "bench/host/bench_figures.h"
#include "bench/host/bench_machine.h"
#include "bench/settings_generator.h"
#include "catalogue/loader.h"
#include "catalogue/registry.h"

namespace {

const bench::BenchPrinter &LargestPrinter() {
  static const bench::BenchPrinter printer = bench::AddPrinterWithSettings(
      "Bench Largest", "Bench LargestModel", bench::SettingsFileBytes(bench::LargestCatalogue()));
  return printer;
}

// One record for every run, as the registry allocates it; each run fills it afresh.
SettingsCatalogue &Record() {
  static auto *record =
      static_cast<SettingsCatalogue *>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(SettingsCatalogue)));
  return *record;
}

void Load(benchmark::State &state, const LoadLanguage &language) {
  const bench::BenchPrinter &printer = LargestPrinter();
  SettingsCatalogue &record = Record();
  for (auto _ : state) {
    SetCurrentCatalogue(&record);
    LoadCatalogueIn(printer.settingsPath.c_str(), language);
    state.PauseTiming();
    std::string mismatch = bench::ShapeMismatch(record, bench::LargestCatalogue());
    bench::ClearCatalogue(record);
    if (!mismatch.empty()) state.SkipWithError(mismatch.c_str());
    state.ResumeTiming();
  }
}

// The system's language, English here: the _EN sections, the file's bytes read in code page 1252.
void BM_CatalogueLoad(benchmark::State &state) { Load(state, SystemLoadLanguage()); }
// Chinese: the _CN sections, the file's bytes read in code page 936.
void BM_CatalogueLoadChinese(benchmark::State &state) { Load(state, LoadLanguage{2052, 936}); }

// What the page's opening and closing cost the catalogue: registry, settings file found through the spooler, load,
// then every option node and the record freed.
void BM_OpenAndReleaseCatalogue(benchmark::State &state) {
  const bench::BenchPrinter &printer = LargestPrinter();
  for (auto _ : state) {
    if (!OpenCatalogue(printer.name.c_str())) state.SkipWithError("no catalogue");
    ReleaseCatalogue(printer.name.c_str());
  }
}

BENCHMARK(BM_CatalogueLoad)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(60);
BENCHMARK(BM_CatalogueLoadChinese)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(60);
BENCHMARK(BM_OpenAndReleaseCatalogue)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(60);

bench::Figure load("BM_CatalogueLoad", "catalogue load, largest catalogue (Linux)", 3.0);
bench::Figure loadChinese("BM_CatalogueLoadChinese", "catalogue load, largest catalogue, Chinese (Linux)", 3.0);
bench::Figure openRelease("BM_OpenAndReleaseCatalogue", "catalogue open + release, largest (Linux)", 0);

}  // namespace
