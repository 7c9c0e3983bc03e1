// The progress bar through one generation run, and the memo fed with the
// listing while the bar moves.
#pragma once

#include <cstdint>
#include <string_view>

#include "window/controls.h"

namespace rinban {

// A run steps the bar twice a round: once while the schedule is built, once
// while the listing is formatted. The second half takes no time of its own;
// the time goes into the memo taking the listing. So those steps are held
// and handed to the bar as the memo is fed. The position follows every step
// shown; the picture is repainted at most every few tens of milliseconds,
// as the bar's own repaint costs more than a step on some platforms.
//
// Use: Run for the whole run; SetTotal and Step while building; Show once
// the schedule's steps are done; Hold before the listing is formatted; Feed
// while the memo takes it. Every step reaches the bar by the end of the Run,
// on every path out.
class RunProgress {
 public:
  explicit RunProgress(const ProgressBar& bar) : bar_(bar) {}
  RunProgress(const RunProgress&) = delete;
  RunProgress& operator=(const RunProgress&) = delete;

  class Run {
   public:
    explicit Run(RunProgress& progress) : progress_(progress) { progress_.Begin(); }
    ~Run() { progress_.End(); }
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

   private:
    RunProgress& progress_;
  };

  // The bar's maximum; setting the one it has changes nothing.
  void SetTotal(int32_t count) const;
  // One step, shown now, or held after Hold.
  void Step();
  // The steps from now on are held until Feed.
  void Hold() { holding_ = true; }
  // done of total units have been fed: the held steps due by then are shown,
  // and later steps are shown at once.
  void Feed(size_t done, size_t total);
  // Repaints the bar now if a repaint is pending.
  void Show() noexcept;

 private:
  void Begin();
  void End() noexcept;
  void StepBar();

  const ProgressBar& bar_;
  bool holding_ = false;
  int held_ = 0;     // held steps not yet shown
  int feeding_ = 0;  // held steps when feeding began
  bool frozen_ = false;  // the bar's redraw is off, a repaint pending
  ULONGLONG paintedAt_ = 0;
};

// Gives the memo the whole text as one assignment would leave it (caret and
// view at the top, nothing to undo), fed in slices with progress.Feed
// between them. On failure the memo is left empty, never with a part.
void FeedMemo(const Control& memo, std::string_view text, RunProgress& progress);

}  // namespace rinban
