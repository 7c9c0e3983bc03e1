#include <gtest/gtest.h>

#include <string>

#include "../common/support.h"
#include "schedule/listing.h"
#include "text/messages.h"

namespace rinban {
namespace {

using testing_support::BuiltSchedule;
using testing_support::CountingProgress;

const Text kBye = msg::kByeName;
const Text kStars(30, '*');

TEST(FormatScheduleListing, ThreeNamesByteForByte) {
  CountingProgress progress;
  const Text listing = FormatScheduleListing(BuiltSchedule({"A", "B", "C"}), progress);
  const Text sep = "  <- VS ->  ";
  const Text expected =
      Text("<<第1回戦>>\r\n") + "A" + sep + "B\r\n" + "C" + sep + kBye + "\r\n" + kStars + "\r\n\r\n" +
      "<<第2回戦>>\r\n" + "A" + sep + "C\r\n" + kBye + sep + "B\r\n" + kStars + "\r\n\r\n" +
      "<<第3回戦>>\r\n" + "A" + sep + kBye + "\r\n" + "B" + sep + "C\r\n" + kStars + "\r\n\r\n";
  EXPECT_EQ(listing, expected);
  EXPECT_EQ(listing.size(), 264u);
  EXPECT_EQ(progress.steps, 3);
  // The header is CP932: 第 is 91 E6, 回戦 is 89 F1 90 ED.
  EXPECT_EQ(listing.substr(0, 11), "<<\x91\xE6" "1\x89\xF1\x90\xED>>");
}

TEST(FormatScheduleListing, TwoNames) {
  CountingProgress progress;
  const Text listing = FormatScheduleListing(BuiltSchedule({"A", "B"}), progress);
  EXPECT_EQ(listing, "<<第1回戦>>\r\nA  <- VS ->  B\r\n" + kStars + "\r\n\r\n");
  EXPECT_EQ(listing.size(), 63u);
  EXPECT_EQ(progress.steps, 1);
}

// Length = sum over rounds of 12 + digits(k) + pairs * 14 + names + 34, for
// names of varying length, including empty ones and multi-digit rounds.
TEST(FormatScheduleListing, LengthFormulaAndShape) {
  for (int n : {2, 3, 9, 10, 11, 24, 101}) {
    TextList names;
    for (int i = 0; i < n; ++i) names.push_back(Text(i % 23, static_cast<char>('a' + i % 26)));
    const ScheduleTables t = BuiltSchedule(names);
    size_t expected = 0;
    for (int k = 1; k <= t.RoundCount; ++k) {
      expected += 12 + std::to_string(k).size() + 34;
      for (const Tmatch& p : t.Pairings[k - 1]) expected += 14 + t.MemberNames[p.Left].size() + t.MemberNames[p.Right].size();
    }
    CountingProgress progress;
    const Text listing = FormatScheduleListing(t, progress);
    EXPECT_EQ(listing.size(), expected) << n;
    EXPECT_EQ(listing.substr(listing.size() - 4), "\r\n\r\n") << n;
    const Tmatch& last = t.Pairings[t.RoundCount - 1].back();
    EXPECT_NE(listing.find("\r\n" + t.MemberNames[last.Left] + "  <- VS ->  " + t.MemberNames[last.Right] + "\r\n***"),
              Text::npos)
        << n;
    EXPECT_EQ(progress.steps, t.RoundCount) << n;
    size_t lines = 0;
    for (size_t at = 0; (at = listing.find("\r\n", at)) != Text::npos; at += 2) ++lines;
    EXPECT_EQ(lines, static_cast<size_t>(t.RoundCount) * (t.RoundCount / 2 + 4)) << n;
  }
}

TEST(Listing, MultiDigitRoundLabels) {
  const TextList items = RoundSelectorItems(100);
  ASSERT_EQ(items.size(), 100u);
  EXPECT_EQ(items[0], "第 1 戦");
  EXPECT_EQ(items[9], "第 10 戦");
  EXPECT_EQ(items[99], "第 100 戦");
  EXPECT_TRUE(RoundSelectorItems(0).empty());

  TextList names;
  for (int i = 0; i < 101; ++i) names.push_back(Text("n").append(std::to_string(i)));
  const ScheduleTables t = BuiltSchedule(names);
  const auto rows = MemberRows(t, 0);
  ASSERT_EQ(rows.size(), 101u);
  EXPECT_EQ(rows[9].Caption, "第 10 回戦");
  EXPECT_EQ(rows[99].Caption, "第 100 回戦");
  EXPECT_EQ(rows[99].Opponent, "n100");
  CountingProgress progress;
  const Text listing = FormatScheduleListing(t, progress);
  EXPECT_NE(listing.find("\r\n<<第10回戦>>\r\nn0  <- VS ->  n10\r\n"), Text::npos);
  EXPECT_NE(listing.find("\r\n<<第100回戦>>\r\nn0  <- VS ->  n100\r\n"), Text::npos);
}

TEST(Listing, MemberAndRoundRows) {
  const ScheduleTables t = BuiltSchedule({"A", "B", "C"});
  const auto b = MemberRows(t, 1);
  ASSERT_EQ(b.size(), 3u);
  EXPECT_EQ(b[2].Caption, "第 3 回戦");
  EXPECT_EQ(b[0].Opponent + b[1].Opponent + b[2].Opponent, "A" + kBye + "C");
  EXPECT_EQ(RoundRows(t, 1), (TextList{"A VS C", kBye + " VS B"}));
  EXPECT_EQ(MemberRows(t, 3).back().Opponent, "A");  // the bye's row

  const ScheduleTables two = BuiltSchedule({"A", ""});
  EXPECT_EQ(RoundRows(two, 0), TextList{"A VS "});
  ASSERT_EQ(MemberRows(two, 1).size(), 1u);
  EXPECT_EQ(MemberRows(two, 1)[0].Opponent, "A");
  CountingProgress progress;
  EXPECT_EQ(FormatScheduleListing(two, progress).substr(13, 14), "A  <- VS ->  \r");

  // Indexes outside the schedule give no rows instead of reading past it.
  EXPECT_TRUE(RoundRows(t, 3).empty());
  EXPECT_TRUE(RoundRows(t, -1).empty());
  EXPECT_TRUE(MemberRows(t, -1).empty());
  EXPECT_TRUE(MemberRows(t, 5).empty());
}

// Tables reused across runs keep earlier slots and names beyond the new
// bounds; everything a run shows must still be what fresh tables give.
TEST(Listing, ReusedTablesShowWhatFreshOnesDo) {
  ScheduleTables t;
  CountingProgress progress;
  int run = 0;
  for (int n : {7, 600, 301, 5, 300, 602}) {
    SCOPED_TRACE(n);
    TextList names;
    for (int i = 0; i < n; ++i) names.push_back(Text(static_cast<size_t>(i % 5), 'a' + run) + std::to_string(i));
    ++run;
    ResizeScheduleTables(t, n);
    BuildSchedule(names, t, progress);
    const ScheduleTables fresh = BuiltSchedule(names);
    ASSERT_EQ(t.RoundCount, fresh.RoundCount);
    EXPECT_EQ(FormatScheduleListing(t, progress), FormatScheduleListing(fresh, progress));
    auto opponents = [](const ScheduleTables& tables, int32_t slot) {
      TextList names;
      for (const MemberRow& row : MemberRows(tables, slot)) names.push_back(row.Opponent);
      return names;
    };
    for (int32_t s = 0; s <= t.RoundCount; ++s) ASSERT_EQ(opponents(t, s), opponents(fresh, s)) << s;
    for (int32_t r = 0; r < t.RoundCount; ++r) ASSERT_EQ(RoundRows(t, r), RoundRows(fresh, r)) << r;
    // Opponents are filled in tiles of rounds, apart from the pairs.
    for (int32_t r = 0; r < t.RoundCount; ++r)
      for (const Tmatch& p : t.Pairings[r])
        ASSERT_TRUE(t.Opponents[p.Left][r] == p.Right && t.Opponents[p.Right][r] == p.Left) << r;
  }

  // Growing keeps the entries of the earlier run where they were.
  ScheduleTables grown = BuiltSchedule({"A", "B", "C", "D", "E"});
  ResizeScheduleTables(grown, 9);
  EXPECT_EQ(grown.Pairings[4][2].Left, 2);
  EXPECT_EQ(grown.Opponents[5][3], 3);
  EXPECT_EQ(grown.Opponents[5][5], 0);
}

}  // namespace
}  // namespace rinban
