// Everything the user reads of a schedule, as CP932 text.
#pragma once

#include <string_view>
#include <vector>

#include "schedule/schedule.h"

namespace rinban {

// All rounds: header, pair lines, 30 asterisks, empty line; CR LF after each.
// Calls progress.Step() once per round.
Text FormatScheduleListing(const ScheduleTables& tables, ScheduleProgress& progress);

// "第 k 戦" for k = 1 .. roundCount.
TextList RoundSelectorItems(int32_t roundCount);

struct MemberRow {
  Text Caption;   // "第 k 回戦"
  Text Opponent;
};

// One row per round for the given slot.
std::vector<MemberRow> MemberRows(const ScheduleTables& tables, int32_t slot);

// "Left VS Right" for every pair of the round (counted from 0).
TextList RoundRows(const ScheduleTables& tables, int32_t round);

// Writes text byte for byte to "./table.txt".
void SaveListing(std::string_view text);

}  // namespace rinban
