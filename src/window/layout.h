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

}  // namespace rinban
