// In-process probe of the platform's multi-line EDIT control on the real
// listing of n names: one WM_SETTEXT as it is, with redraw off, hidden,
// without word wrap, and the window's way (slices by EM_REPLACESEL, redraw
// off; 12, 24 and 48 slices). Shows where a long generate run spends its time,
// and what the calls the control makes for every line it lays out cost alone.
#include <windows.h>
#include <commctrl.h>
#include <usp10.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "../../tests/common/support.h"
#include "../../tests/e2e/harness.h"
#include "perf.h"
#include "platform/encoding.h"
#include "schedule/listing.h"
#include "window/controls.h"

namespace rinban::perf {
namespace {

enum class Way { Visible, RedrawOff, Hidden, NoWrap, OwnDc, Slices };

int sliceCount = 24;

double Fill(HWND parent, HFONT font, const Text& listing, Way way, int& lines) {
  DWORD style = WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_HSCROLL;
  if (way == Way::NoWrap) style |= ES_AUTOHSCROLL;
  HWND memo = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", style, 8, 8, 273, 273, parent, nullptr,
                              nullptr, nullptr);
  SendMessageW(memo, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageW(memo, EM_SETLIMITTEXT, 0, 0);
  if (way == Way::OwnDc || way == Way::Slices) GiveOwnDc(memo);
  UpdateWindow(parent);
  const auto start = Clock::now();
  if (way == Way::RedrawOff || way == Way::Slices) SendMessageW(memo, WM_SETREDRAW, FALSE, 0);
  if (way == Way::Hidden) ShowWindow(memo, SW_HIDE);
  if (way == Way::Slices) {
    const size_t slice = std::max<size_t>(64 * 1024, listing.size() / static_cast<size_t>(sliceCount) + 1);
    size_t chars = 0;
    for (size_t at = 0; at < listing.size();) {
      size_t end = listing.size();
      if (end - at > slice) {
        const size_t lineEnd = listing.find('\n', at + slice);
        if (lineEnd != Text::npos) end = lineEnd + 1;
      }
      const std::wstring wide = ToWide(std::string_view(listing).substr(at, end - at));
      SendMessageW(memo, EM_SETSEL, chars, chars);
      SendMessageW(memo, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(wide.c_str()));
      chars += wide.size();
      at = end;
    }
    SendMessageW(memo, EM_SETSEL, 0, 0);
    SendMessageW(memo, EM_SCROLLCARET, 0, 0);
  } else {
    const std::wstring wide = ToWide(listing);
    SendMessageW(memo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  }
  if (way == Way::RedrawOff || way == Way::Slices) SendMessageW(memo, WM_SETREDRAW, TRUE, 0);
  if (way == Way::Hidden) ShowWindow(memo, SW_SHOW);
  RedrawWindow(memo, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  const double ms = MsSince(start);
  lines = static_cast<int>(SendMessageW(memo, EM_GETLINECOUNT, 0, 0));
  DestroyWindow(memo);
  return ms;
}

extern "C" LONG WINAPI GdiGetCharDimensions(HDC, TEXTMETRICW*, LONG*);

template <typename Call>
double MicrosEach(Call call) {
  constexpr int kRepeats = 20000;
  const auto start = Clock::now();
  for (int i = 0; i < kRepeats; ++i) call();
  return MsSince(start) * 1000.0 / kRepeats;
}

// The text box's own work for one line, call by call, on a line of the listing.
void PerLineCalls(HWND parent, HFONT font, const std::wstring& line) {
  HWND plain = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | ES_MULTILINE, 0, 0, 10, 10, parent, nullptr, nullptr, nullptr);
  HWND own = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | ES_MULTILINE, 0, 0, 10, 10, parent, nullptr, nullptr, nullptr);
  GiveOwnDc(own);
  const double cached = MicrosEach([&] { ReleaseDC(plain, GetDC(plain)); });
  const double owned = MicrosEach([&] { ReleaseDC(own, GetDC(own)); });
  HDC dc = GetDC(own);
  const double select = MicrosEach([&] { SelectObject(dc, SelectObject(dc, font)); });
  SelectObject(dc, font);
  const double dimensions = MicrosEach([&] { GdiGetCharDimensions(dc, nullptr, nullptr); });
  const int length = static_cast<int>(line.size());
  const double analyse = MicrosEach([&] {
    SCRIPT_STRING_ANALYSIS ssa = nullptr;
    SCRIPT_TABDEF tabs{1, 0, nullptr, 0};
    ScriptStringAnalyse(dc, line.c_str(), length, length * 3 / 2 + 16, -1, SSA_LINK | SSA_FALLBACK | SSA_GLYPHS | SSA_TAB,
                        -1, nullptr, nullptr, nullptr, &tabs, nullptr, &ssa);
    ScriptString_pSize(ssa);
    ScriptStringFree(&ssa);
  });
  ReleaseDC(own, dc);
  DestroyWindow(plain);
  DestroyWindow(own);
  std::printf("  per line, the control's calls alone: GetDC+ReleaseDC %.1f us (own DC %.1f), font in and out %.1f us,\n"
              "  GdiGetCharDimensions %.1f us, ScriptStringAnalyse+pSize+Free %.1f us: %.1f us with an own DC\n",
              cached, owned, select, dimensions, analyse, owned + select + dimensions + analyse);
}

}  // namespace

int RunEditProbe(int n) {
  InitCommonControls();
  TextList names;
  {
    const e2e::TempFolder folder;
    e2e::WriteBytes(folder.File(L"list.txt"), MemberList(n));
    names = ReadMemberList(ToText(folder.File(L"list.txt")));
  }
  testing_support::QuietProgress progress;
  const Text listing = FormatScheduleListing(testing_support::BuiltSchedule(names), progress);

  LOGFONTW face{};
  face.lfHeight = -12;
  face.lfCharSet = SHIFTJIS_CHARSET;
  wcscpy(face.lfFaceName, L"ＭＳ Ｐゴシック");
  HFONT font = CreateFontIndirectW(&face);
  HWND parent = CreateWindowExW(0, L"STATIC", L"edit probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 320, 340,
                                nullptr, nullptr, nullptr, nullptr);
  std::printf("N = %d: listing of %zu bytes\n", n, listing.size());
  const size_t pairLine = listing.find('\n', listing.find('\n') + 1);  // the first pairing
  PerLineCalls(parent, font, ToWide(std::string_view(listing).substr(listing.find('\n') + 1,
                                                                 pairLine - listing.find('\n') - 2)));
  const struct {
    Way way;
    int slices;
    const char* name;
  } ways[] = {{Way::Visible, 1, "WM_SETTEXT, word wrap, visible"},
              {Way::RedrawOff, 1, "WM_SETTEXT, word wrap, redraw off"},
              {Way::Hidden, 1, "WM_SETTEXT, word wrap, hidden"},
              {Way::NoWrap, 1, "WM_SETTEXT, no word wrap"},
              {Way::OwnDc, 1, "WM_SETTEXT, word wrap, own DC"},
              {Way::Slices, 12, "12 slices, redraw off, own DC"},
              {Way::Slices, 24, "24 slices, redraw off, own DC"},
              {Way::Slices, 48, "48 slices, redraw off, own DC"}};
  for (const auto& w : ways) {
    sliceCount = w.slices;
    int lines = 0;
    const double ms = Fill(parent, font, listing, w.way, lines);
    std::printf("  %-40s %8.0f ms  %7d lines  %5.1f us a line\n", w.name, ms, lines, ms * 1000.0 / lines);
    std::fflush(stdout);
  }
  DestroyWindow(parent);
  DeleteObject(font);
  return 0;
}

}  // namespace rinban::perf
