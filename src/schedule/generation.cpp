#include "schedule/generation.h"

#include <limits>

#include "platform/files.h"
#include "text/error.h"
#include "text/messages.h"

namespace rinban {

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
