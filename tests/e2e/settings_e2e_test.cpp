// The settings file of an exe in a Japanese folder, on each code page a
// Japanese user's Windows may have: 932, or 1252, 936 and 65001 (CTest runs
// this once in each). The file holds code page 932 whatever the system's.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "harness.h"
#include "window/control_ids.h"

namespace rinban::e2e {
namespace {

constexpr wchar_t kExe[] = L"" RINBAN_EXE;
// Second bytes of 0x5C in code page 932: 表 95 5C, ソ 83 5C, 十 8F 5C, 能 94 5C.
constexpr wchar_t kFolder[] = L"表ソ 十能";

struct Shown {
  std::string title;  // code page 932
  int number;
  bool points;
};

// The file as a Japanese system leaves it, with colours that are not the defaults.
std::string IniText(const Shown& s) {
  return "[HTMLOption]\r\nTitle=" + s.title + "\r\nNumber=" + std::to_string(s.number) +
         "\r\nFontColor=128\r\nMemberColor=10092543\r\nCelColor=15658734\r\nPointInt=" +
         (s.points ? "1" : "0") + "\r\nPointColor=65280\r\n";
}

void ExpectShown(App& app, const Shown& s) {
  app.ShowPage(3);
  EXPECT_EQ(app.Text(id::Edit1), Wide(s.title));
  EXPECT_EQ(app.Selected(id::ComboBox2), s.number);
  EXPECT_EQ(app.Checked(id::CheckBox1), s.points);
  EXPECT_EQ(app.Text(id::StaticText1), L"800000");
  EXPECT_EQ(app.Text(id::StaticText2), L"FFFF99");
  EXPECT_EQ(app.Text(id::StaticText3), L"EEEEEE");
  EXPECT_EQ(app.Text(id::StaticText4), L"00FF00");
}

// Sets what s shows, from what the window shows now, and saves.
void SaveShown(App& app, const Shown& s) {
  app.ShowPage(3);
  app.SetText(id::Edit1, Wide(s.title));
  app.Choose(id::ComboBox2, s.number);
  if (app.Checked(id::CheckBox1) != s.points) app.Click(id::CheckBox1);
  EXPECT_EQ(app.ClickForMessage(id::Button5), L"設定を保存しました。");
}

TEST(SettingsE2E, SavedBesideTheExeInAJapaneseFolderOnAnyCodePage) {
  std::printf("ANSI code page %u\n", GetACP());
  if (const char* want = std::getenv("RINBAN_EXPECT_ACP")) {
    EXPECT_EQ(GetACP(), std::stoul(want));
  }
  TempFolder root;
  const std::wstring folder = root.File(kFolder), ini = folder + L"\\rinban2.INI";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  CopyExeTo(folder, kExe);

  // Written on a Japanese system: it loads as it stands.
  Shown shown{"総当り対戦表", 2, true};
  WriteBytes(ini, IniText(shown));
  {
    App app(folder, kExe);
    SCOPED_TRACE("the Japanese system's file");
    ExpectShown(app, shown);
  }
  // Bytes that are UTF-8 too, kanji, half-width katakana, and characters
  // from the NEC and IBM rows. The first makes the save start the file with a
  // line that only code page 932 spells, and the line stays.
  const std::string cp932Line = "; 文字コード: シフト JIS\r\n";
  const Shown titles[] = {
      {"茘枝 ﾐｷA", 1, true}, {"春季 総当り戦", 1, false}, {"ｿｳｱﾀﾘ ﾘｰｸﾞ", 0, true}, {"髙橋杯①", 2, false}};
  for (const Shown& s : titles) {
    SCOPED_TRACE(Utf8(Wide(s.title)));
    {
      App app(folder, kExe);
      SaveShown(app, s);
    }
    EXPECT_EQ(ReadBytes(ini), cp932Line + IniText(s));
    App again(folder, kExe);
    ExpectShown(again, s);
  }

  // A failed save names the settings file legibly and changes nothing.
  {
    App app(folder, kExe);
    app.ShowPage(3);
    Lock lock(ini);
    const Box box = app.ClickForBox(id::Button5);
    app.Screenshot(Artifact(L"settings-error-" + std::to_wstring(GetACP()) + L".bmp"), box.hwnd);
    app.Answer(box);
    EXPECT_FALSE(box.isMessage);
    EXPECT_EQ(box.text, ini + L" に書き込めません.");
  }
  EXPECT_EQ(ReadBytes(ini), cp932Line + IniText(titles[3]));
  EXPECT_EQ(FileNames(folder), (std::vector<std::wstring>{L"rinban2.INI", kExe}));
  EXPECT_EQ(FileNames(root.Path()), std::vector<std::wstring>{kFolder}) << "a stray settings file";
}

// An exe whose path is longer than 260 bytes in code page 932 (Wine starts
// no program from a longer one in characters): the settings file is still
// the one beside it. It runs from a short working folder.
TEST(SettingsE2E, SavedBesideTheExeOnAPathLongerThan260Bytes) {
  TempFolder root;
  std::wstring relative = kFolder;
  std::wstring folder = root.File(relative);
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  while (folder.size() + 40 + 12 < MAX_PATH) {
    const std::wstring part = std::wstring(40, L'能');
    relative += L"\\" + part;
    folder += L"\\" + part;
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  }
  CopyExeTo(folder, kExe);
  ASSERT_GT(Cp932FromUtf16(std::u16string(folder.begin(), folder.end())).size(), 260u);
  const std::wstring exe = relative + L"\\" + kExe, ini = folder + L"\\rinban2.INI";
  WriteBytes(ini, IniText({"前回", 0, false}));
  const Shown shown{"長い場所", 1, true};
  {
    App app(root.Path(), exe);
    SaveShown(app, shown);
  }
  EXPECT_EQ(ReadBytes(ini), IniText(shown));
  EXPECT_EQ(FileNames(root.Path()), std::vector<std::wstring>{kFolder}) << "a stray settings file";
  App again(root.Path(), exe);
  ExpectShown(again, shown);
}

}  // namespace
}  // namespace rinban::e2e
