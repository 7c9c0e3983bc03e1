// Builds Form1's controls from the layout table: each kind's window class
// and styles, the layout scaled to the screen, the form's font.
#pragma once

#include <windows.h>

#include <string_view>

#include "window/controls.h"
#include "window/layout.h"
#include "window/scoped_gdi.h"

namespace rinban {

// Layout pixels to screen pixels: value * num / den.
struct Scaling {
  int num = 1;
  int den = 1;
  int operator()(int value) const { return MulDiv(value, num, den); }
};

// The window font at the screen's density, and the layout's scale: the font
// follows the screen, the layout follows the font's real text height.
struct FormFont {
  GdiObject<HFONT> font;
  Scaling scale;
};
FormFont MakeFormFont();

// Registers the form's window class with its procedure and makes the
// top-level window, hidden, its client area the layout's scaled; param
// reaches WM_NCCREATE. nullptr when it cannot be made.
HWND MakeFormWindow(HINSTANCE instance, WNDPROC procedure, void* param, Scaling scale);

// The control of that component name, "StaticText1" ...; nullptr if none.
HWND FindComponent(const ControlTable& table, std::string_view name);

// Creates every control of the layout under form, parents before children,
// each in its layout state; their windows go into table by id. Throws when
// a control cannot be made.
void BuildFormControls(HWND form, HINSTANCE instance, HFONT font, Scaling scale, ControlTable& table);

}  // namespace rinban
