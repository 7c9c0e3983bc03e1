// Every control of Form1: its name, kind, parent, place and size at 96 DPI,
// and its layout state. Listed parent before child and, among siblings, in
// tab order, which is also the order of creation and so the Z-order.
#pragma once

#include <span>

namespace rinban {

enum class ControlKind {
  Notebook, Page, Group,
  PushButton, CheckBox, Memo, Edit, ComboBox, MemberList, RoundList,
  Progress, Status, Label, RightLabel, Swatch, Bevel,
};

struct ControlSpec {
  const char* name;     // the component name, "Button1" ...
  int id;               // from control_ids.h
  int parent;           // 0: the form itself
  ControlKind kind;
  int x, y, width, height;
  const char* caption;  // CP932, may be empty
  bool enabled;
  bool tabStop;
};

std::span<const ControlSpec> FormLayout();

// The form's client area at 96 DPI.
inline constexpr int kClientWidth = 329;
inline constexpr int kClientHeight = 424;
inline constexpr int kFormLeft = 1;
inline constexpr int kFormTop = 0;

// Page windows inside the notebook, below its tab row.
inline constexpr int kPageLeft = 4;
inline constexpr int kPageTop = 23;

// The density and text height the tables are drawn for; every length in
// them, and below, is scaled by the real text height over this one.
inline constexpr int kLayoutDpi = 96;
inline constexpr int kLayoutTextHeight = 12;

// Drop-down lists: an item, how many items the dropped list shows, and that
// list's top and bottom border together.
inline constexpr int kComboItemHeight = 12;
inline constexpr int kComboDropItems = 8;
inline constexpr int kComboListBorder = 2;

// Group boxes: where the caption's band breaks the frame, and how far the
// band reaches past the caption's text on either side.
inline constexpr int kGroupCaptionBand = 6;
inline constexpr int kGroupCaptionPad = 2;

// The message box at 96 DPI, scaled by its owner's density: the margin
// around text and button, the gap between them, and the least button width
// for a 13-pixel line of its font (fifty dialog units).
inline constexpr int kMessageMargin = 12;
inline constexpr int kMessageGap = 12;
inline constexpr int kMessageButtonWidth = 75;
inline constexpr int kMessageButtonLine = 13;

}  // namespace rinban
