#include "window/dialogs.h"

#include <commdlg.h>
#include <cderr.h>

#include <algorithm>
#include <exception>
#include <new>
#include <vector>

#include "table/color.h"
#include "text/error.h"
#include "text/messages.h"
#include "window/control_ids.h"
#include "window/density.h"
#include "window/failure.h"
#include "window/layout.h"
#include "window/scoped_gdi.h"
#include "window/wide.h"

namespace rinban {
namespace {

// ---- message box: a small dialog of our own, built from an empty template

struct MessageBoxState {
  std::wstring text;
  HFONT font = nullptr;
  int dpi = kLayoutDpi;  // the owner's
  RECT screen{};         // the owner's monitor
  std::exception_ptr failure;  // from inside the dialog, thrown again outside it
};

void BuildMessageBox(HWND dialog, MessageBoxState* state) {
  SetWindowTextW(dialog, ToWide(msg::kAppTitle).c_str());
  const std::wstring okText = ToWide(msg::kOkButton);
  TEXTMETRICW metrics{};
  const RECT& screen = state->screen;
  // Wrapped at word breaks to at most half the screen width.
  RECT text{0, 0, (screen.right - screen.left) / 2, 0};
  SIZE ok{};
  {
    WindowDc dc(dialog);
    Selected font(dc, state->font);
    GetTextMetricsW(dc, &metrics);
    DrawTextW(dc, state->text.c_str(), static_cast<int>(state->text.size()), &text,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    GetTextExtentPoint32W(dc, okText.c_str(), static_cast<int>(okText.size()), &ok);
  }

  const int lineHeight = metrics.tmHeight;
  const int buttonWidth =
      std::max<int>(ok.cx + 2 * lineHeight, MulDiv(kMessageButtonWidth, lineHeight, kMessageButtonLine));
  const int buttonHeight = lineHeight + lineHeight * 3 / 4;
  const int margin = MulDiv(kMessageMargin, state->dpi, kLayoutDpi);
  const int gap = MulDiv(kMessageGap, state->dpi, kLayoutDpi);
  const int textWidth = std::max<int>(text.right, 1);
  const int textHeight = std::max<int>(text.bottom, lineHeight);
  const int clientWidth = std::max(textWidth, buttonWidth) + 2 * margin;
  const int clientHeight = margin + textHeight + gap + buttonHeight + margin;

  HINSTANCE instance = GetModuleHandleW(nullptr);
  HWND label = CreateWindowExW(0, L"STATIC", state->text.c_str(),
                               WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL,
                               (clientWidth - textWidth) / 2, margin, textWidth, textHeight, dialog,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id::MessageText)),
                               instance, nullptr);
  HWND button = CreateWindowExW(0, L"BUTTON", okText.c_str(),
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                                (clientWidth - buttonWidth) / 2, margin + textHeight + gap,
                                buttonWidth, buttonHeight, dialog,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)), instance,
                                nullptr);
  if (!label || !button) ThrowLastError("CreateWindowExW");
  SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(state->font), FALSE);
  SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(state->font), FALSE);

  const SIZE frame = FrameSize({clientWidth, clientHeight}, static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE)),
                                static_cast<DWORD>(GetWindowLongW(dialog, GWL_EXSTYLE)), WindowDpi(dialog));
  SetWindowPos(dialog, nullptr, (screen.left + screen.right - frame.cx) / 2,
               (screen.top + screen.bottom - frame.cy) / 2, frame.cx, frame.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  SetFocus(button);
}

INT_PTR CALLBACK MessageBoxProc(HWND dialog, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_INITDIALOG: {
      auto* state = reinterpret_cast<MessageBoxState*>(l);
      try {
        BuildMessageBox(dialog, state);
      } catch (...) {
        // Nothing may leave a Win32 callback: the box closes unshown and its
        // caller reports why.
        state->failure = std::current_exception();
        EndDialog(dialog, IDABORT);
      }
      return FALSE;  // focus set here
    }
    case WM_COMMAND:
      if (LOWORD(w) == IDOK || LOWORD(w) == IDCANCEL) EndDialog(dialog, IDOK);
      return TRUE;
    case WM_CLOSE:
      EndDialog(dialog, IDOK);
      return TRUE;
  }
  return FALSE;
}

// An empty dialog template: a captioned popup with a system menu (for the
// close box) and no controls; the procedure adds them.
std::vector<WORD> EmptyDialogTemplate() {
  std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3, 0);
  auto* head = reinterpret_cast<DLGTEMPLATE*>(words.data());
  head->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  head->cx = 100;
  head->cy = 50;
  // menu, class and title: all empty (the three zero words above)
  return words;
}

// ---- colour dialog

void PlaceColorDialog(HWND dialog) {
  // Centred across the active window's monitor, a third of the free height above.
  HWND active = GetActiveWindow();
  HMONITOR monitor = MonitorFromWindow(active ? active : dialog, MONITOR_DEFAULTTONEAREST);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(monitor, &info);
  RECT box{};
  GetWindowRect(dialog, &box);
  const int width = box.right - box.left;
  const int height = box.bottom - box.top;
  const RECT& area = info.rcMonitor;  // the whole monitor, task bar included
  const int x = area.left + (area.right - area.left - width) / 2;
  const int y = area.top + std::max(0L, (area.bottom - area.top - height) / 3);
  SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

UINT_PTR CALLBACK ColorHook(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message != WM_INITDIALOG) return 0;
  try {
    PlaceColorDialog(dialog);
  } catch (...) {
    // Nothing may leave a Win32 callback; the dialog stays where the system put it.
  }
  return 0;
}

}  // namespace

void Win32Dialogs::ShowMessage(HWND owner, const Text& text) {
  MessageBoxState state;
  state.text = ToWide(text);
  // At the owner's density and on its monitor, which may not be the
  // primary one, so the box never opens on a screen of another density.
  state.dpi = WindowDpi(owner);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY), &monitor);
  state.screen = monitor.rcMonitor;
  const NONCLIENTMETRICSW metrics = NonClientMetrics(state.dpi);
  const GdiObject<HFONT> font(CreateFontIndirectW(&metrics.lfMessageFont));
  state.font = font.Get();
  std::vector<WORD> dialogTemplate = EmptyDialogTemplate();
  const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                                                 reinterpret_cast<DLGTEMPLATE*>(dialogTemplate.data()),
                                                 owner, MessageBoxProc, reinterpret_cast<LPARAM>(&state));
  if (state.failure) std::rethrow_exception(state.failure);
  if (result == -1) ThrowLastError("DialogBoxIndirectParamW");
}

void Win32Dialogs::ShowError(HWND owner, const Text& text) {
  MessageBoxW(owner, ToWide(ErrorBoxText(text)).c_str(), ToWide(msg::kAppTitle).c_str(),
              MB_OK | MB_ICONERROR);
}

bool Win32Dialogs::PickColor(HWND owner, ColorValue& color, TextList& customColors) {
  COLORREF custom[kCustomColorCount];
  for (int i = 0; i < kCustomColorCount; ++i)
    custom[i] = i < static_cast<int>(customColors.size()) ? ParseCustomColor(customColors[i]) : 0xFFFFFFFF;
  CHOOSECOLORW chooser{};
  chooser.lStructSize = sizeof chooser;
  chooser.hwndOwner = owner;
  chooser.rgbResult = static_cast<COLORREF>(ResolveColor(color));
  chooser.lpCustColors = custom;
  chooser.Flags = CC_RGBINIT | CC_ENABLEHOOK;
  chooser.lpfnHook = ColorHook;
  if (!ChooseColorW(&chooser)) {
    const DWORD code = CommDlgExtendedError();  // 0 when the user cancelled
    if (code == CDERR_MEMALLOCFAILURE || code == CDERR_MEMLOCKFAILURE) throw std::bad_alloc();
    if (code != 0) throw ProgramFault("ChooseColorW (" + ToDecimal(static_cast<long long>(code)) + ")");
    return false;
  }
  color = static_cast<ColorValue>(chooser.rgbResult);
  customColors.resize(kCustomColorCount);
  for (int i = 0; i < kCustomColorCount; ++i) customColors[i] = FormatCustomColor(custom[i]);
  return true;
}

}  // namespace rinban
