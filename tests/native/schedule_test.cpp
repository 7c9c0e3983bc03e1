#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "../common/support.h"
#include "schedule/schedule.h"
#include "text/messages.h"

namespace rinban {
namespace {

using testing_support::BuiltSchedule;
using testing_support::CountingProgress;
using testing_support::Names;

// "A-B C-x" style: the pairs of one round, x standing for the bye.
std::string Round(const ScheduleTables& t, int r) {
  std::string out;
  for (const Tmatch& p : t.Pairings[r]) {
    auto show = [&](int32_t slot) { return t.MemberNames[slot] == msg::kByeName ? Text("x") : t.MemberNames[slot]; };
    if (!out.empty()) out += ' ';
    out += show(p.Left) + "-" + show(p.Right);
  }
  return out;
}

TEST(SplitMemberList, LineBreaksNulAndEdges) {
  const struct {
    std::string bytes;
    TextList lines;
  } cases[] = {
      {"", {}},
      {"A", {"A"}},
      {"A\r\nB\r\n", {"A", "B"}},
      {"A\r\nB\r\n\r\n", {"A", "B", ""}},
      {"A\nB\rC", {"A", "B", "C"}},
      {"A\n\rB", {"A", "", "B"}},
      {"A\r\r\nB", {"A", "", "B"}},
      {std::string("A\r\nB\0C\r\nD", 9), {"A", "B"}},
      {std::string("\0A", 2), {}},
      {"\r\n", {""}},
      {"\n\n", {"", ""}},
      {" A \t\r\nA", {" A \t", "A"}},
      {"\x95\x5C\r\n\x83\x5C\x83\x74\x83\x67", {"\x95\x5C", "\x83\x5C\x83\x74\x83\x67"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitMemberList(c.bytes), c.lines) << testing::PrintToString(c.bytes);
}

TEST(ResizeScheduleTables, DimensionsAndKeptEntries) {
  ScheduleTables t = BuiltSchedule({"A", "B", "C", "D", "E"});
  ResizeScheduleTables(t, 4);
  EXPECT_EQ(t.RoundCount, 4);
  EXPECT_EQ(t.MemberNames.size(), 6u);
  EXPECT_EQ(t.Pairings.size(), 4u);
  EXPECT_EQ(t.Opponents.size(), 6u);
  EXPECT_EQ(t.Pairings[3].size(), 2u);
  EXPECT_EQ(t.Opponents[5].size(), 4u);
  // Entries inside the new bounds survive, in both rows and columns.
  EXPECT_EQ(Round(t, 0), "A-B C-x");
  EXPECT_EQ(t.MemberNames[t.Opponents[5][3]], "D");

  // Four names over the earlier five: only slots 0 to 3 are rewritten.
  CountingProgress progress;
  BuildSchedule({"P", "Q", "R", "S"}, t, progress);
  EXPECT_EQ(t.RoundCount, 3);
  EXPECT_EQ(t.MemberNames[4], "E");
  EXPECT_EQ(t.MemberNames[5], msg::kByeName);
  EXPECT_EQ(Round(t, 2), "P-S Q-R");

  ResizeScheduleTables(t, 0);
  EXPECT_EQ(t.MemberNames, (TextList{"P", "Q"}));
  EXPECT_TRUE(t.Pairings.empty());
  EXPECT_EQ(t.RoundCount, 0);
}

TEST(BuildSchedule, WorkedExamples) {
  const struct {
    TextList names;
    int32_t rounds;
    std::vector<std::string> pairs;
  } cases[] = {
      {{"A", "B"}, 1, {"A-B"}},
      {{"A", "B", "C"}, 3, {"A-B C-x", "A-C x-B", "A-x B-C"}},
      {{"A", "B", "C", "D"}, 3, {"A-B C-D", "A-C D-B", "A-D B-C"}},
      {{"A", "B", "C", "D", "E"},
       5,
       {"A-B C-x D-E", "A-C D-B E-x", "A-D E-C x-B", "A-E x-D B-C", "A-x B-E C-D"}},
  };
  for (const auto& c : cases) {
    const ScheduleTables t = BuiltSchedule(c.names);
    ASSERT_EQ(t.RoundCount, c.rounds);
    for (int r = 0; r < c.rounds; ++r) EXPECT_EQ(Round(t, r), c.pairs[r]) << c.names.size() << " round " << r + 1;
  }
}

TEST(BuildSchedule, WorkedOpponents) {
  const Text x = msg::kByeName;
  const ScheduleTables four = BuiltSchedule({"A", "B", "C", "D"});
  const std::vector<TextList> fourRows = {{"B", "C", "D"}, {"A", "D", "C"}, {"D", "A", "B"}, {"C", "B", "A"}};
  auto names = [](const ScheduleTables& t, int s) {
    TextList row;
    for (int r = 0; r < t.RoundCount; ++r) row.push_back(t.MemberNames[t.Opponents[s][r]]);
    return row;
  };
  for (int s = 0; s < 4; ++s) EXPECT_EQ(names(four, s), fourRows[s]) << s;

  const ScheduleTables three = BuiltSchedule({"A", "B", "C"});
  const std::vector<TextList> threeRows = {{"B", "C", x}, {"A", x, "C"}, {x, "A", "B"}, {"C", "B", "A"}};
  for (int s = 0; s < 4; ++s) EXPECT_EQ(names(three, s), threeRows[s]) << s;
  EXPECT_EQ(three.MemberNames[3], x);
}

// Properties of the circle method over many sizes, on distinct names so that
// every name identifies its slot.
TEST(BuildSchedule, RoundRobinInvariants) {
  for (int n = 2; n <= 60; ++n) {
    SCOPED_TRACE(n);
    ScheduleTables t;
    CountingProgress progress;
    const TextList names = Names(n);
    ResizeScheduleTables(t, n);
    BuildSchedule(names, t, progress);
    const int rounds = t.RoundCount;
    const int slots = rounds + 1;
    ASSERT_EQ(rounds, n % 2 ? n : n - 1);
    ASSERT_EQ(rounds % 2, 1);
    EXPECT_EQ(progress.totals, 1);
    EXPECT_EQ(progress.total, rounds);
    EXPECT_EQ(progress.steps, rounds);
    EXPECT_EQ(progress.stepsBeforeTotal, 0);

    auto slotOf = [&](const Text& name) {
      for (int s = 0; s < slots; ++s)
        if (t.MemberNames[s] == name) return s;
      return -1;
    };
    std::set<std::pair<int, int>> met;
    for (int r = 0; r < rounds; ++r) {
      std::vector<int> seen(slots, 0);
      ASSERT_EQ(static_cast<int>(t.Pairings[r].size()), slots / 2);
      for (const Tmatch& p : t.Pairings[r]) {
        const int a = slotOf(t.MemberNames[p.Left]), b = slotOf(t.MemberNames[p.Right]);
        ASSERT_GE(a, 0);
        ASSERT_GE(b, 0);
        ASSERT_NE(a, b);
        ++seen[a];
        ++seen[b];
        EXPECT_TRUE(met.insert({std::min(a, b), std::max(a, b)}).second) << a << " meets " << b << " twice";
        EXPECT_EQ(t.Opponents[a][r], p.Right);
        EXPECT_EQ(t.Opponents[b][r], p.Left);
      }
      EXPECT_EQ(seen, std::vector<int>(slots, 1)) << "round " << r + 1;
      EXPECT_EQ(t.Pairings[r][0].Left, 0);
      EXPECT_EQ(t.Pairings[r][0].Right, r + 1);
    }
    EXPECT_EQ(met.size(), static_cast<size_t>(slots) * (slots - 1) / 2);
  }
}

}  // namespace
}  // namespace rinban
