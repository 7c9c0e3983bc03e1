// Form1: the program's one window, its controls, its state and the eleven
// handlers that every user action reaches.
#pragma once

#include <windows.h>

#include <memory>
#include <string_view>
#include <type_traits>

#include "schedule/generation.h"
#include "table/options.h"
#include "text/text.h"
#include "window/controls.h"
#include "window/dialogs.h"
#include "window/factory.h"
#include "window/keyboard.h"
#include "window/layout.h"
#include "window/progress.h"

namespace rinban {

class TForm1 final : public GenerationView {
 public:
  TForm1(HINSTANCE instance, FormDialogs& dialogs);
  ~TForm1();
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  // Builds the window and every control in its layout state, then runs
  // FormCreate; the window stays hidden. False when the window could not be made.
  bool Create();
  // Normal, except maximised or minimised-inactive when the launcher asks.
  void Show(int showCommand) const;
  HWND Handle() const { return hwnd_; }

  // Keyboard navigation of the message loop: Tab walks the tab order, Enter
  // presses the focused button, the rest goes to IsDialogMessage.
  // Ctrl+Tab turns the pages. Never throws: a failure goes to the error box.
  bool PreTranslateMessage(MSG& message);

  // Fetches the next message as GetMessageW does: > 0 a message, 0 WM_QUIT, -1 a failure.
  using MessageSource = BOOL (*)(MSG& message);
  // The message loop until WM_QUIT, whose code it returns. A failing fetch is
  // told in the error box and the loop goes on while the window lives; one
  // that fails again and again with no message between ends it with 1.
  int RunMessageLoop(MessageSource next);

  // The window's component of that name, "StaticText1" ...; nullptr if none.
  HWND FindComponent(std::string_view name) const;

  // Handlers; sender is the control that raised the event.
  void FormCreate(HWND sender);
  void FormCloseQuery(HWND sender, bool& canClose);
  void Button1Click(HWND sender);
  void ComboBox1Change(HWND sender);
  void ComboBox3Change(HWND sender);
  void Button2Click(HWND sender);
  void Button3Click(HWND sender);
  void Button4Click(HWND sender);
  void Button5Click(HWND sender);
  void StaticTextClick(HWND sender);
  void CheckBox1Click(HWND sender);

 private:
  // Every control's window by id; the named controls below look theirs up here.
  ControlTable controls_;

 public:
  // Controls, under their names.
  Button Button1{controls_, id::Button1}, Button2{controls_, id::Button2}, Button3{controls_, id::Button3},
      Button4{controls_, id::Button4}, Button5{controls_, id::Button5}, CheckBox1{controls_, id::CheckBox1};
  Control TabbedNotebook1{controls_, id::TabbedNotebook1}, Page1{controls_, id::Page1},
      Page2{controls_, id::Page2}, Page3{controls_, id::Page3}, Page4{controls_, id::Page4};
  Control GroupBox1{controls_, id::GroupBox1}, GroupBox2{controls_, id::GroupBox2},
      GroupBox3{controls_, id::GroupBox3}, GroupBox4{controls_, id::GroupBox4},
      GroupBox5{controls_, id::GroupBox5}, GroupBox6{controls_, id::GroupBox6},
      GroupBox7{controls_, id::GroupBox7}, GroupBox8{controls_, id::GroupBox8};
  Control StaticText5{controls_, id::StaticText5}, Label1{controls_, id::Label1}, Label2{controls_, id::Label2},
      Label3{controls_, id::Label3}, Label4{controls_, id::Label4}, Label5{controls_, id::Label5},
      Bevel1{controls_, id::Bevel1}, Memo1{controls_, id::Memo1}, Edit1{controls_, id::Edit1};
  Swatch StaticText1{controls_, id::StaticText1}, StaticText2{controls_, id::StaticText2},
      StaticText3{controls_, id::StaticText3}, StaticText4{controls_, id::StaticText4};
  ProgressBar ProgressBar1{controls_, id::ProgressBar1};
  ComboBox ComboBox1{controls_, id::ComboBox1}, ComboBox2{controls_, id::ComboBox2},
      ComboBox3{controls_, id::ComboBox3};
  ListView ListView1{controls_, id::ListView1}, ListView2{controls_, id::ListView2};

 private:
  Swatch* const swatches_[4] = {&StaticText1, &StaticText2, &StaticText3, &StaticText4};

 public:

  // State
  ScheduleTables Tables;
  TableOptions Options;
  // The listing as handed to Memo1; copy and save hand over these bytes.
  const Text& Listing() const { return listing_; }

  // GenerationView, on the controls above.
  void SetTotal(int32_t count) override;
  void Step() override;
  void ShowMessage(const Text& text) override;
  void ClearSelectorsAndViews() override;
  void SetStatus(const Text& text) override;
  void FillSelectors(const TextList& members, const TextList& rounds) override;
  void ClearListing() override;
  void SetListing(Text listing) override;
  void SelectFirstItems() override;
  void EnableOutputButtons() override;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT HandleMessage(UINT message, WPARAM w, LPARAM l);
  void ReportCurrentException(HWND window) noexcept;
  void OnCommand(int id, int code, HWND sender);
  LRESULT OnColorStatic(HDC dc, HWND control);
  void BuildControls();
  void ApplyDensity(int dpi, const POINT* where);
  Swatch* SwatchFor(HWND window);
  void ShowPage(int index) const;

  HINSTANCE instance_;
  FormDialogs& dialogs_;
  HWND hwnd_ = nullptr;
  GdiObject<HFONT> font_;
  // The window's own icons, big and small, for its density.
  struct IconFree {
    void operator()(HICON icon) const { DestroyIcon(icon); }
  };
  std::unique_ptr<std::remove_pointer_t<HICON>, IconFree> icons_[2];
  Text listing_;
  TextList customColors_;
  FocusMemory focus_;
  RunProgress progress_{ProgressBar1};
};

}  // namespace rinban
