#include "rinban_main.h"

#include <commctrl.h>

#include "platform/clipboard.h"
#include "schedule/listing.h"
#include "table/color.h"
#include "table/html.h"
#include "text/error.h"
#include "text/messages.h"
#include "window/container.h"
#include "window/control_ids.h"
#include "window/density.h"
#include "window/failure.h"
#include "window/keyboard.h"
#include "window/option_exchange.h"

namespace rinban {
namespace {

// Sent to itself once the controls exist, so FormCreate runs inside the
// window procedure's guard like every other handler.
constexpr UINT kRunFormCreate = WM_APP + 1;

// The swatches' layout colour: the 3-D face colour, as a system-colour reference.
constexpr ColorValue kFaceColorReference = static_cast<ColorValue>(0x80000000u | COLOR_BTNFACE);

}  // namespace

TForm1::TForm1(HINSTANCE instance, FormDialogs& dialogs)
    : instance_(instance), dialogs_(dialogs), listing_(msg::kMemoInitial),
      customColors_(InitialCustomColors()) {}

TForm1::~TForm1() {
  if (hwnd_) DestroyWindow(hwnd_);
}

bool TForm1::Create() {
  // A long run does not pump messages; without this the system would swap
  // the window for a frozen copy after a few seconds and hide the moving bar.
  DisableProcessWindowsGhosting();
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS |
                                                   ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  if (!InitCommonControlsEx(&classes)) InitCommonControls();
  RegisterContainerClasses(instance_);
  MakeFormWindow(instance_, WindowProc, this);  // WM_NCCREATE sets hwnd_
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
    return RouteFormKey(hwnd_, TabbedNotebook1.Handle(), message);
  } catch (...) {
    // Outside the window procedure, yet a failure all the same.
    ReportCurrentException(hwnd_);
    return true;
  }
}

int TForm1::RunMessageLoop(MessageSource next) {
  constexpr int kFailuresInARow = 3;
  int failures = 0;
  MSG message{};
  for (;;) {
    const BOOL got = next(message);
    if (got == 0) return static_cast<int>(message.wParam);
    if (got > 0) {
      failures = 0;
      if (!PreTranslateMessage(message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
      continue;
    }
    // Ending here as if the user had closed the window would lose the
    // schedule without a word.
    try {
      ThrowLastError("GetMessageW");
    } catch (...) {
      ReportCurrentException(hwnd_);
    }
    if (!hwnd_ || ++failures == kFailuresInARow) return 1;
  }
}

HWND TForm1::FindComponent(std::string_view name) const { return rinban::FindComponent(controls_, name); }

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
    dialogs_.ShowError(window, CurrentFailureText());
  } catch (...) {
    // Nothing may leave a Win32 callback, not even a failed report.
  }
}

LRESULT TForm1::HandleMessage(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_CREATE:
      BuildControls();
      ApplyDensity(WindowDpi(hwnd_), nullptr);
      return 0;
    case kGetDpiScaledSize: {
      // Asked before WM_DPICHANGED: with the layout's own size for the new
      // density, the rectangle suggested then keeps the pointer on the title.
      const int dpi = static_cast<int>(w);
      *reinterpret_cast<SIZE*>(l) = FormFrameSize(MakeFormFont(dpi).scale, dpi);
      return TRUE;
    }
    case WM_DPICHANGED: {
      // Moved to a screen of another density: laid out anew for it, where
      // the system puts the window.
      const RECT& suggested = *reinterpret_cast<const RECT*>(l);
      const POINT where{suggested.left, suggested.top};
      ApplyDensity(HIWORD(w), &where);
      return 0;
    }
    case kRunFormCreate:
      FormCreate(hwnd_);
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(w), HIWORD(w), reinterpret_cast<HWND>(l));
      return 0;
    case WM_NEXTDLGCTL:
      // Sent by the dialog key handling and by text boxes.
      MoveFocus(hwnd_, w, l);
      return 0;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(l);
      if (header->hwndFrom == TabbedNotebook1.Handle() && header->code == TCN_SELCHANGE)
        ShowPage(static_cast<int>(TabbedNotebook1.Send(TCM_GETCURSEL)));
      return 0;
    }
    case WM_CTLCOLORSTATIC:
      return OnColorStatic(reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l));
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(l);
      if (item.hwndItem == StaticText5.Handle()) DrawStatusField(item, font_.Get());
      return TRUE;
    }
    case WM_ACTIVATE:
      if (LOWORD(w) == WA_INACTIVE) focus_.Leave(hwnd_);
      break;
    case WM_SETFOCUS:
      focus_.Return(hwnd_);
      return 0;
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
  if (const Swatch* swatch = SwatchFor(control)) return swatch->PaintBackground(dc);
  if (control == Memo1.Handle()) return PaintReadOnlyText(dc);
  return DefWindowProcW(hwnd_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
}

// ---- building the controls

void TForm1::BuildControls() {
  BuildFormControls(hwnd_, instance_, controls_);
  // The layout state of the table page, which start-up then replaces.
  for (const char* item : {msg::kNumberNone, msg::kNumberPlain, msg::kNumberTwoDigits}) ComboBox2.Add(item);
  ComboBox2.SetItemIndex(2);
  CheckBox1.SetChecked(true);
  for (Swatch* swatch : swatches_) swatch->SetColor(kFaceColorReference);
  TabbedNotebook1.Send(TCM_SETCURSEL, 0);
}

// Start-up and every move to another density take this one path, from the
// layout and never from where the controls stand, so no sequence of moves
// leaves the window other than a start at the last density.
void TForm1::ApplyDensity(int dpi, const POINT* where) {
  FormFont made = MakeFormFont(dpi);
  if (!made.font) ThrowLastError("CreateFontIndirectW");
  LayOutControls(controls_, made.font.Get(), made.scale);
  font_ = std::move(made.font);  // the old one goes once no control holds it

  for (const bool smallIcon : {false, true}) {
    if (HICON icon = LoadFormIcon(instance_, smallIcon, dpi)) {
      SendMessageW(hwnd_, WM_SETICON, smallIcon ? ICON_SMALL : ICON_BIG, reinterpret_cast<LPARAM>(icon));
      icons_[smallIcon].reset(icon);
    }
  }

  // At start-up the layout's place, moved where the whole window is on the
  // screen if it is not; the rule's size stays.
  const POINT at = where ? *where : FitInto(WorkArea(hwnd_), {kFormLeft, kFormTop}, FormFrameSize(made.scale, dpi));
  PlaceFormWindow(hwnd_, at, made.scale, dpi);
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

Swatch* TForm1::SwatchFor(HWND window) {
  for (Swatch* swatch : swatches_)
    if (window && swatch->Handle() == window) return swatch;
  return nullptr;
}

void TForm1::ShowPage(int index) const {
  const Control* pages[] = {&Page1, &Page2, &Page3, &Page4};
  for (int i = 0; i < 4; ++i) ShowWindow(pages[i]->Handle(), i == index ? SW_SHOW : SW_HIDE);
}

// ---- handlers

void TForm1::FormCreate(HWND) {
  Options = LoadTableOptions(SettingsPath());
  OptionsToControls(Options, hwnd_, controls_, swatches_);
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
  RunProgress::Run run(progress_);
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
  ListView1.FitColumns();
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
  ListView2.FitColumns();
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
  const TableOptions options = OptionsFromControls(controls_, swatches_);
  input.names = &Tables.MemberNames;
  input.title = options.Title;
  input.style = options.Number;
  input.points = options.PointInt;
  // The swatch captions as they stand.
  input.font = StaticText1.GetText();
  input.member = StaticText2.GetText();
  input.other = StaticText3.GetText();
  input.pointColor = StaticText4.GetText();
  WriteCrossTableText(BuildCrossTableText(input));  // the same bytes, one buffer
  ShowMessage(msg::kHtmlSaved);
}

void TForm1::Button5Click(HWND) {
  SaveTableOptions(SettingsPath(), OptionsFromControls(controls_, swatches_));
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

void TForm1::SetTotal(int32_t count) { progress_.SetTotal(count); }

void TForm1::Step() { progress_.Step(); }

void TForm1::ShowMessage(const Text& text) { dialogs_.ShowMessage(hwnd_, text); }

void TForm1::ClearSelectorsAndViews() {
  ComboBox1.Clear();
  ComboBox3.Clear();
  ListView1.Clear();
  ListView2.Clear();
}

void TForm1::SetStatus(const Text& text) { StaticText5.SetText(text); }

void TForm1::FillSelectors(const TextList& members, const TextList& rounds) {
  ComboBox1.AddAll(members);
  ComboBox3.AddAll(rounds);
  progress_.Show();  // the schedule's steps are done
}

void TForm1::ClearListing() {
  Memo1.SetText(Text());
  listing_.clear();
  // The listing's steps come next; they are shown while the memo takes the
  // listing, which is where the time goes.
  progress_.Hold();
}

void TForm1::SetListing(Text listing) {
  FeedMemo(Memo1, listing, progress_);
  listing_ = std::move(listing);  // kept only once the memo shows it all
  progress_.Show();
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
