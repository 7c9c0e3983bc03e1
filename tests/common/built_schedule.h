// Tables freshly resized and built for names, as a successful run leaves them.
#pragma once

#include "schedule/schedule.h"

namespace rinban::testing_support {

inline ScheduleTables BuiltSchedule(const TextList& names) {
  struct Quiet final : ScheduleProgress {
    void SetTotal(int32_t) override {}
    void Step() override {}
  } progress;
  ScheduleTables tables;
  ResizeScheduleTables(tables, static_cast<int32_t>(names.size()));
  BuildSchedule(names, tables, progress);
  return tables;
}

}  // namespace rinban::testing_support
