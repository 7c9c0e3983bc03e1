// The real rinban2.exe, started in a fresh folder with its own copy of the
// exe (the settings file sits beside it) and driven through its controls.
#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "../common/support.h"
#include "harness.h"
#include "schedule/listing.h"
#include "window/control_ids.h"

namespace rinban::e2e {
namespace {

constexpr wchar_t kExe[] = L"" RINBAN_EXE;
constexpr wchar_t kIni[] = L"rinban2.INI";

// Odd on purpose, so the bye shows; CP932 with CR LF as users keep it.
constexpr char kList[] = "山本太郎\r\n鈴木一郎\r\nSuzuki\r\n佐藤花子\r\nLi\r\n";
constexpr int kMembers = 5;

// The schedule as the core builds it, to compare the window against.
ScheduleTables Expected(std::string_view listBytes) {
  return testing_support::BuiltSchedule(SplitMemberList(listBytes));
}

Text Listing(const ScheduleTables& tables) {
  testing_support::QuietProgress progress;
  return FormatScheduleListing(tables, progress);
}

Text Setting(const Workspace& ws, const char* key) {
  char value[256] = {};
  GetPrivateProfileStringA("HTMLOption", key, "<missing>", value, sizeof value, Utf8(ws.File(kIni)).c_str());
  return value;
}

using testing_support::Lines;

void ExpectMemberView(App& app, const ScheduleTables& tables, int slot) {
  const auto rows = MemberRows(tables, slot);
  ASSERT_EQ(app.Rows(id::ListView1), static_cast<int>(rows.size())) << "member " << slot;
  for (size_t r = 0; r < rows.size(); ++r) {
    EXPECT_EQ(app.Cell(id::ListView1, r, 0), Wide(rows[r].Caption)) << "member " << slot << " row " << r;
    EXPECT_EQ(app.Cell(id::ListView1, r, 1), Wide(rows[r].Opponent)) << "member " << slot << " row " << r;
  }
}

void ExpectRoundView(App& app, const ScheduleTables& tables, int round) {
  const TextList rows = RoundRows(tables, round);
  ASSERT_EQ(app.Rows(id::ListView2), static_cast<int>(rows.size())) << "round " << round;
  for (size_t r = 0; r < rows.size(); ++r)
    EXPECT_EQ(app.Cell(id::ListView2, r, 0), Wide(rows[r])) << "round " << round << " row " << r;
}

TEST(WindowE2E, StartsEmptyRefusesWithoutListAndClosesSavingNothing) {
  Workspace ws(kExe);
  auto app = ws.Start();

  RECT client{};
  GetClientRect(app->Main(), &client);
  EXPECT_EQ(client.right, 329);
  EXPECT_EQ(client.bottom, 424);
  const LONG_PTR style = GetWindowLongPtrW(app->Main(), GWL_STYLE);
  EXPECT_FALSE(style & WS_THICKFRAME) << "the frame must not resize";
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);

  EXPECT_TRUE(app->Enabled(id::Button1));
  EXPECT_FALSE(app->Enabled(id::Button2));
  EXPECT_FALSE(app->Enabled(id::Button3));
  EXPECT_FALSE(app->Enabled(id::Button4));
  EXPECT_TRUE(app->Enabled(id::Button5));
  EXPECT_EQ(app->Text(id::Memo1), L"ここに一覧が生成されます。");
  EXPECT_EQ(app->Text(id::StaticText5), L"");
  EXPECT_EQ(app->ItemCount(id::ComboBox1), 0);
  EXPECT_EQ(app->ItemCount(id::ComboBox3), 0);
  EXPECT_EQ(app->Rows(id::ListView1), 0);
  EXPECT_EQ(app->Rows(id::ListView2), 0);
  const wchar_t* const tabs[] = {L"全表示", L"メンバー別", L"１戦ごと", L"表作成"};
  for (int t = 0; t < 4; ++t) EXPECT_EQ(app->TabCaption(t), tabs[t]) << "tab " << t;
  EXPECT_TRUE(app->Visible(id::Page1));
  EXPECT_FALSE(app->Visible(id::Page4));

  // No settings file: the defaults.
  app->ShowPage(3);
  EXPECT_EQ(app->Text(id::Edit1), L"test");
  ASSERT_EQ(app->ItemCount(id::ComboBox2), 3);
  EXPECT_EQ(app->Item(id::ComboBox2, 0), L"無し");
  EXPECT_EQ(app->Item(id::ComboBox2, 1), L"通常");
  EXPECT_EQ(app->Item(id::ComboBox2, 2), L"２桁表示");
  EXPECT_EQ(app->Selected(id::ComboBox2), 0);
  EXPECT_EQ(app->Text(id::StaticText1), L"000000");
  EXPECT_EQ(app->Text(id::StaticText2), L"FFFF99");
  EXPECT_EQ(app->Text(id::StaticText3), L"FFFFFF");
  EXPECT_EQ(app->Text(id::StaticText4), L"99FFFF");
  EXPECT_FALSE(app->Checked(id::CheckBox1));
  EXPECT_FALSE(app->Enabled(id::Label4));
  EXPECT_FALSE(app->Enabled(id::StaticText4));

  // Without list.txt nothing changes, not even the status field.
  app->ShowPage(0);
  EXPECT_EQ(app->ClickForMessage(id::Button1), L"\"list.txt\" is not found !");
  EXPECT_EQ(app->Text(id::StaticText5), L"");
  EXPECT_FALSE(app->Enabled(id::Button2));
  EXPECT_FALSE(app->Enabled(id::Button3));
  EXPECT_EQ(app->Text(id::Memo1), L"ここに一覧が生成されます。");

  EXPECT_TRUE(app->Close()) << "the window did not close on WM_CLOSE";
  EXPECT_FALSE(ws.Exists(L"table.txt"));
  EXPECT_FALSE(ws.Exists(L"table.html"));
  EXPECT_FALSE(ws.Exists(kIni)) << "closing must not save the settings";
}

TEST(WindowE2E, GeneratesBrowsesSavesCopiesAndWritesTheTable) {
  Workspace ws(kExe, kList);
  const ScheduleTables expected = Expected(kList);
  const Text listing = Listing(expected);
  auto app = ws.Start();

  app->Click(id::Button1);
  EXPECT_EQ(app->Text(id::StaticText5), L"参加数: 5");
  EXPECT_TRUE(app->Enabled(id::Button2));
  EXPECT_TRUE(app->Enabled(id::Button3));
  EXPECT_TRUE(app->Enabled(id::Button4));
  EXPECT_EQ(app->Text(id::Memo1), Wide(listing));
  app->Screenshot(Artifact(L"page1.bmp"));

  ASSERT_EQ(app->ItemCount(id::ComboBox1), kMembers);
  for (int s = 0; s < kMembers; ++s) EXPECT_EQ(app->Item(id::ComboBox1, s), Wide(expected.MemberNames[s]));
  const TextList rounds = RoundSelectorItems(expected.RoundCount);
  ASSERT_EQ(app->ItemCount(id::ComboBox3), static_cast<int>(rounds.size()));
  for (size_t r = 0; r < rounds.size(); ++r) EXPECT_EQ(app->Item(id::ComboBox3, r), Wide(rounds[r]));
  EXPECT_EQ(app->Selected(id::ComboBox1), 0);
  EXPECT_EQ(app->Selected(id::ComboBox3), 0);
  ExpectMemberView(*app, expected, 0);
  ExpectRoundView(*app, expected, 0);

  // The last member meets the bye in one round; the middle round has it too.
  app->ShowPage(1);
  app->Choose(id::ComboBox1, kMembers - 1);
  ExpectMemberView(*app, expected, kMembers - 1);
  app->Screenshot(Artifact(L"page2.bmp"));
  app->ShowPage(2);
  app->Choose(id::ComboBox3, 2);
  ExpectRoundView(*app, expected, 2);
  ExpectMemberView(*app, expected, kMembers - 1);  // the other view stays
  app->Screenshot(Artifact(L"page3.bmp"));

  app->ShowPage(0);
  EXPECT_EQ(app->ClickForMessage(id::Button3), L"\"table.txt\"に保存しました。");
  EXPECT_EQ(ReadBytes(ws.File(L"table.txt")), listing);
  EXPECT_EQ(app->ClickForMessage(id::Button2), L"クリップボードにコピーしました。");
  EXPECT_EQ(ClipboardBytes(CF_TEXT), listing);

  app->ShowPage(3);
  app->Screenshot(Artifact(L"page4.bmp"));
  EXPECT_EQ(app->ClickForMessage(id::Button4), L"\"table.html\"に保存しました。");
  const auto html = ReadBytes(ws.File(L"table.html"));
  ASSERT_TRUE(html.has_value()) << "no table.html";
  EXPECT_EQ(html->substr(html->size() - 16), "</body></html>\r\n");
  // Six slots with the bye, no entry numbers, no points column: 9 + 6 + 6 * 8 lines.
  const TextList lines = Lines(*html);
  ASSERT_EQ(lines.size(), 63u);
  EXPECT_EQ(lines[0], "<html><head><meta charset=\"Shift_JIS\"><title>test</title></head>");
  EXPECT_EQ(lines[3], "<caption>test</caption>");
  EXPECT_EQ(lines[4], "<tr><th>　</th>");
  EXPECT_EQ(lines[5], "<th align=\"center\" bgcolor=#FFFF99>山本</th>");
  EXPECT_EQ(lines[7], "<th align=\"center\" bgcolor=#FFFF99>Suz</th>");
  EXPECT_EQ(lines[10], "<th align=\"center\" bgcolor=#FFFF99>[試</th>");
  EXPECT_EQ(lines[11], "</tr>");
  EXPECT_EQ(lines[12], "<tr>");
  EXPECT_EQ(lines[13], "<th align=\"left\" bgcolor=#FFFF99>山本太郎</th>");
  EXPECT_EQ(lines[14], "<td align=\"center\" bgcolor=#FFFFFF><font color=#000000>---</font></td>");
  EXPECT_EQ(lines[15], "<td align=\"center\" bgcolor=#FFFFFF><font color=#000000>　</font></td>");
  EXPECT_EQ(lines[53], "<th align=\"left\" bgcolor=#FFFF99>[試合無し]</th>");
  EXPECT_EQ(lines[59], "<td align=\"center\" bgcolor=#FFFFFF><font color=#000000>---</font></td>");
  EXPECT_EQ(lines[60], "</table>");
  EXPECT_EQ(lines[62], "</body></html>");

  // Laid out anew on a denser monitor, for a person to look at.
  app->MoveToDensity(144);
  app->Screenshot(Artifact(L"page4-144dpi.bmp"));
  EXPECT_TRUE(app->Close());
}

// Real names: spaces, katakana, and a trail byte equal to a backslash (表 is 95 5C),
// through the UTF-16 controls and back out to the files unchanged.
TEST(WindowE2E, SampleListComesOutByteForByte) {
  const auto sample = ReadBytes(DriverFolder() + L"\\e2e-sample-list.txt");
  if (!sample) GTEST_SKIP() << "no e2e-sample-list.txt beside the driver";
  const TextList names = SplitMemberList(*sample);
  const ScheduleTables expected = Expected(*sample);
  const Text listing = Listing(expected);
  Workspace ws(kExe, *sample);
  auto app = ws.Start();

  app->Click(id::Button1);
  EXPECT_EQ(app->Text(id::StaticText5), L"参加数: " + std::to_wstring(names.size()));
  EXPECT_EQ(app->Text(id::Memo1), Wide(listing));
  ASSERT_EQ(app->ItemCount(id::ComboBox1), static_cast<int>(names.size()));
  for (size_t s = 0; s < names.size(); ++s) EXPECT_EQ(app->Item(id::ComboBox1, s), Wide(names[s]));

  EXPECT_EQ(app->ClickForMessage(id::Button3), L"\"table.txt\"に保存しました。");
  EXPECT_EQ(ReadBytes(ws.File(L"table.txt")), listing);
  EXPECT_EQ(app->ClickForMessage(id::Button4), L"\"table.html\"に保存しました。");
  const auto html = ReadBytes(ws.File(L"table.html"));
  ASSERT_TRUE(html.has_value()) << "no table.html";
  for (const Text& name : names)
    EXPECT_NE(html->find("<th align=\"left\" bgcolor=#FFFF99>" + name + "</th>\r\n"), Text::npos)
        << "no row head for " << Utf8(Wide(name));
  EXPECT_TRUE(app->Close());
}

TEST(WindowE2E, TableOptionsAreSavedBesideTheExeAndComeBackOnRestart) {
  Workspace ws(kExe, kList);
  const std::wstring title = L"春季リーグ <A&B>";
  {
    auto app = ws.Start();
    app->ShowPage(3);
    app->SetText(id::Edit1, title);
    app->Choose(id::ComboBox2, 2);
    app->Click(id::CheckBox1);
    EXPECT_TRUE(app->Checked(id::CheckBox1));
    EXPECT_TRUE(app->Enabled(id::Label4));
    EXPECT_TRUE(app->Enabled(id::StaticText4));
    EXPECT_EQ(app->Text(id::StaticText4), L"99FFFF") << "ticking keeps the swatch";

    // The colour picker starts at the swatch's colour: OK keeps it, and the
    // main window is disabled while the picker is open.
    HWND picker = app->MouseClickForDialog(id::StaticText2);
    wchar_t pickerClass[32] = {};
    GetClassNameW(picker, pickerClass, 32);
    EXPECT_STREQ(pickerClass, L"#32770") << "not a dialog";
    EXPECT_FALSE(IsWindowEnabled(app->Main())) << "the picker must be modal";
    app->CloseDialog(picker, IDOK);
    EXPECT_TRUE(IsWindowEnabled(app->Main()));
    EXPECT_EQ(app->Text(id::StaticText2), L"FFFF99");
    picker = app->MouseClickForDialog(id::StaticText4);
    app->CloseDialog(picker, IDCANCEL);
    EXPECT_EQ(app->Text(id::StaticText4), L"99FFFF");

    EXPECT_EQ(app->ClickForMessage(id::Button5), L"設定を保存しました。");
    ASSERT_TRUE(ws.Exists(kIni)) << "no settings file beside the exe";
    EXPECT_EQ(Wide(Setting(ws, "Title")), title);
    EXPECT_EQ(Setting(ws, "Number"), "2");
    EXPECT_EQ(Setting(ws, "FontColor"), "0");
    EXPECT_EQ(Setting(ws, "MemberColor"), "10092543");
    EXPECT_EQ(Setting(ws, "CelColor"), "16777215");
    EXPECT_EQ(Setting(ws, "PointInt"), "1");
    EXPECT_EQ(Setting(ws, "PointColor"), "16777113");

    // The HTML reads the controls: title unescaped, two-digit numbers, points.
    app->ShowPage(0);
    app->Click(id::Button1);
    app->ShowPage(3);
    EXPECT_EQ(app->ClickForMessage(id::Button4), L"\"table.html\"に保存しました。");
    const auto html = ReadBytes(ws.File(L"table.html"));
    ASSERT_TRUE(html.has_value()) << "no table.html";
    const TextList lines = Lines(*html);
    ASSERT_EQ(lines.size(), 70u);  // 9 + 1 + 6 + 6 * 9
    EXPECT_EQ(Wide(lines[0]),
              L"<html><head><meta charset=\"Shift_JIS\"><title>" + title + L"</title></head>");
    EXPECT_EQ(lines[5], "<th align=\"center\" bgcolor=#99FFFF>Pts.</th>");
    EXPECT_EQ(lines[6], "<th align=\"center\" bgcolor=#FFFF99>[01]<br>山本</th>");
    EXPECT_EQ(lines[11], "<th align=\"center\" bgcolor=#FFFF99>[06]<br>[試</th>");
    EXPECT_EQ(lines[14], "<th align=\"left\" bgcolor=#FFFF99>[01]<br>山本太郎</th>");
    EXPECT_EQ(lines[15], "<td align=\"center\" bgcolor=#99FFFF>　</td>");
    EXPECT_TRUE(app->Close());
  }
  auto again = ws.Start();
  again->ShowPage(3);
  EXPECT_EQ(again->Text(id::Edit1), title);
  EXPECT_EQ(again->Selected(id::ComboBox2), 2);
  EXPECT_TRUE(again->Checked(id::CheckBox1));
  EXPECT_TRUE(again->Enabled(id::Label4));
  EXPECT_TRUE(again->Enabled(id::StaticText4));
  EXPECT_EQ(again->Text(id::StaticText2), L"FFFF99");
  EXPECT_EQ(again->Text(id::StaticText4), L"99FFFF");
}

TEST(WindowE2E, FailuresAndRefusalsLeaveTheWindowUsable) {
  Workspace ws(kExe, kList);
  const Text listing = Listing(Expected(kList));
  auto app = ws.Start();
  app->Click(id::Button1);

  // table.txt cannot be created: the error box, then a later save still works.
  ASSERT_TRUE(CreateDirectoryW(ws.File(L"table.txt").c_str(), nullptr));
  EXPECT_EQ(app->ClickForError(id::Button3), L"ファイル ./table.txt を作成できません.");
  ASSERT_TRUE(RemoveDirectoryW(ws.File(L"table.txt").c_str()));
  EXPECT_EQ(app->ClickForMessage(id::Button3), L"\"table.txt\"に保存しました。");
  EXPECT_EQ(ReadBytes(ws.File(L"table.txt")), listing);

  ASSERT_TRUE(CreateDirectoryW(ws.File(L"table.html").c_str(), nullptr));
  EXPECT_EQ(app->ClickForError(id::Button4), L"ファイル ./table.html を作成できません.");

  // Too few names after a good run: selectors and views emptied, the listing
  // and the output buttons stay.
  WriteBytes(ws.File(L"list.txt"), "一人だけ\r\n");
  EXPECT_EQ(app->ClickForMessage(id::Button1), L"登録数を２以上にしなければ実行できません。");
  EXPECT_EQ(app->Text(id::StaticText5), L"参加数: 1");
  EXPECT_EQ(app->Text(id::Memo1), Wide(listing));
  EXPECT_TRUE(app->Enabled(id::Button2));
  EXPECT_TRUE(app->Enabled(id::Button3));
  EXPECT_TRUE(app->Enabled(id::Button4));
  EXPECT_EQ(app->ItemCount(id::ComboBox1), 0);
  EXPECT_EQ(app->ItemCount(id::ComboBox3), 0);
  EXPECT_EQ(app->Rows(id::ListView1), 0);
  EXPECT_EQ(app->Rows(id::ListView2), 0);
  EXPECT_EQ(app->ClickForMessage(id::Button3), L"\"table.txt\"に保存しました。");
  EXPECT_EQ(ReadBytes(ws.File(L"table.txt")), listing) << "save hands over the listing shown";

  ASSERT_TRUE(DeleteFileW(ws.File(L"list.txt").c_str()));
  EXPECT_EQ(app->ClickForMessage(id::Button1), L"\"list.txt\" is not found !");
  EXPECT_EQ(app->Text(id::StaticText5), L"参加数: 1");

  EXPECT_TRUE(app->Close());
}

// ---- real keys and clicks, through the X server

// Without a window manager Wine's screen coordinates are the X screen's.
std::string MouseAt(HWND hwnd, int x, int y) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return "mousemove " + std::to_string(r.left + x) + " " + std::to_string(r.top + y) + " ";
}
std::string MouseAtCentre(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return MouseAt(hwnd, (r.right - r.left) / 2, (r.bottom - r.top) / 2);
}

TEST(KeysE2E, NoKeyOrClickBreaksTheWindow) {
  Workspace ws(kExe, kList);
  auto app = ws.Start();
  app->Click(id::Button1);
  const std::wstring listing = app->Text(id::Memo1);
  auto windows = [&] {
    std::vector<HWND> all = app->Windows();
    std::sort(all.begin(), all.end());
    return all;
  };
  const std::vector<HWND> before = windows();
  ASSERT_EQ(before.size(), 40u);

  // After every key or click: the same windows, no box unless one is
  // expected (then it is answered), the listing still in the memo.
  auto after = [&](const std::string& what, bool boxExpected = false) -> std::string {
    Sleep(30);
    app->Settle();
    std::optional<Box> box = app->FindBox();
    for (int i = 0; boxExpected && !box && i < 60; ++i, Sleep(50)) box = app->FindBox();
    if (box) app->Answer(*box);
    if (box && !boxExpected) return what + " opened a box: " + Utf8(box->text);
    if (!box && boxExpected) return what + " opened no box";
    if (windows() != before) return what + ": " + std::to_string(windows().size()) + " windows, not 40";
    if (app->Text(id::Memo1) != listing) return what + " changed the memo";
    return {};
  };
  auto input = [&](const std::string& args) {
    XInput(args);
    Sleep(30);
    app->Settle();
  };
  input(MouseAtCentre(app->Control(id::Label5)) + "click 1");  // the X focus, on a label that does nothing

  const std::vector<std::vector<int>> pages = {
      {id::Button1, id::TabbedNotebook1, id::Memo1, id::Button2, id::Button3},
      {id::ComboBox1, id::ListView1},
      {id::ComboBox3, id::ListView2},
      {id::CheckBox1, id::ComboBox2, id::Edit1, id::Button4, id::Button5}};
  // Ctrl+Tab last: it moves the focus to the tab row.
  const std::vector<std::vector<std::string>> keys = {
      {"Escape"}, {"Return"}, {"ctrl+Return"}, {"shift+F10", "Escape"}, {"F4", "Escape"},
      {"Delete"}, {"BackSpace"}, {"ctrl+z"}, {"ctrl+x"}, {"ctrl+v"}, {"ctrl+Tab"}};
  auto focusOn = [&](int control) {
    HWND target = app->Control(control);
    return app->Focus() == target || IsChild(target, app->Focus());
  };
  // The page shown, and the focus on control there, by Tab as a user moves it.
  auto reach = [&](size_t page, int control) {
    if (!app->Visible(id::Page1 + static_cast<int>(page))) app->ShowPage(static_cast<int>(page));
    for (int tabs = 0; tabs < 16 && !focusOn(control); ++tabs) input("key Tab");
    return focusOn(control);
  };
  for (size_t page = 0; page < pages.size(); ++page) {
    for (int control : pages[page]) {
      const bool button = control >= id::Button2 && control <= id::Button5;
      for (const std::vector<std::string>& sequence : keys) {
        ASSERT_TRUE(reach(page, control)) << "Tab never reached " << control;
        std::string what = "control " + std::to_string(control) + ":";
        for (const std::string& key : sequence) {
          what += " " + key;
          input("key " + key);
        }
        ASSERT_EQ(after(what, button && sequence[0] == "Return"), "");
        if (sequence[0] == "ctrl+Tab") {
          EXPECT_TRUE(app->Visible(id::Page1 + static_cast<int>((page + 1) % 4))) << what;
          EXPECT_EQ(app->Focus(), app->Control(id::TabbedNotebook1)) << what;
        }
      }
    }
  }

  // The arrow and paging keys move the focus, if at all, only to another
  // control Tab reaches: never to the progress bar, the status field, a
  // label, a swatch or a group frame.
  auto onTabStop = [&] {
    for (size_t page = 0; page < pages.size(); ++page) {
      if (!app->Visible(id::Page1 + static_cast<int>(page))) continue;
      for (int control : pages[page])
        if (focusOn(control)) return true;
    }
    return focusOn(id::Button1) || focusOn(id::TabbedNotebook1);
  };
  for (size_t page = 0; page < pages.size(); ++page) {
    for (int control : pages[page]) {
      for (const char* key : {"Up", "Down", "Left", "Right", "Home", "End", "Prior", "Next"}) {
        ASSERT_TRUE(reach(page, control)) << "Tab never reached " << control;
        input(std::string("key ") + key);
        EXPECT_TRUE(onTabStop()) << "control " << control << ": " << key << " put the focus on "
                                 << GetDlgCtrlID(app->Focus());
      }
      ASSERT_EQ(after("the arrow and paging keys on control " + std::to_string(control)), "");
    }
  }

  const std::pair<int, int> rightClicks[] = {{0, id::Memo1}, {1, id::ListView1}, {2, id::ListView2}, {3, id::Edit1}};
  for (auto [page, control] : rightClicks) {
    app->ShowPage(page);
    input(MouseAtCentre(app->Control(control)) + "click 3");
    input("key Escape");
    ASSERT_EQ(after("right click on " + std::to_string(control)), "");
  }
  const std::tuple<int, int, int> doubleClicks[] = {
      {0, id::Memo1, 30}, {1, id::ListView1, 28}, {2, id::ListView2, 8}, {0, id::TabbedNotebook1, 10}};
  for (auto [page, control, y] : doubleClicks) {
    app->ShowPage(page);
    input(MouseAt(app->Control(control), 40, y) + "click --repeat 2 --delay 80 1");
    ASSERT_EQ(after("double click on " + std::to_string(control)), "");
  }
  app->Screenshot(Artifact(L"keys-sweep.bmp"));

  app->Click(id::Button1);
  EXPECT_EQ(app->Selected(id::ComboBox1), 0);
  EXPECT_EQ(app->Selected(id::ComboBox3), 0);
  EXPECT_EQ(app->Rows(id::ListView1), kMembers);
  EXPECT_GT(app->Rows(id::ListView2), 0);
  EXPECT_TRUE(app->Enabled(id::Button4));
  EXPECT_EQ(app->Text(id::Memo1), listing);

  // Alt+F4 still ends the program.
  XInput("key alt+F4");
  EXPECT_TRUE(app->ExitCode(5000).has_value());
}

}  // namespace
}  // namespace rinban::e2e
