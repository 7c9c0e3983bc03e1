#include "window/controls.h"

#include <algorithm>
#include <string>
#include <utility>

#include "table/color.h"
#include "text/error.h"
#include "window/failure.h"

namespace rinban {

void ComboBox::Add(const Text& item) const {
  const LRESULT added = Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(item).c_str()));
  if (added == CB_ERRSPACE) throw std::bad_alloc();
  if (added < 0) throw ProgramFault("CB_ADDSTRING");
}

void ComboBox::AddAll(const TextList& items) const {
  size_t chars = 0;
  for (const Text& item : items) chars += item.size() + 1;
  RedrawBatch batch(*this);
  Reserve(items.size(), chars);
  for (const Text& item : items) Add(item);
}

namespace {

// A list view tells no reason. A live one fails to add a text row at its end
// only when it cannot allocate it; a view that is gone is a fault.
[[noreturn]] void ListViewFailed(HWND view, const char* what) {
  if (!IsWindow(view)) throw ProgramFault(Text(what) + ": no list view");
  throw std::bad_alloc();
}

}  // namespace

Text ComboBox::Item(int index) const {
  const LRESULT length = Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
  if (length < 0) return {};
  std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT got = Send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(wide.data()));
  wide.resize(got < 0 ? 0 : static_cast<size_t>(got));
  return ToText(wide);
}

void ListView::AddColumn(int index, const Text& caption, int width) const {
  std::wstring wide = ToWide(caption);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  column.pszText = wide.data();
  column.cx = width;
  column.iSubItem = index;
  Send(LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
}

int ListView::AddRow(const Text& text) const {
  std::wstring wide = ToWide(text);
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = Count();
  item.pszText = wide.data();
  const LRESULT row = Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  if (row < 0) ListViewFailed(Handle(), "LVM_INSERTITEMW");  // -1 on failure
  return static_cast<int>(row);
}

void ListView::SetCell(int row, int column, const Text& text) const {
  std::wstring wide = ToWide(text);
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = wide.data();
  if (row < 0 || row >= Count()) throw ProgramFault("LVM_SETITEMTEXTW: no row " + ToDecimal(row));
  if (!Send(LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item))) ListViewFailed(Handle(), "LVM_SETITEMTEXTW");
}

Text ListView::Cell(int row, int column) const {
  std::wstring wide(1024, L'\0');
  for (;;) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = wide.data();
    item.cchTextMax = static_cast<int>(wide.size());
    const LRESULT got = Send(LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    if (static_cast<size_t>(got) + 1 < wide.size()) {
      wide.resize(static_cast<size_t>(got));
      return ToText(wide);
    }
    wide.resize(wide.size() * 2);
  }
}

void ListView::FitColumns() const {
  const int columns = static_cast<int>(SendMessageW(reinterpret_cast<HWND>(Send(LVM_GETHEADER)), HDM_GETITEMCOUNT, 0, 0));
  if (columns <= 0) return;
  int used = 0;
  for (int column = 0; column + 1 < columns; ++column) {
    SetColumnWidth(column, LVSCW_AUTOSIZE_USEHEADER);
    used += ColumnWidth(column);
  }
  RECT client{};
  GetClientRect(Handle(), &client);
  SetColumnWidth(columns - 1, std::max(0, static_cast<int>(client.right) - used));
}

void Swatch::SetColor(ColorValue color) {
  const COLORREF paint = static_cast<COLORREF>(ResolveColor(color)) & 0xFFFFFF;
  GdiObject<HBRUSH> brush(CreateSolidBrush(paint));
  if (!brush) ThrowLastError("CreateSolidBrush");
  brush_ = std::move(brush);
  paint_ = paint;
  color_ = color;
  if (HWND window = Handle()) InvalidateRect(window, nullptr, TRUE);
}

LRESULT Swatch::PaintBackground(HDC dc) const {
  SetBkColor(dc, paint_);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  return reinterpret_cast<LRESULT>(brush_.Get());
}

LRESULT PaintReadOnlyText(HDC dc) {
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

void DrawStatusField(const DRAWITEMSTRUCT& item, HFONT font) {
  RECT box = item.rcItem;
  FillRect(item.hDC, &box, GetSysColorBrush(COLOR_BTNFACE));
  const std::wstring text = ToWide(WindowText(item.hwndItem));
  Selected use(item.hDC, font);
  SIZE extent{};
  GetTextExtentPoint32W(item.hDC, text.c_str(), static_cast<int>(text.size()), &extent);
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(IsWindowEnabled(item.hwndItem) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
  const UINT align = extent.cx > box.right - box.left ? DT_RIGHT : DT_LEFT;
  DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &box, align | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace rinban
