// Participant list and the round-robin schedule by the circle method.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "text/text.h"

namespace rinban {

struct Tmatch {
  Text Left;   // printed first
  Text Right;  // printed second
};

// Held by the window for the whole run; entries outside the ranges in use may
// hold text left over from an earlier run.
struct ScheduleTables {
  std::vector<std::vector<Tmatch>> Pairings;  // one row per round
  std::vector<TextList> Opponents;            // one row per slot, one entry per round
  int32_t RoundCount = 0;
  TextList MemberNames;                       // participants, then the bye when N is odd
};

class ScheduleProgress {
 public:
  virtual void SetTotal(int32_t count) = 0;
  virtual void Step() = 0;

 protected:
  ~ScheduleProgress() = default;
};

// Lines of the list file's bytes: text ends at the first NUL; CR LF, lone CR
// and lone LF each end a line; a final line break adds no entry.
TextList SplitMemberList(std::string_view bytes);

// The list file's bytes in code page 932: a list saved as UTF-8 or UTF-16
// converted, any other returned as it is.
Text MemberListText(Text fileBytes);

// Reads the whole file, converts and splits it. Throws AppError(kCannotOpen, path).
TextList ReadMemberList(const Text& path);

// MemberNames to n + 2, Pairings to n rows of (n + 1) / 2, Opponents to
// n + 2 rows of n; keeps entries inside the new bounds; RoundCount = n.
void ResizeScheduleTables(ScheduleTables& tables, int32_t n);

// Needs names.size() >= 2 and tables just resized for it.
void BuildSchedule(const TextList& names, ScheduleTables& tables, ScheduleProgress& progress);

}  // namespace rinban
