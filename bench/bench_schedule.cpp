// Building and listing a schedule, against a plain memcpy of a buffer the
// size of the listing as the ceiling for writing that many bytes.
#include "bench_common.h"

#include "schedule/listing.h"

namespace rinban {
namespace {

struct NoProgress : ScheduleProgress {
  void SetTotal(int32_t) override {}
  void Step() override {}
};

using bench::Names;

ScheduleTables Built(int n) {
  ScheduleTables tables;
  NoProgress progress;
  ResizeScheduleTables(tables, n);
  BuildSchedule(Names(n), tables, progress);
  return tables;
}

size_t ListingSize(int n) {
  NoProgress progress;
  return FormatScheduleListing(Built(n), progress).size();
}

// Resize and build together, as the generate command does them.
void BM_BuildSchedule(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const TextList names = Names(n);
  NoProgress progress;
  for (auto _ : state) {
    ScheduleTables tables;
    ResizeScheduleTables(tables, n);
    BuildSchedule(names, tables, progress);
    benchmark::DoNotOptimize(tables.Pairings.data());
  }
  state.SetItemsProcessed(state.iterations() * (n / 2) * (n % 2 ? n : n - 1));
}

void BM_FormatScheduleListing(benchmark::State& state) {
  const ScheduleTables tables = Built(static_cast<int>(state.range(0)));
  NoProgress progress;
  size_t bytes = 0;
  for (auto _ : state) {
    Text listing = FormatScheduleListing(tables, progress);
    bytes = listing.size();
    benchmark::DoNotOptimize(listing.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
  state.counters["listing_bytes"] = static_cast<double>(bytes);
}

// The whole of a generate command's work on fresh tables: what the user waits for.
void BM_BuildAndListSchedule(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const TextList names = Names(n);
  NoProgress progress;
  for (auto _ : state) {
    ScheduleTables tables;
    ResizeScheduleTables(tables, n);
    BuildSchedule(names, tables, progress);
    Text listing = FormatScheduleListing(tables, progress);
    benchmark::DoNotOptimize(listing.data());
  }
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

// What reading adds before the split, on 20 MB of Japanese names: the
// encoding check (and a copy) for code page 932, the conversion for UTF-8.
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

// A fresh destination each time, as the listing gets one.
void BM_MemcpyListingSize(benchmark::State& state) {
  bench::MemcpyCeiling(state, ListingSize(static_cast<int>(state.range(0))));
}

BENCHMARK(BM_BuildSchedule)->Arg(10)->Arg(100)->Arg(1000)->Arg(3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormatScheduleListing)->Arg(10)->Arg(100)->Arg(1000)->Arg(3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildAndListSchedule)->Arg(3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SplitMemberList)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemberListText)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemcpyListingSize)->Arg(10)->Arg(100)->Arg(1000)->Arg(3000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace rinban

BENCHMARK_MAIN();
