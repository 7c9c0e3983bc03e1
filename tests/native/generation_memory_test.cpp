// The generate run refuses a list whose schedule cannot fit in memory before
// it touches anything, and never refuses one that can.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "../common/support.h"
#include "schedule/generation.h"
#include "text/error.h"
#include "text/messages.h"

namespace rinban {
namespace {

using testing_support::Names;

// A bound above what a run really takes would refuse lists that fit.
TEST(GenerationMemory, BoundStaysBelowTheRealTablesAndListing) {
  for (int n : {2, 3, 4, 5, 10, 11, 64, 101}) {
    const TextList names = Names(n);
    ScheduleTables tables;
    ResizeScheduleTables(tables, n);
    double tableBytes = 0;
    for (const auto& row : tables.Pairings) tableBytes += row.size() * sizeof(row[0]);
    for (const auto& row : tables.Opponents) tableBytes += row.size() * sizeof(row[0]);
    testing_support::QuietProgress progress;
    BuildSchedule(names, tables, progress);
    const double listing = static_cast<double>(FormatScheduleListing(tables, progress).size());

    EXPECT_LE(RunMemoryLowerBound(ScheduleTables{}, names), tableBytes * 1.5 + 2 * listing + listing / 4) << n;
    EXPECT_GE(RunMemoryLowerBound(ScheduleTables{}, names), tableBytes) << n;
    // Tables already that large need nothing more for themselves.
    // The kept listing and the memo's copy of it, which is at least as big
    // even for double-byte names, plus the memo's line starts.
    EXPECT_LE(RunMemoryLowerBound(tables, names), 2 * listing + listing / 4) << n;
    EXPECT_GT(RunMemoryLowerBound(tables, names), 1.5 * listing) << n;
  }
  EXPECT_LT(RunMemoryLowerBound(ScheduleTables{}, Names(1)), 1000);
}

TEST(GenerationMemory, HundredThousandNamesAreRefusedBeforeAnyEffect) {
  const testing_support::WorkFolder folder("rinban-genmem");
  const Text path = (folder.Path() / "list.txt").string();
  {
    std::ofstream out(path, std::ios::binary);
    for (int i = 0; i < 100000; ++i) out << "m" << i << "\r\n";
  }
  ScheduleTables tables;
  ResizeScheduleTables(tables, 3);
  testing_support::RecordingView view;
  EXPECT_EQ(testing_support::ErrorOf([&] { RunGeneration(tables, view, path); }), msg::kOutOfMemory)
      << "a schedule of 10^10 entries was started";
  EXPECT_EQ(view.log, std::vector<std::string>{});
  EXPECT_EQ(tables.RoundCount, 3);
  EXPECT_EQ(tables.Pairings.size(), 3u);
}

}  // namespace
}  // namespace rinban
