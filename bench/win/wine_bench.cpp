// The Windows benchmark, run under Wine: the largest catalogue loaded by our loader and by the same loader reading
// every key through the platform's profile functions, in one run; the reading alone both ways (our INI reader's
// parse and its 2,960 reads, against 2,960 profile reads), the machine's floor under both, Set All, and the
// Printer Settings page of that catalogue opened on a real sheet until it first paints. Timed with
// QueryPerformanceCounter, one load per run, the figures that are set against each other taken in turn, round
// after round (the fewer platform runs spread evenly over the rounds), so that both see the same machine. Prints the rows of scripts/bench's table and the medians its
// targets compare:
//   ROW <tab> figure <tab> median <tab> min <tab> max <tab> target <tab> met
//   MEDIAN <tab> key <tab> figure <tab> milliseconds
// Arguments: [--runs N] (default 60) [--platform-runs N] (default 7) [--paint-runs N] (default 20).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/catalogue_check.h"
#include "page/job_bytes.h"
#include "bench/settings_generator.h"
#include "bench/win/clock.h"
#include "bench/win/page_paint.h"
#include "catalogue/loader.h"
#include "catalogue/registry.h"

namespace {

// The loader's reads through GetPrivateProfileStringW / GetPrivateProfileIntW on the file.
// The loader's reads through the platform's profile functions. They cannot list a section's keys cheaply, so the
// walk reads every declared entry; on the benchmark's file that is every entry anyway.
class PlatformSource : public LoadSource {
 public:
  explicit PlatformSource(LPCWSTR path) : path_(path) {}
  void ReadText(LPCWSTR section, LPCWSTR key, LPWSTR buffer, DWORD capacity) const override {
    GetPrivateProfileStringW(section, key, L"", buffer, capacity, path_);
  }
  LONG ReadNumber(LPCWSTR section, LPCWSTR key, INT defaultValue) const override {
    return LONG(GetPrivateProfileIntW(section, key, defaultValue, path_));
  }
  bool ListedNumbers(LPCWSTR, LPCWSTR, std::vector<LONG> &) const override { return false; }

 private:
  LPCWSTR path_;
};

// Counts a load's reads.
struct ReadCounter : LoadObserver {
  int reads = 0;
  void Read(const LoadRead &) override { ++reads; }
};

struct Times {
  double median = 0, min = 0, max = 0;
};

double Now() { return bench::NowMilliseconds(); }

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

// A figure of the table; with a key, its median also goes to the targets of scripts/bench.
void TimeRow(const std::string &figure, const std::vector<double> &runs, const char *key = nullptr) {
  if (runs.empty()) {
    Row(figure, "not run", "-", "-", "-", "no");
    return;
  }
  const Times t = Summary(runs);
  Row(figure + " (" + std::to_string(runs.size()) + " runs)", Ms(t.median), Ms(t.min), Ms(t.max), "-", "-");
  if (key) std::printf("MEDIAN\t%s\t%s\t%.6f\n", key, figure.c_str(), t.median);
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
  Row("load against the platform (Wine)", "error: " + why, "-", "-", "-", "no");
  return 1;
}

}  // namespace

int main(int argc, char **argv) {
  size_t runs = 60, platformRuns = 7, paintRuns = 20;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--runs") == 0) runs = size_t(std::max(1, std::atoi(argv[i + 1])));
    if (std::strcmp(argv[i], "--platform-runs") == 0) platformRuns = size_t(std::max(1, std::atoi(argv[i + 1])));
    if (std::strcmp(argv[i], "--paint-runs") == 0) paintRuns = size_t(std::max(1, std::atoi(argv[i + 1])));
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

  // Both loads must fill the same catalogue, with the reads the loader makes.
  const PlatformSource platformSource(path.c_str());
  LoadCatalogue(*ours, path.c_str(), language);
  ReadCounter counter;
  LoadCatalogue(*platform, platformSource, language.language, &counter);
  std::string mismatch = bench::ShapeMismatch(*ours, shape);
  if (mismatch.empty()) mismatch = bench::CatalogueMismatch(*ours, *platform);
  if (!mismatch.empty()) return Fail("the loads differ: " + mismatch);
  if (counter.reads != bench::LoaderReads(shape))
    return Fail("the platform's load made " + std::to_string(counter.reads) + " reads");
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

  // Round after round: our load, our reading alone, the option nodes alone, and now and then the platform's.
  std::vector<double> ourTimes, platformTimes, ourReads, platformReads, nodeTimes, parseTimes, ruleTimes;
  std::vector<void *> nodes(size_t(kMaxSections) * kMaxItems * kMaxEnumOptions);
  // The rules the load reads, for the option lists built alone.
  std::vector<std::wstring> rules;
  {
    IniFile file;
    file.Load(path.c_str(), language.codePage);
    for (const IniFile::Section &section : file.sections()) {
      const std::wstring name = file.Text(section.name, section.nameLength);
      if (name.size() < 8 || name.compare(name.size() - 8, 8, language.language == kChineseLanguage ? L"_Rule_CN" : L"_Rule_EN"))
        continue;
      for (const IniFile::Entry &entry : section.entries)
        if (entry.valueLength != std::wstring::npos && entry.valueLength > 0 && rules.size() < nodes.size() / 256)
          rules.push_back(file.Text(entry.value, entry.valueLength < 1023 ? entry.valueLength : 1023));
    }
  }
  // The platform's runs are spread evenly over the rounds, so that both sides of each ratio span the same time.
  const size_t rounds = std::max(runs, platformRuns);
  size_t platformDone = 0;
  for (size_t r = 0; r < rounds; ++r) {
    if (r < runs) {
      double start = Now();
      LoadCatalogue(*ours, path.c_str(), language);
      ourTimes.push_back(Now() - start);
      bench::ClearCatalogue(*ours);
      start = Now();
      {
        IniFile file;
        file.Load(path.c_str(), language.codePage);
        LoadCatalogue(*ours, IniSource(file), language.language, nullptr, LoadWalk::PageReadOnly);
      }
      ourReads.push_back(Now() - start);
      start = Now();
      {
        IniFile file;
        file.Load(path.c_str(), language.codePage);
      }
      parseTimes.push_back(Now() - start);
      // The option lists of the catalogue built from its rules, nothing else read.
      {
        std::vector<SettingsOption *> lists(rules.size());
        std::vector<DWORD> counts(rules.size());
        start = Now();
        for (size_t i = 0; i < rules.size(); ++i) counts[i] = ParseOptionRule(L"Enum", rules[i].c_str(), &lists[i]);
        ruleTimes.push_back(Now() - start);
        for (size_t i = 0; i < rules.size(); ++i) FreeOptionList(lists[i], counts[i]);
      }
      // The floor under every load of this catalogue: its option nodes allocated one by one, nothing read.
      start = Now();
      for (void *&node : nodes) node = HeapAlloc(GetProcessHeap(), 0, sizeof(SettingsOption));
      nodeTimes.push_back(Now() - start);
      for (void *node : nodes) HeapFree(GetProcessHeap(), 0, node);
    }
    if (platformDone < platformRuns && platformDone * rounds <= r * platformRuns) {
      ++platformDone;
      double start = Now();
      LoadCatalogue(*platform, platformSource, language.language);
      platformTimes.push_back(Now() - start);
      bench::ClearCatalogue(*platform);
      start = Now();
      LoadCatalogue(*platform, platformSource, language.language, nullptr, LoadWalk::PageReadOnly);
      platformReads.push_back(Now() - start);
    }
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

  // The page of the same catalogue on a real sheet, opened until it first paints, in turn with a load alone of
  // the printer's settings file.
  std::vector<double> pagePaint, sheetPaint, paintLoads, pageToInit, pageInit, openTimes;
  std::string paintError;
  const bench::PaintPrinter paintPrinter =
      bench::AddPaintPrinter(L"Bench Largest Page", L"Bench LargestPageModel", bytes);
  paintError = paintPrinter.error;
  for (size_t r = 0; r < paintRuns && paintError.empty(); ++r) {
    bench::PaintTime paint;
    if (!bench::OpenPageUntilPainted(paintPrinter.name, paint)) {
      paintError = "the page did not open and paint";
    } else if (paint.classesShown != shape.shownSections) {
      paintError = "the page shows " + std::to_string(paint.classesShown) + " classes";
    } else {
      pagePaint.push_back(paint.pageToPaint);
      sheetPaint.push_back(paint.sheetToPaint);
      pageToInit.push_back(paint.pageToInit);
      pageInit.push_back(paint.init);
    }
    double start = Now();
    LoadCatalogue(*ours, paintPrinter.settingsPath.c_str(), language);
    paintLoads.push_back(Now() - start);
    bench::ClearCatalogue(*ours);
    // What the page's opening asks of the catalogue: the file located through the spooler, the record, the load.
    start = Now();
    bool opened = OpenCatalogue(paintPrinter.name.c_str());
    openTimes.push_back(Now() - start);
    if (opened) ReleaseCatalogue(paintPrinter.name.c_str());
  }

  auto ratioRow = [](const std::string &figure, const std::vector<double> &platformMs, const std::vector<double> &ourMs) {
    char ratio[64];
    std::snprintf(ratio, sizeof(ratio), "%.0fx", Summary(platformMs).median / Summary(ourMs).median);
    Row(figure, ratio, "-", "-", "-", "-");
  };
  TimeRow("catalogue load, largest catalogue (Wine)", ourTimes, "wine.load");
  TimeRow("same loads, every key through GetPrivateProfileStringW/IntW (Wine)", platformTimes);
  ratioRow("load against the platform (Wine): platform / ours, medians", platformTimes, ourTimes);
  TimeRow("reading alone: our INI reader, file parse and 2,960 reads (Wine)", ourReads, "wine.reads.ours");
  TimeRow("reading alone: 2,960 profile reads (Wine)", platformReads, "wine.reads.platform");
  TimeRow("  of which the file read and parsed, no reads (Wine)", parseTimes);
  TimeRow("81,920 option nodes allocated alone (Wine)", nodeTimes, "wine.nodes");
  TimeRow("the catalogue's 320 option lists built alone from its rules (Wine)", ruleTimes);
  TimeRow("10 MB of fresh memory touched, one write a page (Wine)", freshTimes);
  TimeRow("Set All, largest catalogue, spooler excluded (Wine)", setAll, "wine.setall");
  if (!paintError.empty()) {
    Row("page open to first paint, largest catalogue, real sheet (Wine)", "error: " + paintError, "-", "-", "-", "no");
  } else {
    TimeRow("page open to first paint, largest catalogue, real sheet (Wine)", pagePaint, "wine.paint");
    TimeRow("sheet open to first paint of the page, same (Wine)", sheetPaint);
    TimeRow("  of which the page's dialog made, up to WM_INITDIALOG (Wine)", pageToInit);
    TimeRow("  of which WM_INITDIALOG: catalogue opened, lists filled (Wine)", pageInit);
    TimeRow("load alone of that page's settings file, in turn with it (Wine)", paintLoads, "wine.paint.load");
    TimeRow("catalogue open of that printer: file located, record, load (Wine)", openTimes);
  }
  std::printf("INFO\tWine: settings file %zu bytes, %d profile reads per platform load, Set All job %zu bytes\n",
              bytes.size(), counter.reads, size_t(jobBytes));
  std::printf("INFO\tWine (%d-bit): sizeof(SettingsCatalogue) = %u, sizeof(SettingsOption) = %u bytes\n",
              int(sizeof(void *) * 8), unsigned(sizeof(SettingsCatalogue)), unsigned(sizeof(SettingsOption)));
  return 0;
}
