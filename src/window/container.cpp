#include "window/container.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "window/layout.h"
#include "window/scoped_gdi.h"

namespace rinban {
namespace {

void PaintGroup(HWND window, HDC dc) {
  Selected font(dc, reinterpret_cast<HFONT>(GetWindowLongPtrW(window, 0)));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  RECT frame;
  GetClientRect(window, &frame);
  frame.top += metrics.tmHeight / 2;
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return;
  std::wstring caption(static_cast<size_t>(length) + 1, L'\0');
  caption.resize(static_cast<size_t>(GetWindowTextW(window, caption.data(), length + 1)));
  SIZE size{};
  GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
  // The band's place scales as the layout does, by the font's text height.
  auto scale = [&](int value) { return MulDiv(value, metrics.tmHeight, kLayoutTextHeight); };
  const int text = scale(kGroupCaptionBand + kGroupCaptionPad);
  RECT band{scale(kGroupCaptionBand), 0, text + size.cx + scale(kGroupCaptionPad), metrics.tmHeight};
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  SetTextColor(dc, GetSysColor(IsWindowEnabled(window) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
  ExtTextOutW(dc, text, 0, ETO_OPAQUE, &band, caption.c_str(), static_cast<UINT>(caption.size()), nullptr);
}

LRESULT CALLBACK ContainerProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_CLOSE:
      // A multi-line text box posts this to its parent on Esc once it has
      // been asked for its dialog code; a container goes only with the window.
      return 0;
    case WM_SYSCOMMAND:
    case WM_NEXTDLGCTL:
      // Commands of the window as a whole (close, minimise, the focus walk):
      // the form's, as the system sends its key commands there too.
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
      // The form owns every handler and every colour.
      return SendMessageW(GetAncestor(window, GA_ROOT), message, w, l);
    case WM_SETFONT:
      SetWindowLongPtrW(window, 0, static_cast<LONG_PTR>(w));
      if (LOWORD(l)) InvalidateRect(window, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return GetWindowLongPtrW(window, 0);
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      wchar_t className[32] = {};
      GetClassNameW(window, className, 32);
      try {
        if (std::wstring_view(className) == kGroupClass) PaintGroup(window, dc);
      } catch (...) {
        // Nothing may leave a Win32 callback. A box from inside a paint
        // would only paint again; the caption comes back with the next one.
      }
      EndPaint(window, &paint);
      return 0;
    }
  }
  return DefWindowProcW(window, message, w, l);
}

void CollectTabStops(HWND parent, std::vector<HWND>& stops) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    if (!(style & WS_VISIBLE) || (style & WS_DISABLED)) continue;
    if (style & WS_TABSTOP) stops.push_back(child);
    if (GetWindowLongW(child, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) CollectTabStops(child, stops);
  }
}

}  // namespace

void RegisterContainerClasses(HINSTANCE instance) {
  for (const wchar_t* name : {kPageClass, kGroupClass}) {
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.lpfnWndProc = ContainerProc;
    type.cbWndExtra = sizeof(LONG_PTR);  // the font
    type.hInstance = instance;
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    type.lpszClassName = name;
    RegisterClassExW(&type);  // fails harmlessly when already registered
  }
}

std::vector<HWND> TabStops(HWND root) {
  std::vector<HWND> stops;
  CollectTabStops(root, stops);
  return stops;
}

HWND NextTabStop(HWND root, HWND current, bool backwards) {
  const std::vector<HWND> stops = TabStops(root);
  if (stops.empty()) return nullptr;
  // The focus may sit inside a stop (a combo's edit); the notebook, though,
  // holds the pages, so an exact match wins and the innermost holder next.
  auto at = std::find(stops.begin(), stops.end(), current);
  if (at == stops.end()) {
    const auto inner = std::find_if(stops.rbegin(), stops.rend(),
                                    [&](HWND stop) { return IsChild(stop, current) != FALSE; });
    if (inner != stops.rend()) at = std::prev(inner.base());
  }
  const auto count = static_cast<std::ptrdiff_t>(stops.size());
  if (at == stops.end()) return backwards ? stops.back() : stops.front();
  const std::ptrdiff_t index = at - stops.begin();
  return stops[static_cast<size_t>((index + (backwards ? count - 1 : 1)) % count)];
}

}  // namespace rinban
