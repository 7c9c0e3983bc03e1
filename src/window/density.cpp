#include "window/density.h"

#include <algorithm>

#include "window/scoped_gdi.h"

namespace rinban {
namespace {

// user32's function of that name, or nullptr where this Windows lacks it.
template <class Function>
Function Optional(const char* name) {
  HMODULE user = GetModuleHandleW(L"user32.dll");
  if (!user) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(user, name)));
}

// Wine gives every monitor the one density its registry names, but keeps
// for its monitors the value its session started with: a density set since
// then reaches only the system's density of the processes that start after.
bool UnderWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

}  // namespace

int SystemDpi() {
  WindowDc screen;
  return GetDeviceCaps(screen, LOGPIXELSY);
}

int WindowDpi(HWND window) {
  static const auto get = UnderWine() ? nullptr : Optional<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
  const UINT dpi = get ? get(window) : 0;  // 0 for a window that is gone
  return dpi ? static_cast<int>(dpi) : SystemDpi();
}

int MetricForDpi(int index, int dpi) {
  static const auto get = Optional<int(WINAPI*)(int, UINT)>("GetSystemMetricsForDpi");
  return get ? get(index, static_cast<UINT>(dpi)) : GetSystemMetrics(index);
}

SIZE FrameSize(SIZE client, DWORD style, DWORD exStyle, int dpi) {
  static const auto adjust = Optional<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
  RECT frame{0, 0, client.cx, client.cy};
  if (!adjust || !adjust(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi)))
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

NONCLIENTMETRICSW NonClientMetrics(int dpi) {
  static const auto get = Optional<BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT)>("SystemParametersInfoForDpi");
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!get || !get(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi)))
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  return metrics;
}

RECT WorkArea(HWND window) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
  return info.rcWork;
}

POINT FitInto(const RECT& work, POINT wanted, SIZE size) {
  auto axis = [](LONG at, LONG length, LONG low, LONG high) { return std::max(std::min(at, high - length), low); };
  return {axis(wanted.x, size.cx, work.left, work.right), axis(wanted.y, size.cy, work.top, work.bottom)};
}

}  // namespace rinban
