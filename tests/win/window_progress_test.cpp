// Form1 on listings larger than one of the memo's slices: the memo ends as
// one assignment would leave it, and the bar receives every step of the run
// on every path, visible again afterwards.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <new>
#include <string>
#include <utility>

#include "../common/form_fixture.h"
#include "../common/support.h"
#include "platform/files.h"
#include "rinban_main.h"
#include "text/messages.h"
#include "window/wide.h"

namespace rinban {
namespace {

class LongListTest : public testing_support::FormFixture {
 protected:
  LongListTest() : FormFixture("rinban-long") {}
  void SetUp() override { ASSERT_NE(Open().Handle(), nullptr); }

  // n names, every third one double-byte, so slices hold both kinds.
  void List(int n) {
    Text list;
    for (int i = 0; i < n; ++i) list += (i % 3 ? "Player" : "山田太") + ToDecimal(i) + "\r\n";
    WriteWholeFile("list.txt", list);
  }
  void Generate() {
    SendMessageW(form_->Button1.Handle(), BM_CLICK, 0, 0);
  }
  // Where runs of {maximum, steps} leave a bar that starts at 0, asked of
  // the platform's own bar.
  int PositionAfter(std::initializer_list<std::pair<int, int>> runs) {
    HWND bar = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD, 0, 0, 10, 10, form_->Handle(), nullptr,
                               nullptr, nullptr);
    SendMessageW(bar, PBM_SETSTEP, 1, 0);
    for (auto [max, steps] : runs) {
      SendMessageW(bar, PBM_SETRANGE32, 0, max);
      for (int i = 0; i < steps; ++i) SendMessageW(bar, PBM_STEPIT, 0, 0);
    }
    const int position = static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0));
    DestroyWindow(bar);
    return position;
  }
  bool BarShown() const {
    return (GetWindowLongW(form_->ProgressBar1.Handle(), GWL_STYLE) & WS_VISIBLE) != 0;
  }
};

TEST_F(LongListTest, MemoHoldsTheWholeListingAsOneAssignmentLeavesIt) {
  TForm1& form = *form_;
  List(151);  // 151 rounds of 76 pairs: about 400 KB, several slices
  Generate();
  ASSERT_TRUE(dialogs_.errors.empty());
  const Text listing = form.Listing();
  ASSERT_GT(listing.size(), 300u * 1024);
  EXPECT_EQ(form.Memo1.GetText(), listing);

  size_t lines = 1;  // the text ends with CR LF: one empty line after it
  for (char c : listing) lines += c == '\n';
  EXPECT_EQ(static_cast<size_t>(form.Memo1.Send(EM_GETLINECOUNT)), lines);
  DWORD start = 1, end = 1;
  form.Memo1.Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 0u);
  EXPECT_EQ(form.Memo1.Send(EM_GETFIRSTVISIBLELINE), 0);
  EXPECT_FALSE(form.Memo1.Send(EM_CANUNDO));
  EXPECT_FALSE(form.Memo1.Send(EM_GETMODIFY));
  // Still the read-only, wrapping memo with both scroll bars.
  const LONG style = GetWindowLongW(form.Memo1.Handle(), GWL_STYLE);
  EXPECT_EQ(style & (ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_HSCROLL | ES_AUTOHSCROLL | WS_VISIBLE),
            ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE);

  // A second, shorter run replaces all of it.
  List(40);
  Generate();
  EXPECT_EQ(form.Memo1.GetText(), form.Listing());
  EXPECT_LT(form.Listing().size(), listing.size() / 4);
}

TEST_F(LongListTest, EveryStepReachesTheBarOnEveryPath) {
  TForm1& form = *form_;
  List(151);  // odd: 151 rounds
  Generate();
  EXPECT_EQ(form.ProgressBar1.Max(), 151);
  EXPECT_EQ(form.ProgressBar1.Position(), PositionAfter({{151, 2 * 151}}));
  EXPECT_TRUE(BarShown());

  List(120);  // even: 119 rounds, going on from where the bar stands
  Generate();
  EXPECT_EQ(form.ProgressBar1.Max(), 119);
  EXPECT_EQ(form.ProgressBar1.Position(), PositionAfter({{151, 2 * 151}, {119, 2 * 119}}));
  EXPECT_TRUE(BarShown());

  // A memo that cannot take the listing: the run fails as out of memory,
  // the memo and the kept bytes are empty rather than a part, and the bar
  // still receives both halves of the steps.
  form.Memo1.Send(EM_SETLIMITTEXT, 1000);
  Generate();
  EXPECT_EQ(dialogs_.errors, (TextList{msg::kOutOfMemory}));
  EXPECT_EQ(form.Memo1.GetText(), "");
  EXPECT_EQ(form.Listing(), "");
  EXPECT_EQ(form.ProgressBar1.Position(), PositionAfter({{151, 2 * 151}, {119, 4 * 119}}));
  EXPECT_TRUE(BarShown());
}

}  // namespace
}  // namespace rinban
