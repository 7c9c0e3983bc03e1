// The generate command's steps, in the order whose effects decide what a
// refused or failing run leaves behind. The window implements the view.
#pragma once

#include "schedule/listing.h"

namespace rinban {

// What a run does to the window, in the order RunGeneration calls it; a view
// may rely on this order, and a failure may end the run after any call:
//   ShowMessage                  no list file; nothing else happens
//   ClearSelectorsAndViews, SetStatus
//   ShowMessage                  fewer than two names; the run ends
//   SetTotal, Step once a round  while the schedule is built
//   FillSelectors                the schedule's steps are all done
//   ClearListing
//   Step once a round            while the listing is formatted: these take
//                                no time of their own, so a view may hold
//                                them until SetListing
//   SetListing, SelectFirstItems, EnableOutputButtons
class GenerationView : public ScheduleProgress {
 public:
  virtual void ShowMessage(const Text& text) = 0;
  // Empties the member selector, round selector, member view, round view, in this order.
  virtual void ClearSelectorsAndViews() = 0;
  virtual void SetStatus(const Text& text) = 0;
  virtual void FillSelectors(const TextList& members, const TextList& rounds) = 0;
  virtual void ClearListing() = 0;
  virtual void SetListing(Text listing) = 0;
  // Selects item 0 in both selectors, then rebuilds the member view, then the round view.
  virtual void SelectFirstItems() = 0;
  // Copy, save, HTML buttons, in this order.
  virtual void EnableOutputButtons() = 0;

 protected:
  ~GenerationView() = default;
};

// The fewest bytes a run over names must add to what tables already hold:
// the grown tables and the listing with its copies in the window. A floating
// count, since a list of 2^31 names overflows 64 bits here.
double RunMemoryLowerBound(const ScheduleTables& tables, const TextList& names);

// Runs the whole command on listPath. Returns true when a schedule was built.
// File failures propagate as AppError.
bool RunGeneration(ScheduleTables& tables, GenerationView& view, const Text& listPath);

}  // namespace rinban
