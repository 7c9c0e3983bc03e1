#include "window/factory.h"

#include <commctrl.h>

#include <algorithm>
#include <new>
#include <string>

#include "text/messages.h"
#include "window/container.h"
#include "window/density.h"
#include "window/failure.h"

namespace rinban {
namespace {

// The window class and styles of each kind, in ControlKind order.
struct KindTraits {
  ControlKind kind;
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
};

constexpr KindTraits kKinds[] = {
    {ControlKind::Notebook, WC_TABCONTROLW, WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT},
    {ControlKind::Page, kPageClass, 0, WS_EX_CONTROLPARENT},
    {ControlKind::Group, kGroupClass, 0, WS_EX_CONTROLPARENT},
    {ControlKind::PushButton, L"BUTTON", BS_PUSHBUTTON, 0},
    {ControlKind::CheckBox, L"BUTTON", BS_AUTOCHECKBOX, 0},
    // No ES_AUTOHSCROLL: lines wrap at words.
    {ControlKind::Memo, L"EDIT", ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_HSCROLL, WS_EX_CLIENTEDGE},
    {ControlKind::Edit, L"EDIT", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
    {ControlKind::ComboBox, L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, 0},
    {ControlKind::MemberList, WC_LISTVIEWW, LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER, WS_EX_CLIENTEDGE},
    {ControlKind::RoundList, WC_LISTVIEWW, LVS_REPORT | LVS_SINGLESEL | LVS_NOCOLUMNHEADER, WS_EX_CLIENTEDGE},
    {ControlKind::Progress, PROGRESS_CLASSW, PBS_SMOOTH, 0},
    // Drawn by the form: the count must never be hidden.
    {ControlKind::Status, L"STATIC", SS_OWNERDRAW | SS_SUNKEN, 0},
    {ControlKind::Label, L"STATIC", SS_LEFT | SS_NOPREFIX, 0},
    {ControlKind::RightLabel, L"STATIC", SS_RIGHT | SS_NOPREFIX, 0},
    {ControlKind::Swatch, L"STATIC", SS_CENTER | SS_SUNKEN | SS_NOTIFY | SS_NOPREFIX, 0},
    {ControlKind::Bevel, L"STATIC", SS_SUNKEN, 0},  // a 2-pixel sunken rule
};

constexpr bool KindsInOrder() {
  for (size_t i = 0; i < std::size(kKinds); ++i)
    if (static_cast<size_t>(kKinds[i].kind) != i) return false;
  return true;
}
static_assert(KindsInOrder(), "kKinds lists every kind in ControlKind order");

const KindTraits& TraitsOf(ControlKind kind) { return kKinds[static_cast<size_t>(kind)]; }

HFONT MakeFont(int height) {
  LOGFONTW face{};
  face.lfHeight = -height;
  face.lfWeight = FW_NORMAL;
  face.lfCharSet = SHIFTJIS_CHARSET;
  const std::wstring name = ToWide(msg::kWindowFont);
  name.copy(face.lfFaceName, LF_FACESIZE - 1);
  return CreateFontIndirectW(&face);
}

int TextHeight(HFONT font) {
  WindowDc dc;
  Selected use(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  return metrics.tmHeight;
}

int TextWidth(HFONT font, const std::wstring& text) {
  WindowDc dc;
  Selected use(dc, font);
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

// The field shows exactly fieldHeight pixels; the dropped items are the layout's item height.
void SetComboHeights(const ComboBox& combo, int fieldHeight, Scaling scale) {
  const int item = scale(kComboItemHeight);
  combo.Send(CB_SETITEMHEIGHT, 0, item);
  // Some platforms take a list item height through the combo only when it
  // is owner-drawn (and keep the font's height); its list box takes it
  // directly. After WM_SETFONT, which would set it back.
  COMBOBOXINFO parts{};
  parts.cbSize = sizeof parts;
  if (GetComboBoxInfo(combo.Handle(), &parts) && parts.hwndList)
    SendMessageW(parts.hwndList, LB_SETITEMHEIGHT, 0, item);
  // The field is its item height plus a frame that differs between
  // platforms (and CB_GETITEMHEIGHT does not always echo what was set), so
  // start from the item's height, measure, and correct by the difference.
  int field = item;
  for (int tries = 0; tries < 3 && field > 0; ++tries) {
    combo.Send(CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    RECT box{};
    GetWindowRect(combo.Handle(), &box);
    const int shown = box.bottom - box.top;
    if (shown == fieldHeight) break;
    field += fieldHeight - shown;
  }
}

// What a kind needs once its window exists.
void SetUp(const ControlSpec& spec, HWND window, const ControlTable& table) {
  switch (spec.kind) {
    case ControlKind::Page: {
      std::wstring tab = ToWide(spec.caption);
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = tab.data();
      const Control notebook(table, spec.parent);
      notebook.Send(TCM_INSERTITEMW, notebook.Send(TCM_GETITEMCOUNT), reinterpret_cast<LPARAM>(&item));
      break;
    }
    case ControlKind::Memo:
      SendMessageW(window, EM_SETLIMITTEXT, 0, 0);  // as much as memory allows
      GiveOwnDc(window);
      break;
    case ControlKind::Edit:
      SendMessageW(window, EM_SETLIMITTEXT, 0, 0);  // a pasted title is never cut
      break;
    case ControlKind::MemberList: {
      const ListView view(table, spec.id);
      view.Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
      view.AddColumn(0, msg::kRoundColumn, 0);
      view.AddColumn(1, msg::kOpponentColumn, 0);
      break;
    }
    case ControlKind::RoundList: {
      const ListView view(table, spec.id);
      view.Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FLATSB);
      view.AddColumn(0, "", 0);
      break;
    }
    case ControlKind::Progress:
      SendMessageW(window, PBM_SETRANGE32, 0, 100);
      SendMessageW(window, PBM_SETSTEP, 1, 0);
      break;
    default:
      break;
  }
}

// The arrow keys move the focus within a group (the dialog navigation of
// IsDialogMessage), and a group takes in every control up to the next that
// starts one, labels and swatches too. So each control starts a group of its
// own, but a push button right after a push button among the same siblings
// joins its row: the arrows then never reach a control that Tab skips.
bool StartsGroup(std::span<const ControlSpec> layout, size_t index) {
  const ControlSpec& spec = layout[index];
  for (size_t before = index; before-- > 0;)
    if (layout[before].parent == spec.parent)
      return !(spec.kind == ControlKind::PushButton && layout[before].kind == ControlKind::PushButton);
  return true;
}

HWND MakeControl(const ControlSpec& spec, bool groupStart, HWND form, HINSTANCE instance,
                 const ControlTable& table) {
  const KindTraits& traits = TraitsOf(spec.kind);
  DWORD style = WS_CHILD | WS_VISIBLE | traits.style;
  if (groupStart) style |= WS_GROUP;
  if (spec.kind == ControlKind::Page && spec.id != id::Page1) style &= ~WS_VISIBLE;  // the first page shows
  if (spec.tabStop) style |= WS_TABSTOP;
  if (!spec.enabled) style |= WS_DISABLED;
  const std::wstring caption = spec.kind == ControlKind::Page ? std::wstring() : ToWide(spec.caption);
  HWND parent = spec.parent ? table[spec.parent] : form;
  HWND window = CreateWindowExW(traits.exStyle, traits.className, caption.c_str(), style, spec.x, spec.y,
                                spec.width, spec.height, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), instance, nullptr);
  if (!window) ThrowLastError(Text("CreateWindowExW ") + spec.name);
  return window;
}

// Edges, not sizes, are scaled: edges that meet or line up in the layout
// still do at any scale.
RECT PlaceOf(const ControlSpec& spec, HFONT font, Scaling scale) {
  RECT box{scale(spec.x), scale(spec.y), scale(spec.x + spec.width), scale(spec.y + spec.height)};
  if (spec.kind == ControlKind::RightLabel) {
    // A substitute font may run wider than the one the layout was made
    // for: grow to the left, so the text stays on one line and still ends
    // at the layout's right edge.
    const int needed = TextWidth(font, ToWide(spec.caption));
    if (needed > box.right - box.left) box.left = std::max(0, static_cast<int>(box.right) - needed);
  }
  return box;
}

constexpr wchar_t kFormClass[] = L"TForm1";
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = 0;

}  // namespace

HWND MakeFormWindow(HINSTANCE instance, WNDPROC procedure, void* param) {
  WNDCLASSEXW type{};
  type.cbSize = sizeof type;
  type.lpfnWndProc = procedure;
  type.hInstance = instance;
  // No class icons: the window sets its own for its density (LoadFormIcon).
  type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  type.lpszClassName = kFormClass;
  RegisterClassExW(&type);  // fails harmlessly when already registered

  // Made at the layout's place, so on the monitor whose density it starts with.
  return CreateWindowExW(kFormExStyle, kFormClass, L"", kFormStyle, kFormLeft, kFormTop, kClientWidth,
                         kClientHeight, nullptr, nullptr, instance, param);
}

SIZE FormFrameSize(Scaling scale, int dpi) {
  return FrameSize({scale(kClientWidth), scale(kClientHeight)}, kFormStyle, kFormExStyle, dpi);
}

void PlaceFormWindow(HWND form, POINT at, Scaling scale, int dpi) {
  const SIZE frame = FormFrameSize(scale, dpi);
  constexpr UINT kFlags = SWP_NOZORDER | SWP_NOACTIVATE;
  SetWindowPos(form, nullptr, at.x, at.y, frame.cx, frame.cy, kFlags);
  RECT client{};
  GetClientRect(form, &client);
  const int wrongWidth = static_cast<int>(client.right) - scale(kClientWidth);
  const int wrongHeight = static_cast<int>(client.bottom) - scale(kClientHeight);
  if (wrongWidth || wrongHeight)
    SetWindowPos(form, nullptr, 0, 0, frame.cx - wrongWidth, frame.cy - wrongHeight, kFlags | SWP_NOMOVE);
}

HICON LoadFormIcon(HINSTANCE instance, bool smallIcon, int dpi) {
  // The image drawn for that size; not shared, as the system keeps shared
  // icons at its own sizes only.
  const int width = MetricForDpi(smallIcon ? SM_CXSMICON : SM_CXICON, dpi);
  const int height = MetricForDpi(smallIcon ? SM_CYSMICON : SM_CYICON, dpi);
  return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, width, height, LR_DEFAULTCOLOR));
}

HWND FindComponent(const ControlTable& table, std::string_view name) {
  for (const ControlSpec& spec : FormLayout())
    if (*spec.name && name == spec.name) return table[spec.id];
  return nullptr;
}

FormFont MakeFormFont(int dpi) {
  FormFont made;
  made.font.Reset(MakeFont(MulDiv(kLayoutTextHeight, dpi, kLayoutDpi)));
  if (!made.font) return made;
  // The layout was made for the text height of its font: a face that draws
  // taller (a substitute), or a denser screen, grows every box with it.
  const int height = TextHeight(made.font.Get());
  if (height > 0) made.scale = Scaling{height, kLayoutTextHeight};
  return made;
}

void BuildFormControls(HWND form, HINSTANCE instance, ControlTable& table) {
  const std::span<const ControlSpec> layout = FormLayout();
  for (size_t index = 0; index < layout.size(); ++index) {
    const ControlSpec& spec = layout[index];
    HWND window = MakeControl(spec, StartsGroup(layout, index), form, instance, table);
    table.Set(spec.id, window);
    SetUp(spec, window, table);
  }
}

void LayOutControls(const ControlTable& table, HFONT font, Scaling scale) {
  for (const ControlSpec& spec : FormLayout()) {
    HWND window = table[spec.id];
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    const RECT box = PlaceOf(spec, font, scale);
    const bool combo = spec.kind == ControlKind::ComboBox;
    int height = box.bottom - box.top;
    // A drop-down's window reaches over its dropped list.
    if (combo) height += scale(kComboItemHeight) * kComboDropItems + scale(kComboListBorder);
    SetWindowPos(window, nullptr, box.left, box.top, box.right - box.left, height, SWP_NOZORDER | SWP_NOACTIVATE);
    // What the new font and size reset.
    if (combo) SetComboHeights(ComboBox(table, spec.id), box.bottom - box.top, scale);
    if (spec.kind == ControlKind::MemberList || spec.kind == ControlKind::RoundList)
      ListView(table, spec.id).FitColumns();
  }
}

}  // namespace rinban
