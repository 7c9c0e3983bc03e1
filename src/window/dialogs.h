// The three dialogs the form opens, behind an interface so that tests can
// record them instead of blocking in a modal loop.
#pragma once

#include <windows.h>

#include "table/options.h"
#include "text/text.h"

namespace rinban {

// The text of the error box: a "." is added unless the text is empty or its
// last character sorts at or below ".". A trail byte is never below 0x40, so
// the last byte alone decides, and a double-byte ending always gains the dot.
inline Text ErrorBoxText(Text text) {
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  return text;
}

// The colour dialog's sixteen custom slots, "ColorA" to "ColorP", as hex text.
inline constexpr int kCustomColorCount = 16;
TextList InitialCustomColors();

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

// Slot text to colour: hex digits, empty counts as 0xFFFFFFFF.
COLORREF ParseCustomColor(const Text& slot);
Text FormatCustomColor(COLORREF color);

}  // namespace rinban
