#include "bench/host/bench_load.h"

#include <string>

#include "bench/catalogue_check.h"
#include "bench/settings_generator.h"

namespace bench {

const BenchPrinter &LargestPrinter() {
  static const BenchPrinter printer =
      AddPrinterWithSettings("Bench Largest", "Bench LargestModel", SettingsFileBytes(LargestCatalogue()));
  return printer;
}

void TimeLargestLoads(benchmark::State &state, const LoadLanguage &language) {
  // One record for every run, as the registry allocates it; each run fills it afresh.
  static auto *record =
      static_cast<SettingsCatalogue *>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(SettingsCatalogue)));
  const BenchPrinter &printer = LargestPrinter();
  for (auto _ : state) {
    LoadCatalogue(*record, printer.settingsPath.c_str(), language);
    state.PauseTiming();
    std::string mismatch = ShapeMismatch(*record, LargestCatalogue());
    ClearCatalogue(*record);
    if (!mismatch.empty()) state.SkipWithError(mismatch.c_str());
    state.ResumeTiming();
  }
}

}  // namespace bench
