// Building the HTML cross table into one buffer, against a plain memcpy of a
// buffer the size of the file.
#include "bench_common.h"

#include "../tests/common/support.h"
#include "table/html.h"

namespace rinban {
namespace {

using bench::Names;

CrossTableInput Input(const TextList& names) {
  return testing_support::DefaultCrossTable(names, "title", 2, true);
}

void BM_TextInOneBuffer(benchmark::State& state) {
  const TextList names = Names(static_cast<int>(state.range(0)));
  const CrossTableInput in = Input(names);
  size_t bytes = 0;
  for (auto _ : state) {
    const Text text = BuildCrossTableText(in);
    bytes = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(state.iterations() * bytes);
}

// The ceiling: fresh memory of the file's size, filled by one memcpy.
void BM_MemcpyBaseline(benchmark::State& state) {
  const TextList names = Names(static_cast<int>(state.range(0)));
  bench::MemcpyCeiling(state, BuildCrossTableText(Input(names)).size());
}

BENCHMARK(BM_TextInOneBuffer)->Arg(100)->Arg(1000)->Arg(3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemcpyBaseline)->Arg(100)->Arg(1000)->Arg(3000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace rinban

BENCHMARK_MAIN();
