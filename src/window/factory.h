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

// The window font for a density, and the layout's scale: the font follows
// the density, the layout follows the font's real text height.
struct FormFont {
  GdiObject<HFONT> font;
  Scaling scale;
};
FormFont MakeFormFont(int dpi);

// Registers the form's window class with its procedure and makes the
// top-level window, hidden, at the layout's place; LayOutForm sizes it.
// param reaches WM_NCCREATE. nullptr when it cannot be made.
HWND MakeFormWindow(HINSTANCE instance, WNDPROC procedure, void* param);

// The form's window size for the layout's client area at that scale and dpi.
SIZE FormFrameSize(Scaling scale, int dpi);
// Puts the form at at, FormFrameSize big, then corrects by what its client
// area measures: not every platform gives a window the frame of the density
// it is told of, and the client area is the layout's all the same.
void PlaceFormWindow(HWND form, POINT at, Scaling scale, int dpi);

// The control of that component name, "StaticText1" ...; nullptr if none.
HWND FindComponent(const ControlTable& table, std::string_view name);

// Creates every control of the layout under form, parents before children,
// each in its layout state but not yet placed; their windows go into table
// by id. Throws when a control cannot be made.
void BuildFormControls(HWND form, HINSTANCE instance, ControlTable& table);

// Places every control from the layout at that scale, edge by edge, and
// gives it font, with what follows from the density: the drop-downs' item
// heights, the list views' columns. Never reads where a control stands, so
// placing again for another density cannot drift.
void LayOutControls(const ControlTable& table, HFONT font, Scaling scale);

// The form's big or small icon drawn for dpi, which the caller destroys;
// nullptr when it cannot be loaded.
HICON LoadFormIcon(HINSTANCE instance, bool smallIcon, int dpi);

}  // namespace rinban
