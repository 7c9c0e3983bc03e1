// Building and listing a schedule, each against a plain memcpy of the
// listing's bytes taken in the same iteration.
//
//   build/native/bench_schedule --benchmark_filter=x_memcpy
//   /usr/bin/time -v build/native/bench_schedule --benchmark_filter=Peak   (peak memory)
#include "bench_common.h"

#include "../tests/common/support.h"
#include "schedule/listing.h"
#include "schedule/schedule.h"
#include "text/list_encoding.h"

namespace rinban {
namespace {

using bench::AgainstMemcpy;
using bench::Names;
using NoProgress = testing_support::QuietProgress;
using testing_support::BuiltSchedule;

size_t ListingSize(const TextList& names) {
  NoProgress progress;
  return FormatScheduleListing(BuiltSchedule(names), progress).size();
}

// Arguments: N, name length in bytes.
TextList NamesOf(const benchmark::State& state) {
  return Names(static_cast<int>(state.range(0)), static_cast<size_t>(state.range(1)));
}

// Resize and build together on fresh tables, as the first generate command
// does them.
void BM_BuildSchedule_x_memcpy(benchmark::State& state) {
  const TextList names = NamesOf(state);
  NoProgress progress;
  AgainstMemcpy(state, ListingSize(names), [&] {
    ScheduleTables tables;
    ResizeScheduleTables(tables, static_cast<int32_t>(names.size()));
    BuildSchedule(names, tables, progress);
    benchmark::DoNotOptimize(&tables);
  });
}

void BM_FormatScheduleListing_x_memcpy(benchmark::State& state) {
  const TextList names = NamesOf(state);
  const ScheduleTables tables = BuiltSchedule(names);
  NoProgress progress;
  AgainstMemcpy(state, ListingSize(names), [&] {
    Text listing = FormatScheduleListing(tables, progress);
    benchmark::DoNotOptimize(listing.data());
  });
}

void BuildAndList(const TextList& names) {
  NoProgress progress;
  ScheduleTables tables;
  ResizeScheduleTables(tables, static_cast<int32_t>(names.size()));
  BuildSchedule(names, tables, progress);
  Text listing = FormatScheduleListing(tables, progress);
  benchmark::DoNotOptimize(listing.data());
}

// The whole of a generate command's work on fresh tables: what the user waits for.
void BM_BuildAndListSchedule_x_memcpy(benchmark::State& state) {
  const TextList names = NamesOf(state);
  AgainstMemcpy(state, ListingSize(names), [&] { BuildAndList(names); });
}

// The same without a baseline buffer, for the peak memory of the work alone.
void BM_BuildAndListPeak(benchmark::State& state) {
  const TextList names = NamesOf(state);
  for (auto _ : state) BuildAndList(names);
}

// A 100 MB list of ten-byte names with CR LF.
void BM_SplitMemberList(benchmark::State& state) {
  std::string bytes;
  const size_t size = static_cast<size_t>(state.range(0)) << 20;
  bytes.reserve(size + 12);
  const Text name = Names(1)[0];
  while (bytes.size() < size) bytes.append(name).append("\r\n");
  for (auto _ : state) {
    TextList lines = SplitMemberList(bytes);
    benchmark::DoNotOptimize(lines.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

// What reading adds before the split: the encoding check of a CP932 list
// (0) and the conversion of a UTF-8 one (1), 20 MB of Japanese names.
void BM_MemberListText(benchmark::State& state) {
  const bool utf8 = state.range(0) == 1;
  const std::string name = utf8 ? "\xE5\xB1\xB1\xE7\x94\xB0\xE5\xA4\xAA\xE9\x83\x8E\r\n"
                                : "\x8E\x52\x93\x63\x91\xBE\x98\x59\r\n";
  std::string bytes;
  while (bytes.size() < (20u << 20)) bytes += name;
  for (auto _ : state) {
    Text text = MemberListText(bytes);
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

// The check alone at its longest: 20 MB of UTF-8 European names, whose bytes
// are also well-formed code page 932, so both readings are judged to the end.
void BM_DetectListEncodingBothWays(benchmark::State& state) {
  std::string bytes;
  while (bytes.size() < (20u << 20)) bytes += "Jos\xC3\xA9 M\xC3\xBCller\r\n";
  for (auto _ : state) benchmark::DoNotOptimize(DetectListEncoding(bytes).encoding);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

void Sizes(benchmark::internal::Benchmark* b) {
  for (int length : {10, 40})
    for (int n : {10, 100, 1000, 3000}) b->Args({n, length});
  b->UseManualTime()->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_BuildSchedule_x_memcpy)->Apply(Sizes);
BENCHMARK(BM_FormatScheduleListing_x_memcpy)->Apply(Sizes);
BENCHMARK(BM_BuildAndListSchedule_x_memcpy)->Args({3000, 10})->Args({3000, 40})->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildAndListPeak)->Args({3000, 10})->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SplitMemberList)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemberListText)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DetectListEncodingBothWays)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace rinban

BENCHMARK_MAIN();
