// The three dialogs the form opens, behind an interface so that tests can
// record them instead of blocking in a modal loop.
#pragma once

#include <windows.h>

#include "table/color.h"
#include "text/text.h"

namespace rinban {

class FormDialogs {
 public:
  // Modal; returns when closed.
  virtual void ShowMessage(HWND owner, const Text& text) = 0;
  virtual void ShowError(HWND owner, const Text& text) = 0;
  // color in: the dialog's colour; true on OK with color the picked one and
  // the slots updated; false leaves both as they were.
  virtual bool PickColor(HWND owner, ColorValue& color, TextList& customColors) = 0;

 protected:
  ~FormDialogs() = default;
};

// The real dialogs.
class Win32Dialogs final : public FormDialogs {
 public:
  void ShowMessage(HWND owner, const Text& text) override;
  void ShowError(HWND owner, const Text& text) override;
  bool PickColor(HWND owner, ColorValue& color, TextList& customColors) override;
};

}  // namespace rinban
