// What the benchmarks share: sample names and the memcpy ceiling they are
// measured against.
#pragma once

#include <benchmark/benchmark.h>

#include <cstring>
#include <ctime>
#include <string>

#include "text/text.h"

namespace rinban::bench {

// Ten-byte names by default, as long as a typical Japanese name of five
// characters.
inline TextList Names(int n, size_t length = 10) {
  TextList names;
  names.reserve(n);
  for (int i = 0; i < n; ++i) {
    Text name = "name" + std::to_string(i);
    name.resize(length, '_');
    names.push_back(std::move(name));
  }
  return names;
}

// A fresh buffer of `bytes` filled by one memcpy, per iteration.
inline void MemcpyCeiling(benchmark::State& state, size_t bytes) {
  const std::string source(bytes, 'x');
  for (auto _ : state) {
    std::string copy(bytes, '\0');
    std::memcpy(copy.data(), source.data(), bytes);
    benchmark::DoNotOptimize(copy.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

// Times work() and, right after it in every iteration, a memcpy of `bytes`
// into a fresh buffer: on a shared machine only a ratio taken at the same
// moment is worth comparing. Register with UseManualTime(); the reported time
// is the work's, the counter x_memcpy its ratio to the copy.
template <class Work>
void AgainstMemcpy(benchmark::State& state, size_t bytes, Work work) {
  // Process CPU time (page faults included), which other work on the
  // machine disturbs far less than the wall clock. Not <chrono>: it holds
  // literals that this build's CP932 execution character set cannot encode.
  const auto now = [] { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; };
  const std::string source(bytes, 'x');
  double workSeconds = 0, copySeconds = 0;
  for (auto _ : state) {
    const double start = now();
    work();
    const double worked = now();
    {
      std::string copy(bytes, '\0');
      std::memcpy(copy.data(), source.data(), bytes);
      benchmark::DoNotOptimize(copy.data());
    }
    const double copied = now();
    workSeconds += worked - start;
    copySeconds += copied - worked;
    state.SetIterationTime(worked - start);
  }
  state.counters["memcpy_ms"] = copySeconds * 1e3 / static_cast<double>(state.iterations());
  state.counters["x_memcpy"] = workSeconds / copySeconds;
  state.counters["bytes"] = static_cast<double>(bytes);
}

}  // namespace rinban::bench
