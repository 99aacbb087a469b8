// Timing helpers of the Windows benchmarks: a stopwatch around one piece of work, and the
// minimum and median of the rounds, printed in one line a script can read.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace bench {

template <typename Work>
double TimeMs(Work work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

inline double Minimum(const std::vector<double>& values) {
  return *std::min_element(values.begin(), values.end());
}

// "figure <name> min <ms> median <ms> rounds <n>": one line per figure, for
// tools/run-benchmarks.sh.
inline void PrintFigure(const char* name, const std::vector<double>& values) {
  if (values.empty()) return;
  std::printf("figure %s min %.1f median %.1f rounds %zu\n", name, Minimum(values), Median(values),
              values.size());
  std::fflush(stdout);
}

}  // namespace bench
