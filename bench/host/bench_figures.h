// The figures of a Linux benchmark program: each benchmark names the figure it measures and its target, and the
// program's main prints, after Google Benchmark's own report, one line per figure for scripts/bench:
//   ROW <tab> figure <tab> median <tab> min <tab> max <tab> target <tab> met
// and, for the figures that a target sets against each other, one line MEDIAN <tab> key <tab> figure <tab> ms.
// Times are per run (every benchmark runs one iteration per repetition), so min and max are single runs.
#pragma once

#include <string>

namespace bench {

// A figure measured by the benchmark function `benchmark`. A target of 0 or less is informative only. A figure
// with a `key` also goes to scripts/bench's ratios ("MEDIAN <tab> key <tab> label <tab> milliseconds").
struct Figure {
  Figure(const char *benchmark, const char *label, double targetMilliseconds, const char *key = nullptr);
};

// Prints a row of the final table directly (for figures that are not times).
void PrintRow(const std::string &figure, const std::string &median, const std::string &min, const std::string &max,
              const std::string &target, const std::string &met);

// A median that a target of scripts/bench sets against another one.
void PrintMedian(const std::string &key, const std::string &figure, double milliseconds);

// A time in milliseconds, written as the table shows it.
std::string Milliseconds(double ms);

}  // namespace bench
