#include "window/keyboard.h"

#include <commctrl.h>

#include "window/container.h"

namespace rinban {
namespace {

bool Down(int key) { return GetKeyState(key) < 0; }

void TurnPage(HWND form, HWND notebook, bool backwards) {
  const auto count = static_cast<int>(SendMessageW(notebook, TCM_GETITEMCOUNT, 0, 0));
  if (count <= 0) return;
  const auto current = static_cast<int>(SendMessageW(notebook, TCM_GETCURSEL, 0, 0));
  SendMessageW(notebook, TCM_SETCURSEL, static_cast<WPARAM>((current + (backwards ? count - 1 : 1)) % count), 0);
  NMHDR changed{notebook, static_cast<UINT_PTR>(GetDlgCtrlID(notebook)), static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageW(form, WM_NOTIFY, changed.idFrom, reinterpret_cast<LPARAM>(&changed));
  // Never left on a control of a page now hidden.
  SetFocus(notebook);
}

void FocusNext(HWND form, bool backwards) {
  HWND next = NextTabStop(form, GetFocus(), backwards);
  if (!next) return;
  SetFocus(next);
  // A single-line box offers its text for typing over; the memo keeps its
  // caret, so a long listing is never highlighted whole.
  if ((SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) && !(GetWindowLongW(next, GWL_STYLE) & ES_MULTILINE))
    SendMessageW(next, EM_SETSEL, 0, -1);
}

}  // namespace

bool RouteFormKey(HWND form, HWND notebook, MSG& message) {
  if (message.message == WM_KEYDOWN && !Down(VK_MENU)) {
    if (message.wParam == VK_TAB && Down(VK_CONTROL)) {
      TurnPage(form, notebook, Down(VK_SHIFT));
      return true;
    }
    if (message.wParam == VK_TAB) {
      FocusNext(form, Down(VK_SHIFT));
      return true;
    }
    if (message.wParam == VK_RETURN && !Down(VK_CONTROL)) {
      // Enter presses the focused push button, as Space does.
      HWND focus = GetFocus();
      const LRESULT code = focus ? SendMessageW(focus, WM_GETDLGCODE, 0, 0) : 0;
      if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) {
        SendMessageW(focus, BM_CLICK, 0, 0);
        return true;
      }
    }
  }
  return IsDialogMessageW(form, &message) != FALSE;
}

void MoveFocus(HWND form, WPARAM w, LPARAM l) {
  HWND target = LOWORD(l) ? reinterpret_cast<HWND>(w) : NextTabStop(form, GetFocus(), w != 0);
  if (target && IsChild(form, target) && IsWindowVisible(target) && IsWindowEnabled(target)) SetFocus(target);
}

void FocusMemory::Leave(HWND form) {
  HWND focus = GetFocus();
  if (focus && IsChild(form, focus)) last_ = focus;
}

void FocusMemory::Return(HWND form) const {
  HWND target = last_ && IsChild(form, last_) && IsWindowVisible(last_) && IsWindowEnabled(last_)
                    ? last_
                    : NextTabStop(form, nullptr, false);
  if (target) SetFocus(target);
}

}  // namespace rinban
