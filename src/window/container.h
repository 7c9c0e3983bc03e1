// Notebook pages and group boxes: plain child windows that hold controls,
// take part in Tab walking (WS_EX_CONTROLPARENT) and hand their children's
// notifications up to the top-level window.
#pragma once

#include <windows.h>

#include <vector>

namespace rinban {

inline constexpr wchar_t kPageClass[] = L"RinbanPage";
inline constexpr wchar_t kGroupClass[] = L"RinbanGroup";  // draws a frame and its caption

void RegisterContainerClasses(HINSTANCE instance);

// The windows that Tab visits under root, in order: visible, enabled
// WS_TABSTOP windows, descending into WS_EX_CONTROLPARENT ones after the
// window itself.
std::vector<HWND> TabStops(HWND root);

// The tab stop after (or before) current under root, wrapping around;
// nullptr when there is none.
HWND NextTabStop(HWND root, HWND current, bool backwards);

}  // namespace rinban
