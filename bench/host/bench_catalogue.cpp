// Loading the largest catalogue the record holds, as the page's opening loads it.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/mman.h>

#include <vector>

#include "bench/catalogue_check.h"
#include "bench/host/bench_figures.h"
#include "bench/host/bench_load.h"
#include "bench/host/bench_machine.h"
#include "bench/settings_generator.h"
#include "catalogue/loader.h"
#include "catalogue/registry.h"

namespace {

using bench::LargestPrinter;

void Load(benchmark::State &state, const LoadLanguage &language) { bench::TimeLargestLoads(state, language); }

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

// The English load again with the C library keeping freed memory mapped (no trimming of the heap's top, no mmap
// of large blocks), so that a load reuses the pages of the one before: the load's own work without the page
// faults of fresh memory, which are what the figure above mostly measures on this machine. Runs last, as the
// setting stays for the rest of the process.
void BM_CatalogueLoadMemoryKept(benchmark::State &state) {
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  Load(state, SystemLoadLanguage());
}

// The floor under every load of this catalogue: its 81,920 option nodes allocated one by one from the process
// heap (and freed, untimed), with nothing read or parsed.
void BM_OptionNodesAlone(benchmark::State &state) {
  constexpr int kNodes = kMaxSections * kMaxItems * kMaxEnumOptions;
  static std::vector<void *> nodes(kNodes);
  for (auto _ : state) {
    for (void *&node : nodes) node = HeapAlloc(GetProcessHeap(), 0, sizeof(SettingsOption));
    state.PauseTiming();
    for (void *node : nodes) HeapFree(GetProcessHeap(), 0, node);
    state.ResumeTiming();
  }
}

// What this machine charges for memory a process touches for the first time: 10 MB (about the option nodes of
// the largest catalogue) mapped, one byte written per 4 KB page, unmapped.
void BM_FreshMemory10MB(benchmark::State &state) {
  constexpr size_t kBytes = size_t(10) << 20;
  for (auto _ : state) {
    void *block = mmap(nullptr, kBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (block == MAP_FAILED) {
      state.SkipWithError("no memory");
      break;
    }
    for (size_t at = 0; at < kBytes; at += 4096) static_cast<volatile char *>(block)[at] = 1;
    munmap(block, kBytes);
  }
}

BENCHMARK(BM_CatalogueLoad)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(60);
BENCHMARK(BM_CatalogueLoadChinese)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(60);
BENCHMARK(BM_OptionNodesAlone)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(60);
BENCHMARK(BM_FreshMemory10MB)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(30);
BENCHMARK(BM_OpenAndReleaseCatalogue)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(60);
BENCHMARK(BM_CatalogueLoadMemoryKept)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(60);

bench::Figure load("BM_CatalogueLoad", "catalogue load, largest catalogue (Linux)", 0, "linux.load");
bench::Figure loadChinese("BM_CatalogueLoadChinese", "catalogue load, largest catalogue, Chinese (Linux)", 0);
bench::Figure loadKept("BM_CatalogueLoadMemoryKept", "catalogue load, largest, memory kept mapped (Linux)", 0);
bench::Figure nodes("BM_OptionNodesAlone", "81,920 option nodes allocated alone (Linux)", 0, "linux.nodes");
bench::Figure fresh("BM_FreshMemory10MB", "10 MB of fresh memory touched, one write a page (Linux)", 0);
bench::Figure openRelease("BM_OpenAndReleaseCatalogue", "catalogue open + release, largest (Linux)", 0);

}  // namespace
