// The real message box and colour dialog, answered from a timer that fires
// inside their modal loops.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "text/messages.h"
#include "window/control_ids.h"
#include "window/dialogs.h"
#include "window/wide.h"

namespace rinban {
namespace {

// Runs inspect on the first dialog-class window of this thread once it is up.
std::function<void(HWND)> g_inspect;

HWND OpenDialog() {
  HWND found = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM out) -> BOOL {
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        if (std::wstring(name) == L"#32770" && IsWindowVisible(window)) {
          *reinterpret_cast<HWND*>(out) = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = OpenDialog();
  if (!dialog) return;  // not up yet
  KillTimer(nullptr, timer);
  g_inspect(dialog);
}

// Calls open with inspect armed; fails when the dialog never came up.
template <class Open>
void WhileOpen(Open open, std::function<void(HWND)> inspect) {
  bool seen = false;
  g_inspect = [&](HWND dialog) {
    seen = true;
    inspect(dialog);
  };
  const UINT_PTR timer = SetTimer(nullptr, 0, 30, OnTimer);
  open();
  KillTimer(nullptr, timer);
  EXPECT_TRUE(seen);
}

HWND MakeOwner() {
  return CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                         nullptr, nullptr, nullptr);
}

TEST(MessageBoxDialog, ShowsTheTextAndClosesByEnterEscapeAndCloseBox) {
  Win32Dialogs dialogs;
  HWND owner = MakeOwner();
  struct Way {
    const char* name;
    std::function<void(HWND)> close;
  } ways[] = {
      {"enter", [](HWND d) { PostMessageW(GetDlgItem(d, IDOK), WM_KEYDOWN, VK_RETURN, 0); }},
      {"escape", [](HWND d) { PostMessageW(GetDlgItem(d, IDOK), WM_KEYDOWN, VK_ESCAPE, 0); }},
      {"close box", [](HWND d) { PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0); }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    WhileOpen([&] { dialogs.ShowMessage(owner, msg::kCopied); },
              [&](HWND dialog) {
                EXPECT_EQ(WindowText(dialog), msg::kAppTitle);
                EXPECT_EQ(WindowText(GetDlgItem(dialog, id::MessageText)), msg::kCopied);
                EXPECT_EQ(WindowText(GetDlgItem(dialog, IDOK)), "OK");
                EXPECT_FALSE(IsWindowEnabled(owner));  // modal
                // Centred on the screen.
                RECT box{};
                GetWindowRect(dialog, &box);
                EXPECT_LE(std::abs((box.left + box.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2), 1);
                EXPECT_LE(std::abs((box.top + box.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2), 1);
                way.close(dialog);
              });
    EXPECT_TRUE(IsWindowEnabled(owner));
  }

  // A long text wraps within half the screen width.
  Text words;
  for (int i = 0; i < 150; ++i) words += "wrapping ";
  WhileOpen([&] { dialogs.ShowMessage(owner, words); },
            [&](HWND dialog) {
              RECT text{};
              GetWindowRect(GetDlgItem(dialog, id::MessageText), &text);
              EXPECT_LE(text.right - text.left, GetSystemMetrics(SM_CXSCREEN) / 2);
              EXPECT_GT(text.bottom - text.top, 30);  // more than one line
              PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
            });
  DestroyWindow(owner);
}

TEST(ErrorBoxDialog, ShowsTheTextWithItsStopUnderTheAppTitle) {
  Win32Dialogs dialogs;
  HWND owner = MakeOwner();
  WhileOpen([&] { dialogs.ShowError(owner, msg::kClipboardOpen); },
            [&](HWND dialog) {
              EXPECT_EQ(WindowText(dialog), msg::kAppTitle);
              EXPECT_EQ(WindowText(GetDlgItem(dialog, 0xFFFF)), Text(msg::kClipboardOpen) + ".");
              EXPECT_FALSE(IsWindowEnabled(owner));
              PostMessageW(dialog, WM_COMMAND, IDOK, 0);
            });
  DestroyWindow(owner);
}

TEST(ColorDialog, OpensCentredAThirdDownAndKeepsSlotsOnlyOnOk) {
  Win32Dialogs dialogs;
  HWND owner = MakeOwner();
  TextList slots = InitialCustomColors();
  ColorValue color = 0x336699;
  WhileOpen([&] { EXPECT_FALSE(dialogs.PickColor(owner, color, slots)); },
            [&](HWND dialog) {
              MONITORINFO info{};
              info.cbSize = sizeof info;
              GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &info);
              RECT box{};
              GetWindowRect(dialog, &box);
              const RECT& area = info.rcMonitor;
              EXPECT_LE(std::abs((box.left + box.right) - (area.left + area.right)), 2);
              EXPECT_LE(std::abs((box.top - area.top) - (area.bottom - area.top - (box.bottom - box.top)) / 3), 1);
              PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            });
  EXPECT_EQ(color, 0x336699);
  EXPECT_EQ(slots, InitialCustomColors());

  WhileOpen([&] { EXPECT_TRUE(dialogs.PickColor(owner, color, slots)); },
            [&](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDOK, 0); });
  EXPECT_EQ(color, 0x336699);  // started at the swatch's colour
  EXPECT_EQ(slots.size(), 16u);
  EXPECT_EQ(ParseCustomColor(""), 0xFFFFFFFFu);
  DestroyWindow(owner);
}

}  // namespace
}  // namespace rinban
