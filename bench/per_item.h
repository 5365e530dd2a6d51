#pragma once
// A benchmark's time for each of the n things one iteration handles: the
// figure that must stay flat as n grows.
#include <benchmark/benchmark.h>

#include <cstddef>

inline benchmark::Counter PerItem(std::size_t n) {
  return benchmark::Counter(static_cast<double>(n),
                            benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
