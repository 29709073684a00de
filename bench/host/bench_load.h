// The load of the largest catalogue, timed: shared by the programs whose figures a target sets against it, so that
// each ratio's two sides run in one program, their repetitions interleaved.
#pragma once

#include <benchmark/benchmark.h>

#include "bench/host/bench_machine.h"
#include "catalogue/loader.h"

namespace bench {

// A printer whose driver's settings file is the largest catalogue the record holds.
const BenchPrinter &LargestPrinter();

// Loads that printer's settings file once per iteration into one record, checked and cleared untimed.
void TimeLargestLoads(benchmark::State &state, const LoadLanguage &language);

}  // namespace bench
