// main of the Linux benchmark programs: Google Benchmark's console report of the aggregates, then the rows of the
// figures, computed from every single run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <map>
#include <vector>

#include "bench/host/bench_figures.h"

namespace bench {
namespace {

struct Target {
  std::string label;
  double milliseconds;
  std::string key;  // empty: the figure stands alone
};

std::vector<std::pair<std::string, Target>> &Figures() {
  static std::vector<std::pair<std::string, Target>> figures;
  return figures;
}

double ToMilliseconds(double value, benchmark::TimeUnit unit) {
  switch (unit) {
    case benchmark::kNanosecond: return value / 1e6;
    case benchmark::kMicrosecond: return value / 1e3;
    case benchmark::kMillisecond: return value;
    case benchmark::kSecond: return value * 1e3;
  }
  return value;
}

// Keeps the time of every run and passes only the aggregates on to the console.
class RowReporter : public benchmark::BenchmarkReporter {
 public:
  bool ReportContext(const Context &context) override { return console_.ReportContext(context); }
  void ReportRuns(const std::vector<Run> &runs) override {
    std::vector<Run> shown;
    for (const Run &run : runs) {
      const std::string name = run.run_name.function_name;
      if (run.error_occurred) {
        errors_[name] = run.error_message;
        shown.push_back(run);
      } else if (run.run_type == Run::RT_Iteration) {
        samples_[name].push_back(ToMilliseconds(run.GetAdjustedRealTime(), run.time_unit));
      } else {
        shown.push_back(run);
      }
    }
    if (!shown.empty()) console_.ReportRuns(shown);
  }
  void Finalize() override { console_.Finalize(); }

  void PrintRows() const {
    for (const auto &[benchmark, target] : Figures()) {
      const std::string goal = target.milliseconds > 0 ? "median <= " + Milliseconds(target.milliseconds) : "-";
      auto error = errors_.find(benchmark);
      auto found = samples_.find(benchmark);
      if (error != errors_.end() || found == samples_.end() || found->second.empty()) {
        PrintRow(target.label, error != errors_.end() ? "error: " + error->second : "not run", "-", "-", goal, "no");
        continue;
      }
      std::vector<double> times = found->second;
      std::sort(times.begin(), times.end());
      const size_t n = times.size();
      const double median = n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
      const std::string met = target.milliseconds > 0 ? (median <= target.milliseconds ? "yes" : "no") : "-";
      PrintRow(target.label + " (" + std::to_string(n) + " runs)", Milliseconds(median), Milliseconds(times.front()),
               Milliseconds(times.back()), goal, met);
      if (!target.key.empty()) PrintMedian(target.key, target.label, median);
    }
  }

 private:
  benchmark::ConsoleReporter console_;
  std::map<std::string, std::vector<double>> samples_;
  std::map<std::string, std::string> errors_;
};

}  // namespace

Figure::Figure(const char *benchmark, const char *label, double targetMilliseconds, const char *key) {
  Figures().push_back({benchmark, Target{label, targetMilliseconds, key ? key : ""}});
}

void PrintMedian(const std::string &key, const std::string &figure, double milliseconds) {
  std::printf("MEDIAN\t%s\t%s\t%.6f\n", key.c_str(), figure.c_str(), milliseconds);
}

void PrintRow(const std::string &figure, const std::string &median, const std::string &min, const std::string &max,
              const std::string &target, const std::string &met) {
  std::printf("ROW\t%s\t%s\t%s\t%s\t%s\t%s\n", figure.c_str(), median.c_str(), min.c_str(), max.c_str(),
              target.c_str(), met.c_str());
}

std::string Milliseconds(double ms) {
  char text[32];
  std::snprintf(text, sizeof(text), ms < 0.1 ? "%.4f ms" : ms < 10 ? "%.3f ms" : "%.1f ms", ms);
  return text;
}

}  // namespace bench

int main(int argc, char **argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  bench::RowReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::cout << std::endl;  // the console report, then the rows on lines of their own
  std::fflush(stdout);
  reporter.PrintRows();
  benchmark::Shutdown();
  return 0;
}
