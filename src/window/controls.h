// Thin wrappers over the controls' messages, one per kind. Each owns its
// HWND's identity (not its lifetime: windows die with their parent), so none
// is copyable.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <new>

#include "table/options.h"
#include "text/text.h"
#include "window/wide.h"

namespace rinban {

class Control {
 public:
  Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  void Attach(HWND window) { hwnd_ = window; }
  HWND Handle() const { return hwnd_; }
  LRESULT Send(UINT message, WPARAM w = 0, LPARAM l = 0) const {
    return SendMessageW(hwnd_, message, w, l);
  }

  Text GetText() const { return WindowText(hwnd_); }
  void SetText(const Text& text) const { SetWindowTextCp932(hwnd_, text); }
  bool Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
  void SetEnabled(bool on) const { EnableWindow(hwnd_, on ? TRUE : FALSE); }

 protected:
  HWND hwnd_ = nullptr;
};

// The multi-line text box takes a device context for every line it lays out.
// Under Wine a window with a DC of its own gets it back at a tenth of the cost
// of a cached one, a tenth of the memo's time on a long listing. Wine hands a
// window its own DC on first use when its class asks for one at that moment,
// so the class asks only for that moment; elsewhere this changes nothing.
inline void GiveOwnDc(HWND window) {
  const ULONG_PTR style = GetClassLongPtrW(window, GCL_STYLE);
  SetClassLongPtrW(window, GCL_STYLE, static_cast<LONG_PTR>(style | CS_OWNDC));
  ReleaseDC(window, GetDC(window));
  SetClassLongPtrW(window, GCL_STYLE, static_cast<LONG_PTR>(style));
}

// Push buttons and the check box.
class Button : public Control {
 public:
  bool Checked() const { return Send(BM_GETCHECK) == BST_CHECKED; }
  void SetChecked(bool on) const { Send(BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED); }
};

class ComboBox : public Control {
 public:
  void Clear() const { Send(CB_RESETCONTENT); }
  // Room for count items of bytes characters in all; only a hint.
  void Reserve(size_t count, size_t chars) const { Send(CB_INITSTORAGE, count, chars * sizeof(wchar_t)); }
  // Only CB_ERRSPACE (-2) is a shortage of memory; CB_ERR (-1) is a fault.
  void Add(const Text& item) const;
  int Count() const { return static_cast<int>(Send(CB_GETCOUNT)); }
  // -1 (CB_ERR) when nothing is selected
  int ItemIndex() const { return static_cast<int>(Send(CB_GETCURSEL)); }
  // Raises no CBN_SELCHANGE; an index outside the items clears the selection.
  void SetItemIndex(int index) const { Send(CB_SETCURSEL, static_cast<WPARAM>(index)); }
  Text Item(int index) const;
};

class ListView : public Control {
 public:
  void Clear() const { Send(LVM_DELETEALLITEMS); }
  void Reserve(size_t rows) const { Send(LVM_SETITEMCOUNT, rows); }
  int Count() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
  void AddColumn(int index, const Text& caption, int width) const;
  void SetColumnWidth(int column, int width) const { Send(LVM_SETCOLUMNWIDTH, column, MAKELPARAM(width, 0)); }
  int ColumnWidth(int column) const { return static_cast<int>(Send(LVM_GETCOLUMNWIDTH, column)); }
  // Appends a row with its first-column text; returns its index.
  int AddRow(const Text& text) const;
  void SetCell(int row, int column, const Text& text) const;
  Text Cell(int row, int column) const;
};

class ProgressBar : public Control {
 public:
  int Max() const { return static_cast<int>(Send(PBM_GETRANGE, FALSE)); }
  void SetMax(int max) const { Send(PBM_SETRANGE32, 0, max); }
  int Position() const { return static_cast<int>(Send(PBM_GETPOS)); }
  // Past the maximum the bar starts over.
  void Step() const { Send(PBM_STEPIT); }
};

// A static field whose background is a colour value; the form paints it from
// WM_CTLCOLORSTATIC with Brush().
class Swatch : public Control {
 public:
  Swatch() = default;
  ~Swatch() { if (brush_) DeleteObject(brush_); }
  ColorValue Color() const { return color_; }
  void SetColor(ColorValue color);
  HBRUSH Brush() const { return brush_; }
  COLORREF Paint() const { return paint_; }

 private:
  ColorValue color_ = 0;
  COLORREF paint_ = 0;
  HBRUSH brush_ = nullptr;
};

// Between construction and destruction the window is not redrawn; then it
// is redrawn once, on every path out.
class RedrawBatch {
 public:
  explicit RedrawBatch(const Control& control) : hwnd_(control.Handle()) {
    SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
  }
  ~RedrawBatch() {
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
  }
  RedrawBatch(const RedrawBatch&) = delete;
  RedrawBatch& operator=(const RedrawBatch&) = delete;

 private:
  HWND hwnd_;
};

}  // namespace rinban
