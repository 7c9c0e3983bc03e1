#include "fuzz_common.h"
#include <cstring>

#include "../tests/common/support.h"
#include "schedule/listing.h"
#include "text/messages.h"

using namespace rinban;


extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const TextList names =
      SplitMemberList(std::string_view(reinterpret_cast<const char*>(data), size));
  const int32_t n = static_cast<int32_t>(names.size());
  if (n < 2 || n > 64) return 0;
  ScheduleTables tables;
  ResizeScheduleTables(tables, n);
  testing_support::CountingProgress progress;
  BuildSchedule(names, tables, progress);
  const int32_t r = tables.RoundCount;
  fuzz::Check(r % 2 == 1 && progress.total == r && progress.steps == r, "rounds");
  const Text listing = FormatScheduleListing(tables, progress);
  // Literal sizes rather than byte counts: this build may keep UTF-8 literals.
  const size_t header = std::strlen(msg::kListingHeaderOpen) + std::strlen(msg::kListingHeaderClose);
  const size_t pair = std::strlen(msg::kListingPairSeparator);
  const size_t end = std::strlen(msg::kListingRoundEnd);
  size_t expect = 0;
  for (int32_t k = 1; k <= r; ++k) {
    expect += header + ToDecimal(k).size() + 2 + end + 2 + 2;
    for (const Tmatch& m : tables.Pairings[k - 1]) expect += pair + 2 + tables.MemberNames[m.Left].size() + tables.MemberNames[m.Right].size();
  }
  fuzz::Check(listing.size() == expect, "listing length");
  fuzz::Check(progress.steps == 2 * r, "listing steps");
  // Each round pairs every slot in use exactly once.
  for (int32_t round = 0; round < r; ++round) {
    std::vector<int> seen(r + 1, 0);
    for (int32_t s = 0; s <= r; ++s)
      for (int32_t t = 0; t <= r; ++t)
        if (s != t && tables.Opponents[s][round] == t && tables.Opponents[t][round] == s)
          seen[s] = 1;
    for (int v : seen) fuzz::Check(v == 1, "slot without an opponent");
  }
  return 0;
}
