// The form's keyboard: what the message loop does with a key before the
// focused control sees it, and where the focus goes when it moves.
#pragma once

#include <windows.h>

namespace rinban {

// Tab and Shift+Tab walk the tab order (a single-line box then offers its
// text for typing over); Enter presses the focused push button; Ctrl+Tab
// and Ctrl+Shift+Tab turn the notebook's pages as a click on a tab would,
// and the focus goes to the tab row. Everything else goes to the dialog key
// handling, whose arrow keys move the focus within the focused control's
// group (WS_GROUP, given by the factory). True when the key was used up.
bool RouteFormKey(HWND form, HWND notebook, MSG& message);

// WM_NEXTDLGCTL: to the control named, when it can take the focus, or to the
// next (previous) tab stop.
void MoveFocus(HWND form, WPARAM w, LPARAM l);

// Where the focus was when the form was last left, given back when the form
// is activated again; the first tab stop when that control cannot take it.
class FocusMemory {
 public:
  void Leave(HWND form);
  void Return(HWND form) const;

 private:
  HWND last_ = nullptr;
};

}  // namespace rinban
