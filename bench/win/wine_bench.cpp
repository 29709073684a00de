// The Windows benchmark, run under Wine: the largest catalogue loaded by our loader and by the same loader reading
// every key through the platform's profile functions, in one run; the reading alone both ways (our INI reader's
// parse and its 2,960 reads, against 2,960 profile reads), the machine's floor under both, and Set All. Timed with
// QueryPerformanceCounter, one load per run; prints the rows of scripts/bench's table:
//   ROW <tab> figure <tab> median <tab> min <tab> max <tab> target <tab> met
// Arguments: [--runs N] (our loader and Set All, default 60) [--platform-runs N] (default 7).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/catalogue_check.h"
#include "page/job_bytes.h"
#include "bench/settings_generator.h"
#include "bench/replay_loader.h"
#include "catalogue/loader.h"
#include "catalogue/registry.h"

namespace {

// The loader's reads through GetPrivateProfileStringW / GetPrivateProfileIntW on the file.
struct PlatformReader {
  LPCWSTR path;
  void Text(LPCWSTR section, LPCWSTR key, LPWSTR buffer, DWORD capacity) const {
    GetPrivateProfileStringW(section, key, L"", buffer, capacity, path);
  }
  LONG Number(LPCWSTR section, LPCWSTR key, INT defaultValue) const {
    return LONG(GetPrivateProfileIntW(section, key, defaultValue, path));
  }
};

struct Times {
  double median = 0, min = 0, max = 0;
};

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return double(counter.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

Times Summary(std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  const size_t n = ms.size();
  Times t;
  t.median = n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2;
  t.min = ms.front();
  t.max = ms.back();
  return t;
}

std::string Ms(double ms) {
  char text[32];
  std::snprintf(text, sizeof(text), ms < 0.1 ? "%.4f ms" : ms < 10 ? "%.3f ms" : "%.1f ms", ms);
  return text;
}

void Row(const std::string &figure, const std::string &median, const std::string &min, const std::string &max,
         const std::string &target, const std::string &met) {
  std::printf("ROW\t%s\t%s\t%s\t%s\t%s\t%s\n", figure.c_str(), median.c_str(), min.c_str(), max.c_str(),
              target.c_str(), met.c_str());
}

void TimeRow(const std::string &figure, size_t runs, const Times &t, double targetMs) {
  const std::string target = targetMs > 0 ? "median <= " + Ms(targetMs) : "-";
  const std::string met = targetMs > 0 ? (t.median <= targetMs ? "yes" : "no") : "-";
  Row(figure + " (" + std::to_string(runs) + " runs)", Ms(t.median), Ms(t.min), Ms(t.max), target, met);
}

SettingsCatalogue *NewRecord() {
  return static_cast<SettingsCatalogue *>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(SettingsCatalogue)));
}

bool WriteBytes(const std::wstring &path, const std::string &bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) && written == bytes.size();
  return CloseHandle(file) && ok;
}

int Fail(const std::string &why) {
  Row("load against the platform (Wine)", "error: " + why, "-", "-", "ours >= 100x faster", "no");
  return 1;
}

}  // namespace

int main(int argc, char **argv) {
  size_t runs = 60, platformRuns = 7;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--runs") == 0) runs = size_t(std::max(1, std::atoi(argv[i + 1])));
    if (std::strcmp(argv[i], "--platform-runs") == 0) platformRuns = size_t(std::max(1, std::atoi(argv[i + 1])));
  }

  // The generated file in a folder of this run's own.
  WCHAR temp[MAX_PATH];
  if (!GetTempPathW(MAX_PATH, temp)) return Fail("no temporary folder");
  const std::wstring folder = std::wstring(temp) + L"prnset-bench-" + std::to_wstring(GetCurrentProcessId());
  const std::wstring path = folder + L"\\Largest_Settings.Dat";
  const bench::FileShape shape = bench::LargestCatalogue();
  const std::string bytes = bench::SettingsFileBytes(shape);
  CreateDirectoryW(folder.c_str(), nullptr);
  struct Cleanup {
    const std::wstring &folder, &path;
    ~Cleanup() {
      DeleteFileW(path.c_str());
      RemoveDirectoryW(folder.c_str());
    }
  } cleanup{folder, path};
  if (!WriteBytes(path, bytes)) return Fail("cannot write the settings file");

  const LoadLanguage language = SystemLoadLanguage();
  SettingsCatalogue *ours = NewRecord(), *platform = NewRecord();
  if (!ours || !platform) return Fail("no memory");

  // Both loads must fill the same catalogue, with the reads the loader makes; and the replay through our own
  // reader must be the loader itself.
  const PlatformReader platformReader{path.c_str()};
  LoadCatalogue(*ours, path.c_str(), language);
  const int reads = bench::ReplayLoad(*platform, platformReader, language.language, true);
  std::string mismatch = bench::ShapeMismatch(*ours, shape);
  if (mismatch.empty()) mismatch = bench::CatalogueMismatch(*ours, *platform);
  if (!mismatch.empty()) return Fail("the loads differ: " + mismatch);
  if (reads != bench::LoaderReads(shape)) return Fail("the replay made " + std::to_string(reads) + " reads");
  bench::ClearCatalogue(*platform);
  {
    IniFile file;
    file.Load(path.c_str(), language.codePage);
    bench::ReplayLoad(*platform, bench::IniReader{file}, language.language, true);
  }
  mismatch = bench::CatalogueMismatch(*ours, *platform);
  if (!mismatch.empty()) return Fail("the replay is not the loader: " + mismatch);
  bench::ClearCatalogue(*platform);

  // Set All on the catalogue just loaded, as the page sends it (without the spooler).
  const DWORD jobBytes = BuildAllItemsJob(*ours).count;
  std::vector<double> setAll;
  for (size_t r = 0; r < runs * 4; ++r) {
    double start = Now();
    DWORD count = BuildAllItemsJob(*ours).count;
    setAll.push_back(Now() - start);
    if (count != jobBytes) return Fail("Set All gave no bytes");
  }
  bench::ClearCatalogue(*ours);
  bench::ClearCatalogue(*platform);

  // Interleaved, so that both ways see the same machine.
  std::vector<double> ourTimes, platformTimes, ourReads, platformReads;
  for (size_t r = 0; r < std::max(runs, platformRuns); ++r) {
    if (r < runs) {
      double start = Now();
      LoadCatalogue(*ours, path.c_str(), language);
      ourTimes.push_back(Now() - start);
      bench::ClearCatalogue(*ours);
      start = Now();
      {
        IniFile file;
        file.Load(path.c_str(), language.codePage);
        bench::ReplayLoad(*ours, bench::IniReader{file}, language.language, false);
      }
      ourReads.push_back(Now() - start);
    }
    if (r < platformRuns) {
      double start = Now();
      bench::ReplayLoad(*platform, platformReader, language.language, true);
      platformTimes.push_back(Now() - start);
      bench::ClearCatalogue(*platform);
      start = Now();
      bench::ReplayLoad(*platform, platformReader, language.language, false);
      platformReads.push_back(Now() - start);
    }
  }

  // The floor under both loads: the catalogue's option nodes allocated one by one, nothing read or parsed.
  std::vector<void *> nodes(size_t(kMaxSections) * kMaxItems * kMaxEnumOptions);
  std::vector<double> nodeTimes;
  for (size_t r = 0; r < runs; ++r) {
    double start = Now();
    for (void *&node : nodes) node = HeapAlloc(GetProcessHeap(), 0, sizeof(SettingsOption));
    nodeTimes.push_back(Now() - start);
    for (void *node : nodes) HeapFree(GetProcessHeap(), 0, node);
  }
  // What the machine charges for fresh memory: 10 MB committed, one byte written per 4 KB page, released.
  std::vector<double> freshTimes;
  for (size_t r = 0; r < 30; ++r) {
    const SIZE_T freshBytes = SIZE_T(10) << 20;
    double start = Now();
    auto *block =
        static_cast<volatile char *>(VirtualAlloc(nullptr, freshBytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (!block) break;
    for (SIZE_T at = 0; at < freshBytes; at += 4096) block[at] = 1;
    VirtualFree(const_cast<char *>(block), 0, MEM_RELEASE);
    freshTimes.push_back(Now() - start);
  }

  const Times o = Summary(ourTimes), p = Summary(platformTimes);
  const Times oRead = Summary(ourReads), pRead = Summary(platformReads);
  auto ratioRow = [](const std::string &figure, double platformMs, double ourMs) {
    char ratio[64];
    std::snprintf(ratio, sizeof(ratio), "%.0fx", platformMs / ourMs);
    Row(figure, ratio, "-", "-", "ours >= 100x faster", platformMs >= 100 * ourMs ? "yes" : "no");
  };
  TimeRow("catalogue load, largest catalogue (Wine)", ourTimes.size(), o, 3.0);
  TimeRow("same loads, every key through GetPrivateProfileStringW/IntW (Wine)", platformTimes.size(), p, 0);
  ratioRow("load against the platform (Wine): platform / ours, medians", p.median, o.median);
  TimeRow("reading alone: our INI reader, file parse and 2,960 reads (Wine)", ourReads.size(), oRead, 0);
  TimeRow("reading alone: 2,960 profile reads (Wine)", platformReads.size(), pRead, 0);
  ratioRow("reading alone against the platform (Wine): platform / ours", pRead.median, oRead.median);
  TimeRow("81,920 option nodes allocated alone (Wine)", nodeTimes.size(), Summary(nodeTimes), 0);
  if (!freshTimes.empty())
    TimeRow("10 MB of fresh memory touched, one write a page (Wine)", freshTimes.size(), Summary(freshTimes), 0);
  TimeRow("Set All, largest catalogue, spooler excluded (Wine)", setAll.size(), Summary(setAll), 1.0);
  std::printf("INFO\tWine: settings file %zu bytes, %d profile reads per platform load, Set All job %zu bytes\n",
              bytes.size(), reads, jobBytes);
  std::printf("INFO\tWine (%d-bit): sizeof(SettingsCatalogue) = %u, sizeof(SettingsOption) = %u bytes\n",
              int(sizeof(void *) * 8), unsigned(sizeof(SettingsCatalogue)), unsigned(sizeof(SettingsOption)));
  return 0;
}
