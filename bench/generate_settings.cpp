// Writes one of the benchmarks' settings files: prnset_bench_settings largest|usual FILE
#include <cstdio>
#include <cstring>
#include <fstream>

#include "bench/settings_generator.h"

int main(int argc, char **argv) {
  if (argc != 3 || (std::strcmp(argv[1], "largest") != 0 && std::strcmp(argv[1], "usual") != 0)) {
    std::fprintf(stderr, "usage: prnset_bench_settings largest|usual FILE\n");
    return 2;
  }
  const bench::FileShape shape =
      std::strcmp(argv[1], "largest") == 0 ? bench::LargestCatalogue() : bench::UsualPrinterFile();
  const std::string bytes = bench::SettingsFileBytes(shape);
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", argv[2]);
    return 1;
  }
  std::printf("%s: %zu bytes, %d reads for the loader\n", argv[2], bytes.size(), bench::LoaderReads(shape));
  return 0;
}
