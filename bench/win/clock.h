// The Windows benchmarks' clock: QueryPerformanceCounter in milliseconds.
#pragma once

#include <windows.h>

namespace bench {

inline double NowMilliseconds() {
  static const LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return double(counter.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

}  // namespace bench
