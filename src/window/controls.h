// Thin wrappers over the controls' messages, one per kind. A wrapper names
// one control of Form1 by its id and finds the window in the form's
// ControlTable, which the factory fills; windows die with their parent.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <new>

#include "table/options.h"
#include "text/text.h"
#include "window/control_ids.h"
#include "window/scoped_gdi.h"
#include "window/wide.h"

namespace rinban {

// Every control's window, indexed by its id; nullptr until it is made.
class ControlTable {
 public:
  HWND operator[](int id) const { return Holds(id) ? handles_[Slot(id)] : nullptr; }
  void Set(int id, HWND window) {
    if (Holds(id)) handles_[Slot(id)] = window;
  }
  static bool Holds(int id) { return id >= id::kFirstControl && id < id::kFirstControl + id::kControlCount; }

 private:
  static size_t Slot(int id) { return static_cast<size_t>(id - id::kFirstControl); }
  std::array<HWND, id::kControlCount> handles_{};
};

class Control {
 public:
  Control(const ControlTable& table, int id) : table_(table), id_(id) {}
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  HWND Handle() const { return table_[id_]; }
  LRESULT Send(UINT message, WPARAM w = 0, LPARAM l = 0) const {
    return SendMessageW(Handle(), message, w, l);
  }

  Text GetText() const { return WindowText(Handle()); }
  void SetText(const Text& text) const { SetWindowTextCp932(Handle(), text); }
  bool Enabled() const { return IsWindowEnabled(Handle()) != FALSE; }
  void SetEnabled(bool on) const { EnableWindow(Handle(), on ? TRUE : FALSE); }

 private:
  const ControlTable& table_;
  int id_;
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
  using Control::Control;
  bool Checked() const { return Send(BM_GETCHECK) == BST_CHECKED; }
  void SetChecked(bool on) const { Send(BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED); }
};

class ComboBox : public Control {
 public:
  using Control::Control;
  void Clear() const { Send(CB_RESETCONTENT); }
  // Room for count items of bytes characters in all; only a hint.
  void Reserve(size_t count, size_t chars) const { Send(CB_INITSTORAGE, count, chars * sizeof(wchar_t)); }
  // Appends every item, with room made first and one redraw at the end.
  void AddAll(const TextList& items) const;
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
  using Control::Control;
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
  // The columns before the last fit their header and entries; the last
  // takes the rest of the client width.
  void FitColumns() const;
};

class ProgressBar : public Control {
 public:
  using Control::Control;
  int Max() const { return static_cast<int>(Send(PBM_GETRANGE, FALSE)); }
  void SetMax(int max) const { Send(PBM_SETRANGE32, 0, max); }
  int Position() const { return static_cast<int>(Send(PBM_GETPOS)); }
  // Past the maximum the bar starts over.
  void Step() const { Send(PBM_STEPIT); }
};

// A static field whose background is a colour value; the form paints it from
// WM_CTLCOLORSTATIC with PaintBackground().
class Swatch : public Control {
 public:
  using Control::Control;
  ColorValue Color() const { return color_; }
  void SetColor(ColorValue color);
  // WM_CTLCOLORSTATIC: the swatch's colour behind its caption.
  LRESULT PaintBackground(HDC dc) const;

 private:
  ColorValue color_ = 0;
  COLORREF paint_ = 0;
  GdiObject<HBRUSH> brush_;
};

// WM_CTLCOLORSTATIC for a read-only text box: the window colour, not the
// face colour, as it is still a text box.
LRESULT PaintReadOnlyText(HDC dc);

// Paints the owner-drawn status field: one line, left-aligned like a plain
// label; a text wider than the field is right-aligned instead, so the count
// at its end stays in sight.
void DrawStatusField(const DRAWITEMSTRUCT& item, HFONT font);

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
