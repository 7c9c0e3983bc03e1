#include "rinban_main.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <new>
#include <stdexcept>

#include "platform/clipboard.h"
#include "schedule/listing.h"
#include "table/color.h"
#include "table/html.h"
#include "text/error.h"
#include "text/messages.h"
#include "window/container.h"
#include "window/control_ids.h"
#include "window/failure.h"

namespace rinban {
namespace {

constexpr wchar_t kFormClass[] = L"TForm1";
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = 0;
// Sent to itself once the controls exist, so FormCreate runs inside the
// window procedure's guard like every other handler.
constexpr UINT kRunFormCreate = WM_APP + 1;

constexpr int kLayoutFontHeight = 12;
constexpr int kComboItemHeight = 12;
constexpr int kComboDropItems = 8;
// The progress bar is repainted at most this often during a run.
constexpr ULONGLONG kBarPaintMs = 30;
// The memo takes a listing in about this many slices, none smaller than the
// minimum: each slice also costs the text box a walk over the lines it holds,
// and half a megabyte (a few tenths of a second under Wine) keeps that small.
constexpr size_t kListingSlices = 24;
constexpr size_t kMinListingSlice = 512 * 1024;
// The swatches' layout colour: the 3-D face colour, as a system-colour reference.
constexpr ColorValue kFaceColorReference = static_cast<ColorValue>(0x80000000u | COLOR_BTNFACE);

HMENU IdMenu(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

int TextHeight(HFONT font) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return metrics.tmHeight;
}

int TextWidth(HFONT font, const std::wstring& text) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size.cx;
}

HFONT MakeFont(int height) {
  LOGFONTW face{};
  face.lfHeight = -height;
  face.lfWeight = FW_NORMAL;
  face.lfCharSet = SHIFTJIS_CHARSET;
  const std::wstring name = ToWide(msg::kWindowFont);
  name.copy(face.lfFaceName, LF_FACESIZE - 1);
  return CreateFontIndirectW(&face);
}

}  // namespace

TForm1::TForm1(HINSTANCE instance, FormDialogs& dialogs)
    : instance_(instance), dialogs_(dialogs), listing_(msg::kMemoInitial),
      customColors_(InitialCustomColors()) {}

TForm1::~TForm1() {
  if (hwnd_) DestroyWindow(hwnd_);
  if (font_) DeleteObject(font_);
}

bool TForm1::Create() {
  // A long run does not pump messages; without this the system would swap
  // the window for a frozen copy after a few seconds and hide the moving bar.
  DisableProcessWindowsGhosting();
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS |
                                                   ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  if (!InitCommonControlsEx(&classes)) InitCommonControls();
  RegisterContainerClasses(instance_);

  WNDCLASSEXW type{};
  type.cbSize = sizeof type;
  type.lpfnWndProc = WindowProc;
  type.hInstance = instance_;
  type.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(1));
  type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  type.lpszClassName = kFormClass;
  RegisterClassExW(&type);

  // At another density the font follows the screen, and the layout follows
  // the font's real text height.
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  font_ = MakeFont(MulDiv(kLayoutFontHeight, dpi, 96));
  if (!font_) return false;
  if (dpi != 96) {
    HFONT plain = MakeFont(kLayoutFontHeight);
    scaleNum_ = TextHeight(font_);
    scaleDen_ = plain ? TextHeight(plain) : kLayoutFontHeight;
    if (plain) DeleteObject(plain);
    if (scaleNum_ <= 0 || scaleDen_ <= 0) scaleNum_ = scaleDen_ = 1;
  }

  RECT frame{0, 0, Scale(kClientWidth), Scale(kClientHeight)};
  AdjustWindowRectEx(&frame, kFormStyle, FALSE, kFormExStyle);
  CreateWindowExW(kFormExStyle, kFormClass, L"", kFormStyle, kFormLeft, kFormTop,
                  frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance_, this);
  if (!hwnd_) return false;
  SendMessageW(hwnd_, kRunFormCreate, 0, 0);
  return true;
}

void TForm1::Show(int showCommand) const {
  int command = SW_SHOWNORMAL;
  if (showCommand == SW_SHOWMAXIMIZED) command = SW_SHOWMAXIMIZED;
  else if (showCommand == SW_SHOWMINNOACTIVE) command = SW_SHOWMINNOACTIVE;
  ShowWindow(hwnd_, command);
  UpdateWindow(hwnd_);
}

bool TForm1::PreTranslateMessage(MSG& message) {
  if (!hwnd_ || (message.hwnd != hwnd_ && !IsChild(hwnd_, message.hwnd))) return false;
  try {
    return RouteKey(message);
  } catch (...) {
    // Outside the window procedure, yet a failure all the same.
    ReportCurrentException(hwnd_);
    return true;
  }
}

bool TForm1::RouteKey(MSG& message) {
  if (message.message == WM_KEYDOWN && message.wParam == VK_TAB && GetKeyState(VK_CONTROL) < 0 &&
      GetKeyState(VK_MENU) >= 0) {
    // Ctrl+Tab and Ctrl+Shift+Tab turn the notebook's pages, as in tabbed
    // dialogs; the focus goes to the tab row, never stays on a hidden page.
    const auto count = static_cast<int>(TabbedNotebook1.Send(TCM_GETITEMCOUNT));
    if (count > 0) {
      const auto current = static_cast<int>(TabbedNotebook1.Send(TCM_GETCURSEL));
      const int next = (current + (GetKeyState(VK_SHIFT) < 0 ? count - 1 : 1)) % count;
      TabbedNotebook1.Send(TCM_SETCURSEL, static_cast<WPARAM>(next));
      ShowPage(next);
      SetFocus(TabbedNotebook1.Handle());
    }
    return true;
  }
  if (message.message == WM_KEYDOWN && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0) {
    if (message.wParam == VK_TAB) {
      if (HWND next = NextTabStop(hwnd_, GetFocus(), GetKeyState(VK_SHIFT) < 0)) {
        SetFocus(next);
        // A single-line box offers its text for typing over; the memo keeps
        // its caret, so a long listing is never highlighted whole.
        if ((SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) &&
            !(GetWindowLongW(next, GWL_STYLE) & ES_MULTILINE))
          SendMessageW(next, EM_SETSEL, 0, -1);
      }
      return true;
    }
    if (message.wParam == VK_RETURN) {
      // Enter presses the focused push button, as Space does.
      HWND focus = GetFocus();
      const LRESULT code = focus ? SendMessageW(focus, WM_GETDLGCODE, 0, 0) : 0;
      if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) {
        SendMessageW(focus, BM_CLICK, 0, 0);
        return true;
      }
    }
  }
  return IsDialogMessageW(hwnd_, &message) != FALSE;
}

HWND TForm1::FindComponent(std::string_view name) const {
  for (const ControlSpec& spec : FormLayout())
    if (*spec.name && name == spec.name) return const_cast<TForm1*>(this)->ControlFor(spec.id).Handle();
  return nullptr;
}

// ---- window procedure: the one place where failures are caught

LRESULT CALLBACK TForm1::WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  auto* form = reinterpret_cast<TForm1*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    form = static_cast<TForm1*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    form->hwnd_ = window;
  }
  if (!form) return DefWindowProcW(window, message, w, l);
  try {
    return form->HandleMessage(message, w, l);
  } catch (...) {
    form->ReportCurrentException(window);
  }
  // A window whose controls could not all be built is not made at all.
  return message == WM_CREATE ? -1 : 0;
}

// Inside a catch block: the error box for the exception being handled.
void TForm1::ReportCurrentException(HWND window) noexcept {
  try {
    try {
      throw;
    } catch (const AppError& error) {
      dialogs_.ShowError(window, error.Message());
    } catch (const std::bad_alloc&) {
      dialogs_.ShowError(window, msg::kOutOfMemory);
    } catch (const std::length_error&) {
      // A string or table asked for more than it can ever hold: a list too
      // large for memory.
      dialogs_.ShowError(window, msg::kOutOfMemory);
    } catch (const std::exception& error) {
      dialogs_.ShowError(window, ProgramFault(error.what()).Message());
    } catch (...) {
      dialogs_.ShowError(window, ProgramFault("unknown exception").Message());
    }
  } catch (...) {
    // Nothing may leave a Win32 callback, not even a failed report.
  }
}

LRESULT TForm1::HandleMessage(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_CREATE:
      BuildControls();
      return 0;
    case kRunFormCreate:
      FormCreate(hwnd_);
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(w), HIWORD(w), reinterpret_cast<HWND>(l));
      return 0;
    case WM_NEXTDLGCTL: {
      // Sent by the dialog key handling and by text boxes: a handle, or the
      // next or previous tab stop.
      HWND target = LOWORD(l) ? reinterpret_cast<HWND>(w) : NextTabStop(hwnd_, GetFocus(), w != 0);
      if (target && IsChild(hwnd_, target) && IsWindowVisible(target) && IsWindowEnabled(target))
        SetFocus(target);
      return 0;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(l);
      if (header->hwndFrom == TabbedNotebook1.Handle() && header->code == TCN_SELCHANGE)
        ShowPage(static_cast<int>(TabbedNotebook1.Send(TCM_GETCURSEL)));
      return 0;
    }
    case WM_CTLCOLORSTATIC:
      return OnColorStatic(reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l));
    case WM_DRAWITEM:
      OnDrawStatus(*reinterpret_cast<const DRAWITEMSTRUCT*>(l));
      return TRUE;
    case WM_ACTIVATE:
      if (LOWORD(w) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
      }
      break;
    case WM_SETFOCUS: {
      HWND target = lastFocus_ && IsChild(hwnd_, lastFocus_) && IsWindowVisible(lastFocus_) &&
                            IsWindowEnabled(lastFocus_)
                        ? lastFocus_
                        : NextTabStop(hwnd_, nullptr, false);
      if (target) SetFocus(target);
      return 0;
    }
    case WM_CLOSE: {
      bool canClose = true;
      FormCloseQuery(hwnd_, canClose);
      if (canClose) DestroyWindow(hwnd_);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY: {
      HWND window = hwnd_;
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      hwnd_ = nullptr;
      return DefWindowProcW(window, message, w, l);
    }
  }
  return DefWindowProcW(hwnd_, message, w, l);
}

void TForm1::OnCommand(int id, int code, HWND sender) {
  switch (id) {
    // Enter and Esc, from the dialog key handling: the window has no default
    // or cancel button, so neither presses anything.
    case IDOK:
    case IDCANCEL:
      break;
    case id::Button1: if (code == BN_CLICKED) Button1Click(sender); break;
    case id::Button2: if (code == BN_CLICKED) Button2Click(sender); break;
    case id::Button3: if (code == BN_CLICKED) Button3Click(sender); break;
    case id::Button4: if (code == BN_CLICKED) Button4Click(sender); break;
    case id::Button5: if (code == BN_CLICKED) Button5Click(sender); break;
    case id::CheckBox1: if (code == BN_CLICKED) CheckBox1Click(sender); break;
    case id::ComboBox1: if (code == CBN_SELCHANGE) ComboBox1Change(sender); break;
    case id::ComboBox3: if (code == CBN_SELCHANGE) ComboBox3Change(sender); break;
    case id::StaticText1:
    case id::StaticText2:
    case id::StaticText3:
    case id::StaticText4:
      if (code == STN_CLICKED) StaticTextClick(sender);
      break;
  }
}

LRESULT TForm1::OnColorStatic(HDC dc, HWND control) {
  if (const Swatch* swatch = SwatchFor(control)) {
    SetBkColor(dc, swatch->Paint());
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    return reinterpret_cast<LRESULT>(swatch->Brush());
  }
  if (control == Memo1.Handle()) {
    // Read-only, yet a text box: the window colour, not the face colour.
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
  }
  return DefWindowProcW(hwnd_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
}

// One line, left-aligned like a plain label; a text wider than the field is
// right-aligned instead, so the count at its end stays in sight.
void TForm1::OnDrawStatus(const DRAWITEMSTRUCT& item) const {
  if (item.hwndItem != StaticText5.Handle()) return;
  RECT box = item.rcItem;
  FillRect(item.hDC, &box, GetSysColorBrush(COLOR_BTNFACE));
  const std::wstring text = ToWide(WindowText(item.hwndItem));
  HGDIOBJ old = SelectObject(item.hDC, font_);
  SIZE extent{};
  GetTextExtentPoint32W(item.hDC, text.c_str(), static_cast<int>(text.size()), &extent);
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(IsWindowEnabled(item.hwndItem) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
  const UINT align = extent.cx > box.right - box.left ? DT_RIGHT : DT_LEFT;
  DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &box, align | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(item.hDC, old);
}

// ---- building the controls

void TForm1::BuildControls() {
  for (const ControlSpec& spec : FormLayout()) MakeControl(spec);
  for (const char* item : {msg::kNumberNone, msg::kNumberPlain, msg::kNumberTwoDigits}) ComboBox2.Add(item);
  ComboBox2.SetItemIndex(2);
  CheckBox1.SetChecked(true);
  TabbedNotebook1.Send(TCM_SETCURSEL, 0);
}

void TForm1::MakeControl(const ControlSpec& spec) {
  const wchar_t* type = L"STATIC";
  DWORD style = WS_CHILD | WS_VISIBLE;
  DWORD extended = 0;
  int height = Scale(spec.height);
  switch (spec.kind) {
    case ControlKind::Notebook:
      type = WC_TABCONTROLW;
      style |= WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
      extended = WS_EX_CONTROLPARENT;
      break;
    case ControlKind::Page:
      type = kPageClass;
      if (spec.id != id::Page1) style &= ~WS_VISIBLE;
      extended = WS_EX_CONTROLPARENT;
      break;
    case ControlKind::Group:
      type = kGroupClass;
      extended = WS_EX_CONTROLPARENT;
      break;
    case ControlKind::PushButton: type = L"BUTTON"; style |= BS_PUSHBUTTON; break;
    case ControlKind::CheckBox: type = L"BUTTON"; style |= BS_AUTOCHECKBOX; break;
    case ControlKind::Memo:
      // No ES_AUTOHSCROLL: lines wrap at words.
      type = L"EDIT";
      style |= ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_HSCROLL;
      extended = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::Edit:
      type = L"EDIT";
      style |= ES_AUTOHSCROLL;
      extended = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::ComboBox:
      type = L"COMBOBOX";
      style |= CBS_DROPDOWNLIST | WS_VSCROLL;
      height += Scale(kComboItemHeight) * kComboDropItems + 2;  // the dropped list
      break;
    case ControlKind::MemberList:
      type = WC_LISTVIEWW;
      style |= LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER;
      extended = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::RoundList:
      type = WC_LISTVIEWW;
      style |= LVS_REPORT | LVS_SINGLESEL | LVS_NOCOLUMNHEADER;
      extended = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::Progress: type = PROGRESS_CLASSW; style |= PBS_SMOOTH; break;
    case ControlKind::Status:
      // Drawn by the form (OnDrawStatus): the count must never be hidden.
      style |= SS_OWNERDRAW | SS_SUNKEN;
      break;
    case ControlKind::Label: style |= SS_LEFT | SS_NOPREFIX; break;
    case ControlKind::RightLabel: style |= SS_RIGHT | SS_NOPREFIX; break;
    case ControlKind::Swatch: style |= SS_CENTER | SS_SUNKEN | SS_NOTIFY | SS_NOPREFIX; break;
    case ControlKind::Bevel: style |= SS_SUNKEN; break;  // a 2-pixel sunken rule
  }
  if (spec.tabStop) style |= WS_TABSTOP;
  if (!spec.enabled) style |= WS_DISABLED;

  HWND parent = spec.parent ? ControlFor(spec.parent).Handle() : hwnd_;
  const std::wstring caption = spec.kind == ControlKind::Page ? std::wstring() : ToWide(spec.caption);
  int left = Scale(spec.x);
  int width = Scale(spec.width);
  if (spec.kind == ControlKind::RightLabel) {
    // A substitute font may run wider than the one the layout was made
    // for: grow to the left, so the text stays on one line and still ends
    // at the layout's right edge.
    const int right = left + width;
    const int needed = TextWidth(font_, caption);
    if (needed > width) {
      left = std::max(0, right - needed);
      width = right - left;
    }
  }
  HWND window = CreateWindowExW(extended, type, caption.c_str(), style, left, Scale(spec.y), width,
                                height, parent, IdMenu(spec.id), instance_, nullptr);
  if (!window) ThrowLastError(Text("CreateWindowExW ") + spec.name);
  ControlFor(spec.id).Attach(window);
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);

  switch (spec.kind) {
    case ControlKind::Page: {
      std::wstring tab = ToWide(spec.caption);
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = tab.data();
      TabbedNotebook1.Send(TCM_INSERTITEMW, TabbedNotebook1.Send(TCM_GETITEMCOUNT),
                           reinterpret_cast<LPARAM>(&item));
      break;
    }
    case ControlKind::Memo:
      SendMessageW(window, EM_SETLIMITTEXT, 0, 0);  // as much as memory allows
      GiveOwnDc(window);
      break;
    case ControlKind::Edit:
      SendMessageW(window, EM_SETLIMITTEXT, 0, 0);  // a pasted title is never cut
      break;
    case ControlKind::ComboBox:
      SetComboHeights(static_cast<ComboBox&>(ControlFor(spec.id)), Scale(spec.height));
      break;
    case ControlKind::MemberList:
      ListView1.Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
      ListView1.AddColumn(0, msg::kRoundColumn, 0);
      ListView1.AddColumn(1, msg::kOpponentColumn, 0);
      FitMemberColumns();
      break;
    case ControlKind::RoundList:
      ListView2.Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FLATSB);
      ListView2.AddColumn(0, "", 0);
      FitRoundColumn();
      break;
    case ControlKind::Progress:
      ProgressBar1.SetMax(100);
      ProgressBar1.Send(PBM_SETSTEP, 1);
      break;
    case ControlKind::Swatch:
      SwatchFor(window)->SetColor(kFaceColorReference);
      break;
    default:
      break;
  }
}

// The field shows exactly height pixels; the dropped items are 12 high.
void TForm1::SetComboHeights(const ComboBox& combo, int height) const {
  combo.Send(CB_SETITEMHEIGHT, 0, Scale(kComboItemHeight));
  // Some platforms take a list item height through the combo only when it
  // is owner-drawn (and keep the font's height); its list box takes it
  // directly. After WM_SETFONT, which would set it back.
  COMBOBOXINFO parts{};
  parts.cbSize = sizeof parts;
  if (GetComboBoxInfo(combo.Handle(), &parts) && parts.hwndList)
    SendMessageW(parts.hwndList, LB_SETITEMHEIGHT, 0, Scale(kComboItemHeight));
  // The field is its item height plus a frame that differs between
  // platforms (and CB_GETITEMHEIGHT does not always echo what was set), so
  // set a guess, measure, and correct by the difference.
  int field = height - 6;
  for (int tries = 0; tries < 3 && field > 0; ++tries) {
    combo.Send(CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    RECT box{};
    GetWindowRect(combo.Handle(), &box);
    const int shown = box.bottom - box.top;
    if (shown == height) break;
    field += height - shown;
  }
}

Control& TForm1::ControlFor(int id) {
  switch (id) {
    case id::Button1: return Button1;
    case id::Button2: return Button2;
    case id::Button3: return Button3;
    case id::Button4: return Button4;
    case id::Button5: return Button5;
    case id::StaticText5: return StaticText5;
    case id::ProgressBar1: return ProgressBar1;
    case id::Label5: return Label5;
    case id::TabbedNotebook1: return TabbedNotebook1;
    case id::Page1: return Page1;
    case id::Page2: return Page2;
    case id::Page3: return Page3;
    case id::Page4: return Page4;
    case id::GroupBox1: return GroupBox1;
    case id::GroupBox2: return GroupBox2;
    case id::GroupBox3: return GroupBox3;
    case id::GroupBox4: return GroupBox4;
    case id::GroupBox5: return GroupBox5;
    case id::GroupBox6: return GroupBox6;
    case id::GroupBox7: return GroupBox7;
    case id::GroupBox8: return GroupBox8;
    case id::Memo1: return Memo1;
    case id::ComboBox1: return ComboBox1;
    case id::ComboBox2: return ComboBox2;
    case id::ComboBox3: return ComboBox3;
    case id::ListView1: return ListView1;
    case id::ListView2: return ListView2;
    case id::Edit1: return Edit1;
    case id::Label1: return Label1;
    case id::Label2: return Label2;
    case id::Label3: return Label3;
    case id::Label4: return Label4;
    case id::StaticText1: return StaticText1;
    case id::StaticText2: return StaticText2;
    case id::StaticText3: return StaticText3;
    case id::StaticText4: return StaticText4;
    case id::CheckBox1: return CheckBox1;
    case id::Bevel1: return Bevel1;
  }
  std::abort();  // every id of the layout has its member above
}

Swatch* TForm1::SwatchFor(HWND window) {
  for (Swatch* swatch : {&StaticText1, &StaticText2, &StaticText3, &StaticText4})
    if (window && swatch->Handle() == window) return swatch;
  return nullptr;
}

void TForm1::ShowPage(int index) const {
  const Control* pages[] = {&Page1, &Page2, &Page3, &Page4};
  for (int i = 0; i < 4; ++i) ShowWindow(pages[i]->Handle(), i == index ? SW_SHOW : SW_HIDE);
}

void TForm1::FitMemberColumns() {
  ListView1.SetColumnWidth(0, LVSCW_AUTOSIZE_USEHEADER);
  RECT client{};
  GetClientRect(ListView1.Handle(), &client);
  ListView1.SetColumnWidth(1, std::max(0, static_cast<int>(client.right) - ListView1.ColumnWidth(0)));
}

void TForm1::FitRoundColumn() {
  RECT client{};
  GetClientRect(ListView2.Handle(), &client);
  ListView2.SetColumnWidth(0, client.right);
}

// ---- handlers

void TForm1::FormCreate(HWND) {
  Options = LoadTableOptions(SettingsPath());
  Edit1.SetText(Options.Title);
  StaticText1.SetColor(Options.FontColor);
  StaticText2.SetColor(Options.MemberColor);
  StaticText3.SetColor(Options.CelColor);
  StaticText4.SetColor(Options.PointColor);
  ComboBox2.SetItemIndex(Options.Number >= 0 && Options.Number <= 2 ? Options.Number : -1);
  if (CheckBox1.Checked() != Options.PointInt) {
    // A change from the program clicks the box as the user would.
    CheckBox1.SetChecked(Options.PointInt);
    CheckBox1Click(CheckBox1.Handle());
  }
  for (int n = 1; n <= 4; ++n) {
    if (Swatch* swatch = SwatchFor(FindComponent(Text("StaticText") + ToDecimal(n))))
      swatch->SetText(ColorToHex(swatch->Color()));
  }
  SetWindowTextCp932(hwnd_, msg::kWindowTitle);
}

void TForm1::FormCloseQuery(HWND, bool&) {
  // Closing is never refused and saves nothing.
}

void TForm1::Button1Click(HWND) {
  struct Finish {
    TForm1& form;
    ~Finish() { form.FinishSteps(); }
  } finish{*this};
  barPaintedAt_ = GetTickCount64();
  RunGeneration(Tables, *this, msg::kListPath);
}

void TForm1::ComboBox1Change(HWND) {
  {
    RedrawBatch batch(ListView1);
    ListView1.Clear();
    const int slot = ComboBox1.ItemIndex();
    if (slot >= 0 && slot < ComboBox1.Count() && static_cast<size_t>(slot) < Tables.Opponents.size()) {
      const std::vector<MemberRow> rows = MemberRows(Tables, slot);
      ListView1.Reserve(rows.size());
      for (const MemberRow& row : rows) ListView1.SetCell(ListView1.AddRow(row.Caption), 1, row.Opponent);
    }
  }
  FitMemberColumns();
}

void TForm1::ComboBox3Change(HWND) {
  {
    RedrawBatch batch(ListView2);
    ListView2.Clear();
    const int round = ComboBox3.ItemIndex();
    if (round >= 0 && round < ComboBox3.Count() && round < Tables.RoundCount &&
        static_cast<size_t>(round) < Tables.Pairings.size()) {
      const TextList rows = RoundRows(Tables, round);
      ListView2.Reserve(rows.size());
      for (const Text& row : rows) ListView2.AddRow(row);
    }
  }
  FitRoundColumn();
}

void TForm1::Button2Click(HWND) {
  CopyTextToClipboard(hwnd_, listing_);
  ShowMessage(msg::kCopied);
}

void TForm1::Button3Click(HWND) {
  SaveListing(listing_);
  ShowMessage(msg::kListingSaved);
}

void TForm1::Button4Click(HWND) {
  CrossTableInput input;
  input.slotCount = Tables.RoundCount + 1;
  // The button is enabled only after a schedule was built, which leaves
  // enough names; never read past them when called otherwise.
  if (Tables.MemberNames.size() < static_cast<size_t>(input.slotCount)) return;
  input.names = &Tables.MemberNames;
  input.title = Edit1.GetText();
  input.style = ComboBox2.ItemIndex();
  input.points = CheckBox1.Checked();
  input.font = StaticText1.GetText();
  input.member = StaticText2.GetText();
  input.other = StaticText3.GetText();
  input.pointColor = StaticText4.GetText();
  WriteCrossTableText(BuildCrossTableText(input));  // the same bytes, one buffer
  ShowMessage(msg::kHtmlSaved);
}

void TForm1::Button5Click(HWND) {
  TableOptions options;
  options.Title = Edit1.GetText();
  options.Number = ComboBox2.ItemIndex();
  options.FontColor = StaticText1.Color();
  options.MemberColor = StaticText2.Color();
  options.CelColor = StaticText3.Color();
  options.PointInt = CheckBox1.Checked();
  options.PointColor = StaticText4.Color();
  SaveTableOptions(SettingsPath(), options);
  ShowMessage(msg::kSettingsSaved);
}

void TForm1::StaticTextClick(HWND sender) {
  Swatch* swatch = SwatchFor(sender);
  if (!swatch || !swatch->Enabled()) return;  // a disabled swatch takes no clicks
  ColorValue color = swatch->Color();
  if (dialogs_.PickColor(hwnd_, color, customColors_)) swatch->SetColor(color);
  swatch->SetText(ColorToHex(color));
  InvalidateRect(swatch->Handle(), nullptr, TRUE);
}

void TForm1::CheckBox1Click(HWND) {
  const bool on = CheckBox1.Checked();
  Label4.SetEnabled(on);
  StaticText4.SetEnabled(on);
}

// ---- the generation run's view

void TForm1::SetTotal(int32_t count) {
  if (ProgressBar1.Max() != count) ProgressBar1.SetMax(count);
}

void TForm1::Step() {
  if (holdSteps_) {
    ++heldSteps_;
    return;
  }
  StepBar();
}

// The bar's own repaint on every step costs more than the step under some
// platforms; the position moves at once, the picture at most every
// kBarPaintMs.
void TForm1::StepBar() {
  if (!barFrozen_) {
    ProgressBar1.Send(WM_SETREDRAW, FALSE);
    barFrozen_ = true;
  }
  ProgressBar1.Step();
  const ULONGLONG now = GetTickCount64();
  if (now - barPaintedAt_ >= kBarPaintMs) {
    ThawBar();
    barPaintedAt_ = now;
  }
}

void TForm1::ThawBar() noexcept {
  if (!barFrozen_) return;
  ProgressBar1.Send(WM_SETREDRAW, TRUE);
  RedrawWindow(ProgressBar1.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  barFrozen_ = false;
}

// Every step of the run reaches the bar, on every path out of it.
void TForm1::FinishSteps() noexcept {
  holdSteps_ = false;
  for (; heldSteps_ > 0; --heldSteps_) ProgressBar1.Step();
  ThawBar();
}

void TForm1::ShowMessage(const Text& text) { dialogs_.ShowMessage(hwnd_, text); }

void TForm1::ClearSelectorsAndViews() {
  ComboBox1.Clear();
  ComboBox3.Clear();
  ListView1.Clear();
  ListView2.Clear();
}

void TForm1::SetStatus(const Text& text) { StaticText5.SetText(text); }

void TForm1::FillSelectors(const TextList& members, const TextList& rounds) {
  for (auto [combo, items] : {std::pair{&ComboBox1, &members}, std::pair{&ComboBox3, &rounds}}) {
    size_t chars = 0;
    for (const Text& item : *items) chars += item.size() + 1;
    RedrawBatch batch(*combo);
    combo->Reserve(items->size(), chars);
    for (const Text& item : *items) combo->Add(item);
  }
  ThawBar();  // the schedule's steps are done
}

void TForm1::ClearListing() {
  Memo1.SetText(Text());
  listing_.clear();
  // The listing's steps come next; they are shown while the memo takes the
  // listing, which is where the time goes.
  holdSteps_ = true;
}

void TForm1::SetListing(Text listing) {
  // The text box lays out every line as it takes it, some microseconds a
  // line, so a listing of a million lines goes in as a few dozen slices cut
  // after line ends, with the held steps shown between them. A '\n' is
  // never a trail byte, so each slice converts as it would in the whole.
  const size_t total = listing.size();
  const size_t slice = std::max(kMinListingSlice, total / kListingSlices + 1);
  const int steps = heldSteps_;
  holdSteps_ = false;
  size_t chars = 0;
  {
    RedrawBatch batch(Memo1);
    Memo1.Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    try {
      for (size_t at = 0; at < total;) {
        size_t end = total;
        if (total - at > slice) {
          const size_t lineEnd = listing.find('\n', at + slice);
          if (lineEnd != Text::npos) end = lineEnd + 1;
        }
        const std::wstring wide = ToWide(std::string_view(listing).substr(at, end - at));
        Memo1.Send(EM_SETSEL, chars, chars);
        Memo1.Send(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(wide.c_str()));
        chars += wide.size();
        at = end;
        const auto due = static_cast<int>(static_cast<unsigned long long>(steps) * at / total);
        for (; heldSteps_ > steps - due; --heldSteps_) StepBar();
      }
      // A text box that ran out of room keeps less than it was given.
      if (static_cast<size_t>(Memo1.Send(WM_GETTEXTLENGTH)) != chars) throw std::bad_alloc();
    } catch (...) {
      // Never a part of a listing: the bytes are kept only once the memo shows them all.
      Memo1.Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
      throw;
    }
    // As after one assignment: caret and view at the top, nothing to undo.
    Memo1.Send(EM_SETSEL, 0, 0);
    Memo1.Send(EM_SCROLLCARET);
    Memo1.Send(EM_EMPTYUNDOBUFFER);
    Memo1.Send(EM_SETMODIFY, FALSE);
  }
  listing_ = std::move(listing);
  ThawBar();
}

void TForm1::SelectFirstItems() {
  ComboBox1.SetItemIndex(0);
  ComboBox3.SetItemIndex(0);
  ComboBox1Change(ComboBox1.Handle());
  ComboBox3Change(ComboBox3.Handle());
}

void TForm1::EnableOutputButtons() {
  Button2.SetEnabled(true);
  Button3.SetEnabled(true);
  Button4.SetEnabled(true);
}

}  // namespace rinban
