// The real window in-process for the Windows tests: dialogs that record what
// the window would have shown instead of blocking on a modal loop.
#pragma once

#include <windows.h>

#include <new>
#include <vector>

#include "rinban_main.h"
#include "window/dialogs.h"

namespace rinban::testing_support {

class RecordingDialogs final : public FormDialogs {
 public:
  TextList messages, errors;
  std::vector<ColorValue> pickedFrom;
  TextList slotsSeen;
  bool pickOk = false;
  ColorValue pickAnswer = 0;
  bool outOfMemory = false;  // the next message fails as if memory ran out

  void ShowMessage(HWND, const Text& text) override {
    if (outOfMemory) {
      outOfMemory = false;
      throw std::bad_alloc();
    }
    messages.push_back(text);
  }
  void ShowError(HWND, const Text& text) override { errors.push_back(text); }
  bool PickColor(HWND, ColorValue& color, TextList& slots) override {
    pickedFrom.push_back(color);
    slotsSeen = slots;
    if (!pickOk) return false;
    color = pickAnswer;
    slots[0] = "123456";
    return true;
  }
};

}  // namespace rinban::testing_support
