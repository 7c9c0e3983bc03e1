#include "schedule/generation.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/files.h"
#include "platform/memory.h"
#include "text/error.h"
#include "text/messages.h"

namespace rinban {
namespace {

// Pairings and Opponents: slot numbers, one block each. MemberNames, a
// string per slot, is left out: small beside them, and a lower bound may.
double TableBytes(double n) {
  const double pairs = n * std::floor((n + 1) / 2) * sizeof(Tmatch);
  return pairs + (n + 2) * n * sizeof(int32_t);
}

}  // namespace

double RunMemoryLowerBound(const ScheduleTables& tables, const TextList& names) {
  const double n = static_cast<double>(names.size());
  const double grown = std::max(0.0, TableBytes(n) - TableBytes(static_cast<double>(tables.Pairings.size())));
  if (names.size() < 2) return grown;
  const double rounds = names.size() % 2 == 1 ? n : n - 1;
  double slotBytes = names.size() % 2 == 1 ? sizeof(msg::kByeName) - 1 : 0;
  for (const Text& name : names) slotBytes += static_cast<double>(name.size());
  // Every round lists every slot once, 14 bytes around each pair, and a
  // header, separator and empty line of more than 45 bytes.
  const double pairs = std::floor(rounds / 2);
  const double listing = rounds * (slotBytes + 14 * (pairs + 1) + 45);
  // The kept listing and the memo's UTF-16 copy (two bytes a character, so
  // at least one a listing byte) live together, and the memo keeps at least
  // a 4-byte start for each line.
  return grown + 2 * listing + 4 * rounds * (pairs + 3);
}

bool RunGeneration(ScheduleTables& tables, GenerationView& view, const Text& listPath) {
  if (!FileExists(listPath)) {
    view.ShowMessage(msg::kListNotFound);
    return false;
  }
  const TextList names = ReadMemberList(listPath);
  // The tables hold N + 2 slots counted in 32 bits; a list longer than that
  // could never be built, so refuse it before anything changes.
  if (names.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max() - 2))
    throw AppError(Text(msg::kOutOfMemory));
  // Nor start a run that cannot fit: left to the allocator, a huge list
  // would take the whole machine down with it before failing.
  if (RunMemoryLowerBound(tables, names) > static_cast<double>(AvailableMemory()))
    throw AppError(Text(msg::kOutOfMemory));
  const int32_t n = static_cast<int32_t>(names.size());

  ResizeScheduleTables(tables, n);
  view.ClearSelectorsAndViews();
  view.SetStatus(Text(msg::kMemberCount) + ToDecimal(n));
  if (n < 2) {
    view.ShowMessage(msg::kTooFewMembers);
    return false;
  }

  BuildSchedule(names, tables, view);
  view.FillSelectors(names, RoundSelectorItems(tables.RoundCount));
  view.ClearListing();
  view.SetListing(FormatScheduleListing(tables, view));
  view.SelectFirstItems();
  view.EnableOutputButtons();
  return true;
}

}  // namespace rinban
