// The real window in-process for the Windows tests: dialogs that record what
// the window would have shown instead of blocking on a modal loop, and a
// fixture that opens the window in a working folder of its own.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <new>
#include <string>
#include <vector>

#include "rinban_main.h"
#include "support.h"
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

class FormFixture : public ::testing::Test {
 protected:
  explicit FormFixture(const std::string& folderPrefix) : folder_(folderPrefix) {}
  void TearDown() override { form_.reset(); }

  // A fresh window in place of the last one.
  TForm1& Open() {
    form_ = std::make_unique<TForm1>(GetModuleHandleW(nullptr), dialogs_);
    EXPECT_TRUE(form_->Create());
    return *form_;
  }

  WorkFolder folder_;  // outlives the form
  RecordingDialogs dialogs_;
  std::unique_ptr<TForm1> form_;
};

}  // namespace rinban::testing_support
