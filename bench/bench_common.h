// What the benchmarks share: sample names and the memcpy ceiling they are
// measured against.
#pragma once

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "text/text.h"

namespace rinban::bench {

// Ten-byte names, as long as a typical Japanese name of five characters.
inline TextList Names(int n) {
  TextList names;
  names.reserve(n);
  for (int i = 0; i < n; ++i) {
    Text name = "name" + std::to_string(i);
    name.resize(10, '_');
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

}  // namespace rinban::bench
