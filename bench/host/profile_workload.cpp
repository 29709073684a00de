// One workload of the benchmarks repeated, with nothing else in the process worth a profiler's look:
//   prnset_bench_profile load|load-cn|reads|build [COUNT]
// load: the largest catalogue loaded (English; load-cn: Chinese, code page 936) and its options freed; reads: our
// INI reader's parse of that file and the loader's 2,960 reads, no option lists; build: the printer-properties
// build (both calls) for the usual 30 KB file. Run it under `valgrind --tool=callgrind` or `perf record`.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "bench/catalogue_check.h"
#include "bench/host/bench_machine.h"
#include "bench/settings_generator.h"
#include "catalogue/loader.h"
#include "catalogue/registry.h"
#include "docoptions/property_items.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: prnset_bench_profile load|load-cn|reads|build [COUNT]\n");
  return 2;
}

int Build(int count) {
  const bench::BenchPrinter printer = bench::AddPrinterWithSettings(
      "Profile Usual", "Profile UsualModel", bench::SettingsFileBytes(bench::UsualPrinterFile()));
  HANDLE handle = nullptr;
  if (!OpenPrinterW(const_cast<LPWSTR>(printer.name.c_str()), &handle, nullptr)) return 1;
  for (int r = 0; r < count; ++r) {
    HANDLE heap = HeapCreate(0, 0, 0);
    OEMCUIPPARAM param = {};
    param.cbSize = sizeof(param);
    param.hPrinter = handle;
    param.pPrinterName = const_cast<PWSTR>(printer.name.c_str());
    param.hOEMHeap = heap;
    BuildPrinterPropertyItems(&param);
    std::vector<OPTITEM> items(param.cOEMOptItems);
    param.pOEMOptItems = items.data();
    BuildPrinterPropertyItems(&param);
    HeapDestroy(heap);
    if (items.size() != 2) return 1;
  }
  ClosePrinter(handle);
  return 0;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc < 2 || argc > 3) return Usage();
  const int count = argc == 3 ? std::atoi(argv[2]) : 20;
  const char *what = argv[1];
  if (std::strcmp(what, "build") == 0) return Build(count);

  const bool chinese = std::strcmp(what, "load-cn") == 0;
  if (!chinese && std::strcmp(what, "load") != 0 && std::strcmp(what, "reads") != 0) return Usage();
  const bench::BenchPrinter printer = bench::AddPrinterWithSettings(
      "Profile Largest", "Profile LargestModel", bench::SettingsFileBytes(bench::LargestCatalogue()));
  const LoadLanguage language = chinese ? LoadLanguage{kChineseLanguage, kChineseCodePage} : SystemLoadLanguage();
  auto *record =
      static_cast<SettingsCatalogue *>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(SettingsCatalogue)));
  if (!record) return 1;
  for (int r = 0; r < count; ++r) {
    if (std::strcmp(what, "reads") == 0) {
      IniFile file;
      file.Load(printer.settingsPath.c_str(), language.codePage);
      LoadCatalogue(*record, IniSource(file), language.language, nullptr, LoadWalk::PageReadOnly);
    } else {
      LoadCatalogue(*record, printer.settingsPath.c_str(), language);
      if (!bench::ShapeMismatch(*record, bench::LargestCatalogue()).empty()) return 1;
    }
    bench::ClearCatalogue(*record);
  }
  HeapFree(GetProcessHeap(), 0, record);
  return 0;
}
