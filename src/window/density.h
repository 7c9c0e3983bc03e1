// Screen density per window. The per-monitor calls exist from Windows 10
// 1607 on, so they are looked up at run time: on Windows 7 and 8 the
// system's density serves every window and the exe still starts.
#pragma once

#include <windows.h>

namespace rinban {

// Sent to a per-monitor aware window before WM_DPICHANGED, asking its size
// at the new density; <windows.h> has it only for newer targets than ours.
inline constexpr UINT kGetDpiScaledSize = 0x02E4;

// The screen's density, as GDI gives it.
int SystemDpi();
// GetDpiForWindow; SystemDpi() without it, and under Wine.
int WindowDpi(HWND window);
// GetSystemMetricsForDpi; GetSystemMetrics without it.
int MetricForDpi(int index, int dpi);
// The size of a window whose client area is client, with that frame, at dpi.
SIZE FrameSize(SIZE client, DWORD style, DWORD exStyle, int dpi);
// SPI_GETNONCLIENTMETRICS at dpi.
NONCLIENTMETRICSW NonClientMetrics(int dpi);
// The work area of the monitor the window is on.
RECT WorkArea(HWND window);

// Where a window of that size, wanted at wanted, goes to lie inside work:
// where it is when it fits, else moved the least that makes it fit; one
// wider or taller than work has its left or top edge on work's, so the
// title bar stays on the screen. Never resized.
POINT FitInto(const RECT& work, POINT wanted, SIZE size);

}  // namespace rinban
