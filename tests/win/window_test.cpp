// Form1 in-process: the real window with recording dialogs, driven by the
// messages its controls would send and read back through the controls.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <new>
#include <set>
#include <string>
#include <thread>

#include "../common/form_fixture.h"
#include "../common/support.h"
#include "../common/win_support.h"
#include "platform/files.h"
#include "rinban_main.h"
#include "table/options.h"
#include "text/messages.h"
#include "window/control_ids.h"
#include "window/density.h"
#include "window/scoped_gdi.h"
#include "window/wide.h"

namespace rinban {
namespace {

class FormTest : public testing_support::FormFixture {
 protected:
  FormTest() : FormFixture("rinban-window") {}
  void SetUp() override { DeleteFileW(ini_.c_str()); }
  void TearDown() override {
    form_.reset();
    DeleteFileW(ini_.c_str());
  }

  void List(std::string_view bytes) { WriteWholeFile("list.txt", bytes); }
  // Shown and in front after a run over list, as when a user takes the keyboard.
  TForm1& OpenInFrontAfterRun(std::string_view list) {
    TForm1& form = Open();
    form.Show(SW_SHOWNORMAL);
    SetForegroundWindow(form.Handle());
    List(list);
    Click(form.Button1);
    return form;
  }

  // What a control sends its parent; group boxes and pages pass it on.
  static void Notify(const Control& control, int code) {
    SendMessageW(GetParent(control.Handle()), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(control.Handle()), code),
                 reinterpret_cast<LPARAM>(control.Handle()));
  }
  static void Click(const Control& control) { Notify(control, BN_CLICKED); }
  static void Choose(const ComboBox& combo, int index) {
    combo.SetItemIndex(index);
    Notify(combo, CBN_SELCHANGE);
  }
  static TextList Items(const ComboBox& combo) {
    TextList items;
    for (int i = 0; i < combo.Count(); ++i) items.push_back(combo.Item(i));
    return items;
  }
  static TextList Rows(const ListView& view, int column = 0) {
    TextList rows;
    for (int i = 0; i < view.Count(); ++i) rows.push_back(view.Cell(i, column));
    return rows;
  }
  // Enabled state of Button1 .. Button5, as "10001".
  static std::string Buttons(const TForm1& form) {
    std::string states;
    for (const Button* b : {&form.Button1, &form.Button2, &form.Button3, &form.Button4, &form.Button5})
      states += b->Enabled() ? '1' : '0';
    return states;
  }
  static std::string ReadFile(const char* path) {
    return FileExists(path) ? ReadWholeFile(path) : std::string("<missing>");
  }

  const std::wstring ini_ = testing_support::WideOf(SettingsPath());
};

// ---- layout

struct Place {
  int id, parent, x, y, width, height;
  bool growsLeft = false;
};

constexpr Place kPlaces[] = {
    {id::Button1, 0, 8, 8, 105, 25},          {id::StaticText5, 0, 120, 8, 57, 17},
    {id::ProgressBar1, 0, 184, 8, 129, 9},    {id::Label5, 0, 120, 24, 160, 12},
    {id::TabbedNotebook1, 0, 8, 40, 313, 377},
    {id::Page1, id::TabbedNotebook1, 4, 23, 305, 350}, {id::Page4, id::TabbedNotebook1, 4, 23, 305, 350},
    {id::GroupBox1, id::Page1, 8, 5, 289, 332}, {id::Memo1, id::GroupBox1, 8, 48, 273, 273},
    {id::Button2, id::GroupBox1, 8, 16, 65, 25}, {id::Button3, id::GroupBox1, 72, 16, 89, 25},
    {id::GroupBox2, id::Page2, 8, 5, 289, 340}, {id::ComboBox1, id::GroupBox2, 8, 19, 273, 20},
    {id::ListView1, id::GroupBox2, 8, 48, 273, 281},
    {id::GroupBox8, id::Page3, 8, 8, 289, 337}, {id::ComboBox3, id::GroupBox8, 8, 18, 273, 20},
    {id::ListView2, id::GroupBox8, 8, 48, 273, 281},
    {id::GroupBox3, id::Page4, 8, 8, 289, 41},  {id::Edit1, id::GroupBox3, 8, 16, 273, 20},
    {id::GroupBox4, id::Page4, 8, 56, 289, 41}, {id::ComboBox2, id::GroupBox4, 8, 16, 273, 20},
    {id::GroupBox5, id::Page4, 8, 104, 289, 41}, {id::Label1, id::GroupBox5, 45, 16, 92, 12, true},
    {id::StaticText1, id::GroupBox5, 144, 16, 89, 17},
    {id::GroupBox6, id::Page4, 8, 152, 289, 65}, {id::Label2, id::GroupBox6, 41, 16, 96, 12, true},
    {id::Label3, id::GroupBox6, 61, 40, 76, 12, true}, {id::StaticText2, id::GroupBox6, 144, 16, 89, 17},
    {id::StaticText3, id::GroupBox6, 144, 40, 89, 17},
    {id::GroupBox7, id::Page4, 8, 224, 289, 65}, {id::CheckBox1, id::GroupBox7, 56, 16, 161, 17},
    {id::Label4, id::GroupBox7, 90, 40, 47, 12, true}, {id::StaticText4, id::GroupBox7, 144, 40, 89, 17},
    {id::Button4, id::Page4, 8, 304, 217, 25}, {id::Button5, id::Page4, 232, 304, 65, 25},
    {id::Bevel1, id::Page4, 8, 336, 289, 2},
};

using testing_support::FindById;

// What a control's own font measures on the screen, and the size of text in it.
struct Measured {
  TEXTMETRICW metrics{};
  SIZE extent{};
};
Measured Measure(HWND control, const std::wstring& text = {}) {
  WindowDc dc(control);
  Selected font(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  Measured measured;
  GetTextMetricsW(dc, &measured.metrics);
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &measured.extent);
  return measured;
}

// Every control where the layout puts it, scaled edge by edge by the text
// height of the form's font as it is now: a fresh start at the form's
// density gives exactly this.
void ExpectLaidOut(TForm1& form) {
  // The layout is drawn for a text height of 12 and grows with the real one.
  const TEXTMETRICW metrics = Measure(form.Button1.Handle()).metrics;
  auto scaled = [&](int v) { return MulDiv(v, metrics.tmHeight, 12); };
  RECT client{};
  GetClientRect(form.Handle(), &client);
  EXPECT_EQ(client.right, scaled(329));
  EXPECT_EQ(client.bottom, scaled(424));
  const LONG style = GetWindowLongW(form.Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_THICKFRAME));
  std::set<LONG> labelEdges;  // on the screen
  for (const Place& place : kPlaces) {
    SCOPED_TRACE(place.id);
    HWND control = FindById(form.Handle(), place.id);
    ASSERT_NE(control, nullptr);
    HWND parent = GetParent(control);
    EXPECT_EQ(place.parent ? GetDlgCtrlID(parent) : 0, place.parent);
    if (!place.parent) {
      EXPECT_EQ(parent, form.Handle());
    }
    RECT box{};
    GetWindowRect(control, &box);
    if (place.growsLeft) labelEdges.insert(box.right);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&box), 2);
    EXPECT_EQ(box.top, scaled(place.y));
    EXPECT_EQ(box.bottom, scaled(place.y + place.height));
    EXPECT_EQ(box.right, scaled(place.x + place.width));
    // Right-aligned labels keep their right edge; a wider substitute font
    // may push their left edge out.
    if (place.growsLeft) {
      EXPECT_LE(box.left, scaled(place.x));
    } else {
      EXPECT_EQ(box.left, scaled(place.x));
    }
  }
  EXPECT_EQ(labelEdges.size(), 1u) << "the right-aligned labels do not line up";
  RECT view{};
  GetClientRect(form.ListView1.Handle(), &view);
  EXPECT_EQ(form.ListView1.ColumnWidth(0) + form.ListView1.ColumnWidth(1), view.right);
  for (const ComboBox* combo : {&form.ComboBox1, &form.ComboBox2, &form.ComboBox3})
    EXPECT_EQ(combo->Send(CB_GETITEMHEIGHT, 0), scaled(12)) << GetDlgCtrlID(combo->Handle());
}

TEST_F(FormTest, EveryControlSitsWhereTheLayoutPutsIt) {
  TForm1& form = Open();
  ExpectLaidOut(form);
  RECT frame{};
  GetWindowRect(form.Handle(), &frame);
  EXPECT_EQ(frame.left, 1);
  EXPECT_EQ(frame.top, 0);
  EXPECT_EQ(form.FindComponent("StaticText3"), form.StaticText3.Handle());
  EXPECT_EQ(form.FindComponent("StaticText9"), nullptr);

  // CTest runs this once more on a 144 DPI screen: it must really be one, and
  // the font must follow it.
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  if (const char* expected = std::getenv("RINBAN_EXPECT_DPI")) {
    EXPECT_EQ(dpi, std::atoi(expected));
  }
  LOGFONTW face{};
  GetObjectW(reinterpret_cast<HFONT>(form.Button1.Send(WM_GETFONT)), sizeof face, &face);
  EXPECT_EQ(face.lfHeight, -MulDiv(12, dpi, 96));
  // The real font, and the test font made like it, draw no leading: at 96
  // DPI nothing grows.
  if (!std::getenv("RINBAN_TALL_FACE")) {
    const TEXTMETRICW metrics = Measure(form.Button1.Handle()).metrics;
    EXPECT_EQ(metrics.tmHeight, MulDiv(12, dpi, 96));
    EXPECT_EQ(metrics.tmInternalLeading, 0);
  }
}

TEST_F(FormTest, AfterMovesBetweenDensitiesTheWindowIsAFreshStartAtEach) {
  TForm1& form = Open();
  List("山本太郎\r\n鈴木一郎\r\nSuzuki\r\n");
  Click(form.Button1);  // the list views' columns fitted to rows
  // Back at last to the density it started with.
  for (const int dpi : {144, 120, 96, SystemDpi()}) {
    SCOPED_TRACE(dpi);
    // What a move to a monitor of that density sends; the size is the system's guess.
    RECT suggested{40, 30, 40 + MulDiv(337, dpi, 96), 30 + MulDiv(453, dpi, 96)};
    SendMessageW(form.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    LOGFONTW face{};
    GetObjectW(reinterpret_cast<HFONT>(form.Memo1.Send(WM_GETFONT)), sizeof face, &face);
    EXPECT_EQ(face.lfHeight, -MulDiv(12, dpi, 96));
    ExpectLaidOut(form);
    RECT frame{};
    GetWindowRect(form.Handle(), &frame);
    EXPECT_EQ(frame.left, 40);
    EXPECT_EQ(frame.top, 30);
    ICONINFO icon{};
    ASSERT_TRUE(GetIconInfo(reinterpret_cast<HICON>(SendMessageW(form.Handle(), WM_GETICON, ICON_SMALL, 0)), &icon));
    BITMAP mask{};
    GetObjectW(icon.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, MetricForDpi(SM_CXSMICON, dpi));
    DeleteObject(icon.hbmMask);
    DeleteObject(icon.hbmColor);
  }
}

TEST(FormPlacement, MovedOntoTheWorkAreaNeverShrunk) {
  const RECT work{0, 40, 1366, 728};  // a task bar along the top
  auto at = [&](POINT wanted, SIZE size) {
    const POINT p = FitInto(work, wanted, size);
    return std::pair(p.x, p.y);
  };
  EXPECT_EQ(at({1, 50}, {337, 453}), std::pair(1L, 50L));        // fits: stays
  EXPECT_EQ(at({1, 0}, {337, 453}), std::pair(1L, 40L));         // off the task bar
  EXPECT_EQ(at({1200, 600}, {337, 453}), std::pair(1029L, 275L));  // back from the far edges
  EXPECT_EQ(at({9, 0}, {1400, 806}), std::pair(0L, 40L));        // too big: its title bar on the screen
}

TEST_F(FormTest, EveryCaptionFitsItsControl) {
  TForm1& form = Open();
  List("山本太郎\r\n鈴木一郎\r\nSuzuki\r\n佐藤花子\r\nLi\r\n");
  Click(form.Button1);  // every field and view with text in it
  auto fits = [](HWND control, const std::wstring& text, RECT box, int reserved = 0) {
    const SIZE size = Measure(control, text).extent;
    EXPECT_LE(size.cx, box.right - box.left - reserved) << GetDlgCtrlID(control) << " " << Utf8FromWide(text);
    EXPECT_LE(size.cy, box.bottom - box.top) << GetDlgCtrlID(control) << " " << Utf8FromWide(text);
  };
  HWND notebook = form.TabbedNotebook1.Handle();
  for (int tab = 0; tab < 4; ++tab) {
    wchar_t caption[32] = {};
    TCITEMW item{TCIF_TEXT, 0, 0, caption, 32, 0, 0};
    SendMessageW(notebook, TCM_GETITEMW, tab, reinterpret_cast<LPARAM>(&item));
    RECT box{};
    SendMessageW(notebook, TCM_GETITEMRECT, tab, reinterpret_cast<LPARAM>(&box));
    fits(notebook, caption, box);
  }
  for (const ComboBox* combo : {&form.ComboBox1, &form.ComboBox2, &form.ComboBox3}) {
    RECT client{};
    GetClientRect(combo->Handle(), &client);
    ASSERT_GT(combo->Count(), 0);
    for (WPARAM part : {WPARAM{0}, static_cast<WPARAM>(-1)}) {  // a dropped item, the field
      const RECT box{0, 0, client.right, static_cast<LONG>(combo->Send(CB_GETITEMHEIGHT, part))};
      for (int i = 0; i < combo->Count(); ++i)
        fits(combo->Handle(), ToWide(combo->Item(i)), box, GetSystemMetrics(SM_CXVSCROLL));
    }
  }
  for (const ListView* view : {&form.ListView1, &form.ListView2}) {
    ASSERT_GT(view->Count(), 0);
    RECT row{LVIR_LABEL, 0, 0, 0};
    view->Send(LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    fits(view->Handle(), ToWide(view->Cell(0, 0)), row);
  }
  // Buttons, the check box, labels, fields, swatches and group frames; the memo scrolls.
  for (const Place& place : kPlaces) {
    HWND control = FindById(form.Handle(), place.id);
    const std::wstring caption = ToWide(WindowText(control));
    if (caption.empty() || place.id == id::Memo1 || place.id == id::TabbedNotebook1) continue;
    RECT client{};
    GetClientRect(control, &client);
    const bool frame = place.id >= id::GroupBox1 && place.id <= id::GroupBox8;
    fits(control, caption, client, place.id == id::CheckBox1 ? GetSystemMetrics(SM_CXMENUCHECK) : frame ? 8 : 0);
  }
}

TEST_F(FormTest, StartsInItsLayoutStateWithDefaultOptions) {
  TForm1& form = Open();
  EXPECT_EQ(WindowText(form.Handle()), msg::kWindowTitle);
  EXPECT_EQ(form.Memo1.GetText(), msg::kMemoInitial);
  EXPECT_EQ(form.StaticText5.GetText(), "");
  EXPECT_EQ(form.ProgressBar1.Position(), 0);
  EXPECT_EQ(form.ProgressBar1.Max(), 100);
  EXPECT_EQ(Buttons(form), "10001");
  EXPECT_TRUE(GetWindowLongW(form.Page1.Handle(), GWL_STYLE) & WS_VISIBLE);
  for (const Control* page : {&form.Page2, &form.Page3, &form.Page4})
    EXPECT_FALSE(GetWindowLongW(page->Handle(), GWL_STYLE) & WS_VISIBLE);
  EXPECT_EQ(form.TabbedNotebook1.Send(TCM_GETITEMCOUNT), 4);
  EXPECT_EQ(form.ComboBox1.Count() + form.ComboBox3.Count() + form.ListView1.Count() + form.ListView2.Count(), 0);

  // Table page without a settings file
  EXPECT_EQ(form.Edit1.GetText(), "test");
  EXPECT_EQ(form.ComboBox2.ItemIndex(), 0);
  EXPECT_EQ(Items(form.ComboBox2), (TextList{"無し", "通常", "２桁表示"}));
  EXPECT_EQ((TextList{form.StaticText1.GetText(), form.StaticText2.GetText(), form.StaticText3.GetText(),
                      form.StaticText4.GetText()}),
            (TextList{"000000", "FFFF99", "FFFFFF", "99FFFF"}));
  EXPECT_FALSE(form.CheckBox1.Checked());
  EXPECT_FALSE(form.Label4.Enabled());
  EXPECT_FALSE(form.StaticText4.Enabled());
  EXPECT_TRUE(dialogs_.messages.empty() && dialogs_.errors.empty());
}

TEST_F(FormTest, OpensAsTheLauncherAsksAndClosesWithoutSaving) {
  struct Case {
    int show;
    bool maximised, minimised;
  } cases[] = {{SW_SHOWMAXIMIZED, true, false}, {SW_SHOWMINNOACTIVE, false, true},
               {SW_SHOWMINIMIZED, false, false}, {SW_SHOWDEFAULT, false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.show);
    TForm1& form = Open();
    form.Show(c.show);
    EXPECT_EQ(IsZoomed(form.Handle()) != FALSE, c.maximised);
    EXPECT_EQ(IsIconic(form.Handle()) != FALSE, c.minimised);
    SendMessageW(form.Handle(), WM_CLOSE, 0, 0);  // never refused
    EXPECT_EQ(form.Handle(), nullptr);
  }
  EXPECT_TRUE(std::filesystem::is_empty(folder_.Path()));
  EXPECT_EQ(GetFileAttributesW(ini_.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(FormTest, RefusedRunsChangeOnlyWhatTheyShould) {
  TForm1& form = Open();
  Click(form.Button1);  // no list.txt
  EXPECT_EQ(dialogs_.messages, (TextList{msg::kListNotFound}));
  EXPECT_EQ(form.StaticText5.GetText(), "");

  std::filesystem::create_directory("list.txt");  // a folder is no list
  Click(form.Button1);
  EXPECT_EQ(dialogs_.messages.back(), msg::kListNotFound);
  EXPECT_EQ(form.StaticText5.GetText(), "");
  std::filesystem::remove("list.txt");

  struct Case {
    const char* list;
    const char* status;
  } cases[] = {{"", "参加数: 0"}, {"ひとり\r\n", "参加数: 1"}};
  for (const Case& c : cases) {
    dialogs_.messages.clear();
    List(c.list);
    Click(form.Button1);
    EXPECT_EQ(dialogs_.messages, (TextList{msg::kTooFewMembers}));
    EXPECT_EQ(form.StaticText5.GetText(), c.status);
    EXPECT_EQ(form.Memo1.GetText(), msg::kMemoInitial);
    EXPECT_EQ(Buttons(form), "10001");
  }

  // A list that exists but cannot be opened reaches the error box.
  List("A\r\nB\r\n");
  HANDLE locked = CreateFileA("list.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  Click(form.Button1);
  CloseHandle(locked);
  EXPECT_EQ(dialogs_.errors, (TextList{"ファイル ./list.txt は開けません"}));
  EXPECT_FALSE(form.Button2.Enabled());
}

TEST_F(FormTest, TwoNamesFillEveryViewAndEnableTheOutputs) {
  TForm1& form = Open();
  List("A\r\nB\r\n");
  Click(form.Button1);
  EXPECT_TRUE(dialogs_.messages.empty());
  const Text listing = "<<第1回戦>>\r\nA  <- VS ->  B\r\n******************************\r\n\r\n";
  EXPECT_EQ(listing.size(), 63u);
  EXPECT_EQ(form.Listing(), listing);
  EXPECT_EQ(form.Memo1.GetText(), listing);
  EXPECT_EQ(form.StaticText5.GetText(), "参加数: 2");
  EXPECT_EQ(Buttons(form), "11111");
  EXPECT_EQ(Items(form.ComboBox1), (TextList{"A", "B"}));
  EXPECT_EQ(Items(form.ComboBox3), (TextList{"第 1 戦"}));
  EXPECT_EQ(form.ComboBox1.ItemIndex(), 0);
  EXPECT_EQ(form.ComboBox3.ItemIndex(), 0);
  EXPECT_EQ(Rows(form.ListView1, 0), (TextList{"第 1 回戦"}));
  EXPECT_EQ(Rows(form.ListView1, 1), (TextList{"B"}));
  EXPECT_EQ(Rows(form.ListView2), (TextList{"A VS B"}));
  EXPECT_EQ(form.ProgressBar1.Max(), 1);
  // The second column takes the rest of the view's width.
  RECT client{};
  GetClientRect(form.ListView1.Handle(), &client);
  EXPECT_EQ(form.ListView1.ColumnWidth(0) + form.ListView1.ColumnWidth(1), client.right);
}

TEST_F(FormTest, LaterRunsReplaceOrEmptyTheViewsButKeepTheListing) {
  TForm1& form = Open();
  List("A\r\nB\r\nC\r\nD\r\nE\r\n");
  Click(form.Button1);
  EXPECT_EQ(form.StaticText5.GetText(), "参加数: 5");
  EXPECT_EQ(form.ComboBox1.Count(), 5);
  EXPECT_EQ(Items(form.ComboBox3).back(), "第 5 戦");
  EXPECT_EQ(form.ListView1.Count(), 5);
  EXPECT_EQ(form.ListView2.Count(), 3);
  // 10 steps on a bar of 5: it starts over, and no run resets it.
  EXPECT_EQ(form.ProgressBar1.Max(), 5);
  EXPECT_GT(form.ProgressBar1.Position(), 0);

  List("W\r\nX\r\nY\r\nZ\r\n");  // four after five
  Click(form.Button1);
  EXPECT_EQ(Items(form.ComboBox1), (TextList{"W", "X", "Y", "Z"}));
  EXPECT_EQ(Items(form.ComboBox3), (TextList{"第 1 戦", "第 2 戦", "第 3 戦"}));
  EXPECT_EQ(form.ListView1.Count(), 3);
  EXPECT_EQ(Rows(form.ListView2), (TextList{"W VS X", "Y VS Z"}));
  EXPECT_EQ(form.ProgressBar1.Max(), 3);
  EXPECT_EQ(form.Memo1.GetText(), form.Listing());
  const Text listing = form.Listing();
  EXPECT_NE(listing.find("W  <- VS ->  X"), Text::npos);

  List("ひとり\r\n");  // refused after a success
  Click(form.Button1);
  EXPECT_EQ(dialogs_.messages, (TextList{msg::kTooFewMembers}));
  EXPECT_EQ(form.StaticText5.GetText(), "参加数: 1");
  EXPECT_EQ(form.Memo1.GetText(), listing);
  EXPECT_EQ(form.Listing(), listing);
  EXPECT_EQ(Buttons(form), "11111");
  EXPECT_EQ(form.ComboBox1.ItemIndex(), -1);
  EXPECT_EQ(form.ComboBox1.Count() + form.ComboBox3.Count() + form.ListView1.Count() + form.ListView2.Count(), 0);
  EXPECT_EQ(form.ProgressBar1.Max(), 3);
}

TEST_F(FormTest, ChoosingAnItemRebuildsOnlyItsView) {
  TForm1& form = Open();
  List("A\r\nB\r\nC\r\n");
  Click(form.Button1);
  EXPECT_EQ(Rows(form.ListView2), (TextList{"A VS B", "C VS [試合無し]"}));

  Choose(form.ComboBox1, 1);
  EXPECT_EQ(Rows(form.ListView1, 0), (TextList{"第 1 回戦", "第 2 回戦", "第 3 回戦"}));
  EXPECT_EQ(Rows(form.ListView1, 1), (TextList{"A", "[試合無し]", "C"}));
  EXPECT_EQ(Rows(form.ListView2), (TextList{"A VS B", "C VS [試合無し]"}));

  Choose(form.ComboBox3, 1);
  EXPECT_EQ(Rows(form.ListView2), (TextList{"A VS C", "[試合無し] VS B"}));
  EXPECT_EQ(Rows(form.ListView1, 1), (TextList{"A", "[試合無し]", "C"}));

  Choose(form.ComboBox3, 1);  // the same item again
  EXPECT_EQ(Rows(form.ListView2), (TextList{"A VS C", "[試合無し] VS B"}));
}

using testing_support::ClipboardBytes;

TEST_F(FormTest, CopyAndSaveHandOverTheListingBytes) {
  TForm1& form = Open();
  List("山田\r\n鈴木\r\nLi\r\n");
  Click(form.Button1);
  const Text listing = form.Listing();
  // Three rounds of header 13, two pairs of 14 + names (every slot once:
  // 4 + 4 + 2 + the bye's 10), separator 32 and empty line 2.
  ASSERT_EQ(listing.size(), 3u * (13 + 2 * 14 + 20 + 32 + 2));

  Click(form.Button2);
  EXPECT_EQ(dialogs_.messages, (TextList{msg::kCopied}));
  EXPECT_EQ(ClipboardBytes(CF_TEXT), listing);
  const std::wstring wide = ToWide(listing);
  EXPECT_EQ(ClipboardBytes(CF_UNICODETEXT),
            std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t)));
  EXPECT_EQ(ClipboardBytes(CF_LOCALE).value_or("").substr(0, 4), std::string("\x11\x04\0\0", 4));

  // Held for a moment by another reader, as clipboard history does: waited for.
  HANDLE held = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread reader([held] {
    OpenClipboard(nullptr);
    SetEvent(held);
    Sleep(40);
    CloseClipboard();
  });
  WaitForSingleObject(held, 5000);
  Click(form.Button2);
  reader.join();
  CloseHandle(held);
  EXPECT_EQ(dialogs_.messages.back(), msg::kCopied);

  WriteWholeFile("table.txt", std::string(5000, 'x'));  // longer: truncated
  Click(form.Button3);
  EXPECT_EQ(dialogs_.messages.back(), msg::kListingSaved);
  EXPECT_EQ(ReadFile("table.txt"), listing);
  Click(form.Button3);
  EXPECT_EQ(ReadFile("table.txt"), listing);
  EXPECT_TRUE(dialogs_.errors.empty());
}

TEST_F(FormTest, FailuresReachTheErrorBoxAndTheWindowGoesOn) {
  TForm1& form = Open();
  List("A\r\nB\r\n");
  Click(form.Button1);
  dialogs_.messages.clear();

  std::filesystem::create_directory("table.txt");
  std::filesystem::create_directory("table.html");
  Click(form.Button3);
  Click(form.Button4);
  EXPECT_EQ(dialogs_.errors,
            (TextList{"ファイル ./table.txt を作成できません", "ファイル ./table.html を作成できません"}));
  EXPECT_TRUE(dialogs_.messages.empty());

  // The clipboard held by another window cannot be opened.
  HWND other = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(OpenClipboard(other));
  Click(form.Button2);
  CloseClipboard();
  DestroyWindow(other);
  EXPECT_EQ(dialogs_.errors.back(), msg::kClipboardOpen);
  EXPECT_TRUE(dialogs_.messages.empty());

  dialogs_.outOfMemory = true;
  Click(form.Button2);
  EXPECT_EQ(dialogs_.errors.back(), msg::kOutOfMemory);

  Click(form.Button2);  // still usable
  EXPECT_EQ(dialogs_.messages, (TextList{msg::kCopied}));

  // A broken invariant says what it is, not that memory ran out.
  DestroyWindow(form.Memo1.Handle());
  Click(form.Button1);
  EXPECT_EQ(dialogs_.errors.back().rfind(FormatWith(msg::kProgramFault, "SetWindowTextW ("), 0), 0u)
      << dialogs_.errors.back();
}

// A failing fetch is told; only three in a row, with nothing between, end the loop.
TEST_F(FormTest, AFailingMessageLoopIsToldAndEndsOnlyWhenItKeepsFailing) {
  static int failures;
  const auto fetch = [](MSG& message) -> BOOL {
    message = MSG{nullptr, WM_QUIT, 7, 0, 0, {}};
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return failures-- > 0 ? -1 : 0;
  };
  TForm1& form = Open();
  failures = 2;
  EXPECT_EQ(form.RunMessageLoop(fetch), 7);
  failures = 9;
  EXPECT_EQ(form.RunMessageLoop(fetch), 1);
  EXPECT_EQ(dialogs_.errors, TextList(5, FormatWith(msg::kProgramFault, "GetMessageW (Win32 1400)")));
}

// ---- keyboard

std::vector<HWND> TabWalk(TForm1& form, HWND start, int steps) {
  SetFocus(start);
  std::vector<HWND> seen;
  for (int i = 0; i < steps; ++i) {
    MSG key{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_TRUE(form.PreTranslateMessage(key));
    seen.push_back(GetFocus());
  }
  return seen;
}

TEST_F(FormTest, TabWalksTheTabOrderOfTheShownPage) {
  TForm1& form = OpenInFrontAfterRun("A\r\nB\r\n");

  EXPECT_EQ(TabWalk(form, form.TabbedNotebook1.Handle(), 5),
            (std::vector<HWND>{form.Memo1.Handle(), form.Button2.Handle(), form.Button3.Handle(),
                               form.Button1.Handle(), form.TabbedNotebook1.Handle()}));
  // Tab into the title selects it for typing over; into the memo it selects nothing.
  auto selection = [](const Control& box) {
    DWORD from = 0, to = 0;
    box.Send(EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    return std::pair<DWORD, DWORD>(from, to);
  };
  TabWalk(form, form.TabbedNotebook1.Handle(), 1);
  EXPECT_EQ(selection(form.Memo1), (std::pair<DWORD, DWORD>(0, 0)));

  // Page 4, as a click on its tab shows it.
  form.TabbedNotebook1.Send(TCM_SETCURSEL, 3);
  NMHDR change{form.TabbedNotebook1.Handle(), static_cast<UINT_PTR>(id::TabbedNotebook1),
               static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageW(form.Handle(), WM_NOTIFY, id::TabbedNotebook1, reinterpret_cast<LPARAM>(&change));
  EXPECT_TRUE(GetWindowLongW(form.Page4.Handle(), GWL_STYLE) & WS_VISIBLE);
  EXPECT_FALSE(GetWindowLongW(form.Page1.Handle(), GWL_STYLE) & WS_VISIBLE);
  EXPECT_EQ(TabWalk(form, form.TabbedNotebook1.Handle(), 7),
            (std::vector<HWND>{form.CheckBox1.Handle(), form.ComboBox2.Handle(), form.Edit1.Handle(),
                               form.Button4.Handle(), form.Button5.Handle(), form.Button1.Handle(),
                               form.TabbedNotebook1.Handle()}));
  EXPECT_EQ(selection(form.Edit1), (std::pair<DWORD, DWORD>(0, static_cast<DWORD>(form.Edit1.Send(WM_GETTEXTLENGTH)))));
  form.Button4.SetEnabled(false);  // a disabled button is passed over
  EXPECT_EQ(TabWalk(form, form.Edit1.Handle(), 1), (std::vector<HWND>{form.Button5.Handle()}));
}

TEST_F(FormTest, NothingAChildSendsClosesAContainer) {
  TForm1& form = OpenInFrontAfterRun("A\r\nB\r\nC\r\n");
  const Text listing = form.Memo1.GetText();
  const Control* containers[] = {&form.Page1,     &form.Page2,     &form.Page3,     &form.Page4,
                                 &form.GroupBox1, &form.GroupBox2, &form.GroupBox3, &form.GroupBox4,
                                 &form.GroupBox5, &form.GroupBox6, &form.GroupBox7, &form.GroupBox8};
  for (const Control* container : containers) SendMessageW(container->Handle(), WM_CLOSE, 0, 0);

  // Esc and Enter in the memo through the message loop's key handling: the
  // memo, asked for its dialog code, posts WM_CLOSE to its group box on Esc.
  for (WPARAM key : {VK_ESCAPE, VK_RETURN}) {
    SetFocus(form.Memo1.Handle());
    MSG down{form.Memo1.Handle(), WM_KEYDOWN, key, 0, 0, {}};
    if (!form.PreTranslateMessage(down)) DispatchMessageW(&down);
    for (MSG posted; PeekMessageW(&posted, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&posted);
  }
  for (const Control* container : containers)
    EXPECT_TRUE(IsWindow(container->Handle())) << GetDlgCtrlID(container->Handle());
  EXPECT_TRUE(IsWindow(form.Memo1.Handle()));
  EXPECT_EQ(form.Memo1.GetText(), listing);
  EXPECT_TRUE(dialogs_.errors.empty());
  EXPECT_TRUE(IsWindow(form.Handle()));
}

// ---- table page

TEST_F(FormTest, SavedOptionsComeBackInAFreshWindow) {
  {
    TForm1& form = Open();
    form.Edit1.SetText("大会 <1>");
    form.ComboBox2.SetItemIndex(2);
    form.CheckBox1.SetChecked(true);
    Click(form.CheckBox1);
    EXPECT_TRUE(form.StaticText4.Enabled());
    EXPECT_TRUE(form.Label4.Enabled());
    dialogs_.pickOk = true;
    dialogs_.pickAnswer = 0x0000FF;
    Click(form.StaticText2);  // STN_CLICKED is BN_CLICKED
    Click(form.Button5);
    EXPECT_EQ(dialogs_.messages, (TextList{msg::kSettingsSaved}));
  }
  const TableOptions stored = LoadTableOptions(SettingsPath());
  EXPECT_EQ(stored.Title, "大会 <1>");
  EXPECT_EQ(stored.Number, 2);
  EXPECT_EQ(stored.MemberColor, 0x0000FF);
  EXPECT_TRUE(stored.PointInt);

  TForm1& again = Open();
  EXPECT_EQ(again.Edit1.GetText(), "大会 <1>");
  EXPECT_EQ(again.ComboBox2.ItemIndex(), 2);
  EXPECT_TRUE(again.CheckBox1.Checked());
  EXPECT_TRUE(again.StaticText4.Enabled());
  EXPECT_EQ(again.StaticText2.Color(), 0x0000FF);
  EXPECT_EQ(again.StaticText2.GetText(), "FF0000");
  EXPECT_EQ(again.StaticText1.GetText(), "000000");

  // An index outside the list leaves nothing selected and saves -1.
  WritePrivateProfileStringW(L"HTMLOption", L"Number", L"5", ini_.c_str());
  TForm1& third = Open();
  EXPECT_EQ(third.ComboBox2.ItemIndex(), -1);
  Click(third.Button5);
  EXPECT_EQ(LoadTableOptions(SettingsPath()).Number, -1);
}

TEST_F(FormTest, SwatchClicksPickColoursOnlyWhenEnabled) {
  TForm1& form = Open();
  // OK: colour and caption together, and the custom slots carry over.
  dialogs_.pickOk = true;
  dialogs_.pickAnswer = 0x336699;
  Click(form.StaticText1);
  EXPECT_EQ(dialogs_.pickedFrom, (std::vector<ColorValue>{0}));
  EXPECT_EQ(dialogs_.slotsSeen, TextList(16, "FFFFFFFF"));
  EXPECT_EQ(form.StaticText1.Color(), 0x336699);
  EXPECT_EQ(form.StaticText1.GetText(), "996633");

  // Cancel: nothing changes.
  dialogs_.pickOk = false;
  Click(form.StaticText1);
  EXPECT_EQ(dialogs_.pickedFrom.back(), 0x336699);
  EXPECT_EQ(dialogs_.slotsSeen[0], "123456");
  EXPECT_EQ(form.StaticText1.Color(), 0x336699);
  EXPECT_EQ(form.StaticText1.GetText(), "996633");

  // A real mouse click on the disabled points swatch does nothing.
  ASSERT_FALSE(form.StaticText4.Enabled());
  const size_t picks = dialogs_.pickedFrom.size();
  SendMessageW(form.StaticText4.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageW(form.StaticText4.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(dialogs_.pickedFrom.size(), picks);

  // Ticking the box enables it; clearing it keeps colour and caption.
  dialogs_.pickOk = true;
  form.CheckBox1.Send(BM_CLICK);
  EXPECT_TRUE(form.CheckBox1.Checked());
  EXPECT_TRUE(form.StaticText4.Enabled());
  EXPECT_TRUE(form.Label4.Enabled());
  SendMessageW(form.StaticText4.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageW(form.StaticText4.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(dialogs_.pickedFrom.size(), picks + 1);
  form.CheckBox1.Send(BM_CLICK);
  EXPECT_FALSE(form.StaticText4.Enabled());
  EXPECT_FALSE(form.Label4.Enabled());
  EXPECT_EQ(form.StaticText4.GetText(), "996633");
}

TEST_F(FormTest, HtmlTableIsWrittenFromTheTablesAndTheControls) {
  TForm1& form = Open();
  List("A\r\nB\r\n");
  Click(form.Button1);
  form.ComboBox2.SetItemIndex(2);
  form.CheckBox1.Send(BM_CLICK);
  form.Edit1.SetText("総当り対戦表");
  Click(form.Button4);
  EXPECT_EQ(dialogs_.messages, (TextList{msg::kHtmlSaved}));
  const std::string html = ReadFile("table.html");
  size_t lines = 0;
  for (size_t at = html.find("\r\n"); at != std::string::npos; at = html.find("\r\n", at + 2)) ++lines;
  EXPECT_EQ(lines, 22u);
  EXPECT_NE(html.find("総当り対戦表"), std::string::npos);
  EXPECT_NE(html.find("FFFF99"), std::string::npos);
  EXPECT_NE(html.find("99FFFF"), std::string::npos);
  EXPECT_EQ(html.substr(html.size() - 16), "</body></html>\r\n");

  // A pasted title longer than a text box's default limit goes in whole.
  const std::wstring pasted(40000, L'x');
  ASSERT_TRUE(OpenClipboard(form.Handle()));
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (pasted.size() + 1) * sizeof(wchar_t));
  memcpy(GlobalLock(block), pasted.c_str(), (pasted.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(block);
  SetClipboardData(CF_UNICODETEXT, block);
  CloseClipboard();
  form.Edit1.Send(EM_SETSEL, 0, -1);
  form.Edit1.Send(WM_PASTE);
  Click(form.Button4);
  EXPECT_NE(ReadFile("table.html").find("<caption>" + std::string(40000, 'x') + "</caption>"), std::string::npos);

  // After a refused run the button stays enabled and writes what the tables hold.
  List("");
  Click(form.Button1);
  DeleteFileA("table.html");
  Click(form.Button4);
  EXPECT_EQ(dialogs_.messages.back(), msg::kHtmlSaved);
  const std::string again = ReadFile("table.html");
  EXPECT_EQ(again.substr(0, 45), "<html><head><meta charset=\"Shift_JIS\"><title>");
  EXPECT_NE(again.find(">---</font></td>"), std::string::npos);
  EXPECT_TRUE(dialogs_.errors.empty());
}

}  // namespace
}  // namespace rinban
