#include "window/progress.h"

#include <algorithm>
#include <new>
#include <string>

namespace rinban {
namespace {

// The bar is repainted at most this often during a run.
constexpr ULONGLONG kBarPaintMs = 30;
// The memo takes a text in about this many slices, none smaller than the
// minimum: each slice also costs the text box a walk over the lines it holds,
// and half a megabyte (a few tenths of a second under Wine) keeps that small.
constexpr size_t kSlices = 24;
constexpr size_t kMinSlice = 512 * 1024;

}  // namespace

void RunProgress::Begin() {
  holding_ = false;
  held_ = feeding_ = 0;
  paintedAt_ = GetTickCount64();
}

void RunProgress::End() noexcept {
  holding_ = false;
  for (; held_ > 0; --held_) bar_.Step();
  Show();
}

void RunProgress::SetTotal(int32_t count) const {
  if (bar_.Max() != count) bar_.SetMax(count);
}

void RunProgress::Step() {
  if (holding_)
    ++held_;
  else
    StepBar();
}

void RunProgress::Feed(size_t done, size_t total) {
  if (holding_) {
    holding_ = false;
    feeding_ = held_;
  }
  const auto due = total == 0 ? feeding_
                              : static_cast<int>(static_cast<unsigned long long>(feeding_) *
                                                 std::min(done, total) / total);
  for (; held_ > 0 && feeding_ - held_ < due; --held_) StepBar();
}

void RunProgress::StepBar() {
  if (!frozen_) {
    bar_.Send(WM_SETREDRAW, FALSE);
    frozen_ = true;
  }
  bar_.Step();
  const ULONGLONG now = GetTickCount64();
  if (now - paintedAt_ >= kBarPaintMs) {
    Show();
    paintedAt_ = now;
  }
}

void RunProgress::Show() noexcept {
  if (!frozen_) return;
  bar_.Send(WM_SETREDRAW, TRUE);
  RedrawWindow(bar_.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  frozen_ = false;
}

// The text box lays out every line as it takes it, some microseconds a line,
// so a text of a million lines goes in as a few dozen slices cut after line
// ends. A '\n' is never a trail byte, so each slice converts as it would in
// the whole.
void FeedMemo(const Control& memo, std::string_view text, RunProgress& progress) {
  const size_t total = text.size();
  const size_t slice = std::max(kMinSlice, total / kSlices + 1);
  progress.Feed(0, total);
  size_t chars = 0;
  RedrawBatch batch(memo);
  memo.Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
  try {
    for (size_t at = 0; at < total;) {
      size_t end = total;
      if (total - at > slice) {
        const size_t lineEnd = text.find('\n', at + slice);
        if (lineEnd != std::string_view::npos) end = lineEnd + 1;
      }
      const std::wstring wide = ToWide(text.substr(at, end - at));
      memo.Send(EM_SETSEL, chars, chars);
      memo.Send(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(wide.c_str()));
      chars += wide.size();
      at = end;
      progress.Feed(at, total);
    }
    // A text box that ran out of room keeps less than it was given.
    if (static_cast<size_t>(memo.Send(WM_GETTEXTLENGTH)) != chars) throw std::bad_alloc();
  } catch (...) {
    memo.Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    throw;
  }
  memo.Send(EM_SETSEL, 0, 0);
  memo.Send(EM_SCROLLCARET);
  memo.Send(EM_EMPTYUNDOBUFFER);
  memo.Send(EM_SETMODIFY, FALSE);
}

}  // namespace rinban
