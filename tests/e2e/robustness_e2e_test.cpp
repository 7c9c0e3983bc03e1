// The real rinban2.exe under hostile input and real faults: every case ends
// in a result, a message or the error box, never a crash or a hang, and the
// next action afterwards still succeeds.
#include <cstdio>
#include <memory>
#include <optional>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "../common/support.h"
#include "harness.h"
#include "schedule/listing.h"
#include "table/html.h"
#include "text/messages.h"
#include "window/control_ids.h"

namespace rinban::e2e {
namespace {

constexpr wchar_t kExe[] = L"" RINBAN_EXE;
constexpr wchar_t kIni[] = L"rinban2.INI";
constexpr char kSmallList[] = "山本\r\n鈴木\r\nLi\r\n";
constexpr DWORD kLongWaitMs = 25000;  // a huge list under Wine
// The settings file as a save writes it, the same in every code page.
constexpr char kSavedIni[] =
    "[HTMLOption]\r\nTitle=\x8F\x74\x82\xCC\x95\x5C \xB1\r\nNumber=1\r\nFontColor=0\r\n"
    "MemberColor=10092543\r\nCelColor=16777215\r\nPointInt=1\r\nPointColor=16777113\r\n";

struct Expected {
  int lines = 0;
  ScheduleTables tables;
  Text listing;
  Text html;  // with the default table options

  // table.html with the default colours.
  Text Html(const Text& title, int32_t style, bool points, const Text& other = "FFFFFF") const {
    CrossTableInput input = testing_support::DefaultCrossTable(tables.MemberNames, title, style, points);
    input.slotCount = tables.RoundCount + 1;
    input.other = other;
    return BuildCrossTableText(input);
  }
};

Expected Expect(std::string_view listBytes) {
  Expected e;
  const TextList names = SplitMemberList(listBytes);
  e.lines = static_cast<int>(names.size());
  e.tables = testing_support::BuiltSchedule(names);
  testing_support::QuietProgress progress;
  e.listing = FormatScheduleListing(e.tables, progress);
  e.html = e.Html("test", 0, false);
  return e;
}

std::string Random(size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& b : bytes) {
    b = static_cast<char>(random() & 0xFF);
    if (b == '\0') b = 'x';  // so the whole file is read, not cut at a NUL
  }
  return bytes;
}

// Generates from list and checks everything a user gets out: status, memo,
// saved listing, HTML, and the clipboard's bytes, all as the code page 932
// list cp932 gives them (the list itself when it is one).
void GenerateAndCheckOutputs(App& app, const Workspace& ws, std::string_view list, const char* what,
                             std::optional<std::string_view> cp932 = std::nullopt) {
  SCOPED_TRACE(what);
  ws.Write(L"list.txt", list);
  const Expected expected = Expect(cp932.value_or(list));
  ASSERT_GE(expected.lines, 2);
  app.ShowPage(0);
  app.Click(id::Button1);
  EXPECT_EQ(app.Text(id::StaticText5), L"参加数: " + std::to_wstring(expected.lines));
  EXPECT_EQ(app.Text(id::Memo1), Wide(expected.listing));
  EXPECT_EQ(app.ItemCount(id::ComboBox1), expected.lines);
  EXPECT_EQ(app.ClickForMessage(id::Button3), L"\"table.txt\"に保存しました。");
  EXPECT_EQ(ws.Read(L"table.txt"), expected.listing);
  EXPECT_EQ(app.ClickForMessage(id::Button2), L"クリップボードにコピーしました。");
  EXPECT_EQ(ClipboardBytes(CF_TEXT), expected.listing);
  app.ShowPage(3);
  EXPECT_EQ(app.ClickForMessage(id::Button4), L"\"table.html\"に保存しました。");
  EXPECT_EQ(ws.Read(L"table.html"), expected.html);
  app.ShowPage(0);
}

// Keeps a screenshot named after the code page; outside code page 932 it
// must match the Japanese run's pixel for pixel, when that run left one.
void ScreenshotLikeJapanese(App& app, const std::wstring& page) {
  const std::wstring shot = Artifact(L"locale-" + std::to_wstring(GetACP()) + L"-" + page + L".bmp");
  app.Screenshot(shot);
  if (GetACP() == 932) return;
  const auto japanese = ReadBytes(Artifact(L"locale-932-" + page + L".bmp"));
  if (!japanese) {
    std::printf("no Japanese screenshot of %ls to compare with\n", page.c_str());
    return;
  }
  EXPECT_TRUE(ReadBytes(shot) == japanese) << Utf8(page) << " looks different from the Japanese run";
}

// After all that, the window still closes and the program ends with code 0.
void CloseCleanly(App& app) {
  EXPECT_TRUE(app.Close());
  EXPECT_EQ(app.ExitCode(), std::optional<DWORD>(0));
}

std::wstring OutOfMemory() { return L"メモリが不足しています."; }

TEST(RobustnessE2E, HostileListsComeOutByteForByte) {
  Workspace ws(kExe);
  auto app = ws.Start();

  // Every byte value but NUL, CR and LF anywhere, lead bytes before line ends
  // and invalid double-byte pairs included.
  GenerateAndCheckOutputs(*app, ws, Random(6000, 20261209), "random bytes");

  // A lead byte with nothing after it in its line, and as the file's last
  // byte; a 3-byte name whose third byte is a lead byte is cut without
  // reading past its end.
  GenerateAndCheckOutputs(*app, ws, "A\x81\r\nAB\x81\r\n\x81\r\n\x82\xA0\x81\nCCC\x81", "lone lead bytes");
  CloseCleanly(*app);
}

TEST(RobustnessE2E, AListSavedInEveryEncodingOfNotepadGivesTheSameOutputs) {
  Workspace ws(kExe);
  auto app = ws.Start();
  // "〜" in its JIS form where the encoding can tell; it reads as CP932's "～".
  const std::string cp932 = "山本\r\n鈴木\r\nLi\r\n～\r\n";
  const std::string utf8(reinterpret_cast<const char*>(u8"山本\r\n鈴木\r\nLi\r\n〜\r\n"));
  const std::u16string utf16 = u"\uFEFF山本\r\n鈴木\r\nLi\r\n〜\r\n";
  GenerateAndCheckOutputs(*app, ws, cp932, "code page 932");
  GenerateAndCheckOutputs(*app, ws, utf8, "UTF-8", cp932);
  GenerateAndCheckOutputs(*app, ws, "\xEF\xBB\xBF" + utf8, "UTF-8 with a mark", cp932);
  GenerateAndCheckOutputs(*app, ws, std::string(reinterpret_cast<const char*>(utf16.data()), 2 * utf16.size()),
                          "UTF-16 LE", cp932);
  CloseCleanly(*app);
}

TEST(RobustnessE2E, HugeListsEndInAResultOrTheMemoryError) {
  Workspace ws(kExe);
  auto app = ws.Start();

  // One line of 10 MB: a list of one, refused, and nothing is lost.
  const std::string longName(10u << 20, 'n');
  ws.Write(L"list.txt", longName);
  Box box = app->ClickForBoxWithin(id::Button1, kLongWaitMs);
  EXPECT_EQ(box.text, L"登録数を２以上にしなければ実行できません。");
  EXPECT_EQ(app->Text(id::StaticText5), L"参加数: 1");

  // The same line with a partner: a schedule of one round, saved whole.
  std::string pair = longName;
  pair += "\r\nB\r\n";
  ws.Write(L"list.txt", pair);
  const Expected expected = Expect(pair);
  app->ClickWithin(id::Button1, kLongWaitMs);
  EXPECT_EQ(app->Text(id::StaticText5), L"参加数: 2");
  EXPECT_EQ(app->ItemCount(id::ComboBox1), 2);
  // Read whole from outside, as automation and screen readers do.
  EXPECT_TRUE(app->Text(id::Memo1) == Wide(expected.listing)) << "the memo read from outside differs";
  box = app->ClickForBoxWithin(id::Button3, kLongWaitMs);
  EXPECT_EQ(box.text, L"\"table.txt\"に保存しました。");
  const auto saved = ws.Read(L"table.txt");
  ASSERT_TRUE(saved.has_value());
  EXPECT_EQ(saved->size(), expected.listing.size());
  EXPECT_TRUE(*saved == expected.listing) << "table.txt differs from the listing";
  box = app->ClickForBoxWithin(id::Button4, kLongWaitMs);
  EXPECT_EQ(box.text, L"\"table.html\"に保存しました。");
  EXPECT_TRUE(ws.Read(L"table.html") == expected.html) << "table.html differs";

  // 100 000 short lines: a schedule of 10^10 entries cannot be held; the
  // run is refused before anything changes.
  std::string many;
  for (int i = 0; i < 100000; ++i) many.append("m").append(std::to_string(i)).append("\r\n");
  ws.Write(L"list.txt", many);
  box = app->ClickForBoxWithin(id::Button1, kLongWaitMs);
  EXPECT_FALSE(box.isMessage);
  EXPECT_EQ(box.text, OutOfMemory());
  EXPECT_EQ(app->Text(id::StaticText5), L"参加数: 2") << "a refused run changes nothing";

  // And the window goes on.
  GenerateAndCheckOutputs(*app, ws, kSmallList, "after the huge lists");
  CloseCleanly(*app);
}

TEST(RobustnessE2E, HostileSettingsGiveTheDefaultsAndSaveStillWorks) {
  auto expectDefaults = [](App& app, const char* what) {
    SCOPED_TRACE(what);
    app.ShowPage(3);
    EXPECT_EQ(app.Text(id::Edit1), L"test");
    EXPECT_EQ(app.Selected(id::ComboBox2), 0);
    EXPECT_EQ(app.Text(id::StaticText1), L"000000");
    EXPECT_EQ(app.Text(id::StaticText2), L"FFFF99");
    EXPECT_EQ(app.Text(id::StaticText3), L"FFFFFF");
    EXPECT_EQ(app.Text(id::StaticText4), L"99FFFF");
    EXPECT_FALSE(app.Checked(id::CheckBox1));
  };

  {
    Workspace ws(kExe);
    ws.Write(kIni, Random(4096, 7));
    auto app = ws.Start();
    expectDefaults(*app, "garbage INI");
    app->SetText(id::Edit1, L"後期");
    EXPECT_EQ(app->ClickForMessage(id::Button5), L"設定を保存しました。");
    app.reset();
    auto again = ws.Start();
    again->ShowPage(3);
    EXPECT_EQ(again->Text(id::Edit1), L"後期") << "saved into the garbage file and read back";
  }
  {
    // 100 KB values: the title comes back cut to 2047 bytes, an endless
    // number gives its default.
    Workspace ws(kExe);
    ws.Write(kIni, "[HTMLOption]\r\nTitle=" + std::string(100 << 10, 't') + "\r\nMemberColor=" +
                       std::string(100 << 10, '1') + "\r\nCelColor=255\r\n");
    auto app = ws.Start();
    app->ShowPage(3);
    EXPECT_EQ(app->Text(id::Edit1), std::wstring(2047, L't'));
    EXPECT_EQ(app->Text(id::StaticText2), L"FFFF99");
    EXPECT_EQ(app->Text(id::StaticText3), L"FF0000") << "the key after the long one is still read";
    // A 30 000-byte title typed in is saved whole and goes into the HTML whole.
    const std::wstring longTitle(30000, L'u');
    app->SetText(id::Edit1, longTitle);
    EXPECT_EQ(app->ClickForMessage(id::Button5), L"設定を保存しました。");
    EXPECT_NE(ws.Read(kIni).value_or("").find("Title=" + std::string(30000, 'u') + "\r\n"),
              std::string::npos);
    ws.Write(L"list.txt", kSmallList);
    app->ShowPage(0);
    app->Click(id::Button1);
    app->ShowPage(3);
    EXPECT_EQ(app->ClickForMessage(id::Button4), L"\"table.html\"に保存しました。");
    EXPECT_EQ(ws.Read(L"table.html"), Expect(kSmallList).Html(std::string(30000, 'u'), 0, false, "FF0000"));
  }
  {
    // The exe in a folder whose name has trail bytes equal to "\\" (表 95 5C,
    // ソ 83 5C) and a dot: the settings file still sits beside the exe.
    TempFolder root;
    const std::wstring folder = root.File(L"表ソ.v2");
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring from = DriverFolder() + L"\\" + kExe;
    ASSERT_TRUE(CopyFileW(from.c_str(), (folder + L"\\" + kExe).c_str(), FALSE));
    {
      App app(folder, kExe);
      app.ShowPage(3);
      app.SetText(id::Edit1, L"表");
      EXPECT_EQ(app.ClickForMessage(id::Button5), L"設定を保存しました。");
    }
    EXPECT_EQ(ReadBytes(folder + L"\\rinban2.INI").value_or("").substr(0, 22),
              "[HTMLOption]\r\nTitle=\x95\x5C");
    App again(folder, kExe);
    again.ShowPage(3);
    EXPECT_EQ(again.Text(id::Edit1), L"表");
  }
  {
    // A folder where the settings file belongs: defaults, then the save
    // fails with the full path, and succeeds once the folder is gone.
    Workspace ws(kExe);
    ASSERT_TRUE(CreateDirectoryW(ws.File(kIni).c_str(), nullptr));
    auto app = ws.Start();
    expectDefaults(*app, "settings path is a folder");
    EXPECT_EQ(app->ClickForError(id::Button5), ws.File(kIni) + L" に書き込めません.");
    ASSERT_TRUE(RemoveDirectoryW(ws.File(kIni).c_str()));
    EXPECT_EQ(app->ClickForMessage(id::Button5), L"設定を保存しました。");
  }
}

TEST(RobustnessE2E, LockedAndMisplacedFilesGiveTheirErrorsAndLoseNothing) {
  Workspace ws(kExe);
  auto app = ws.Start();

  // A folder named list.txt is no list.
  ASSERT_TRUE(CreateDirectoryW(ws.File(L"list.txt").c_str(), nullptr));
  EXPECT_EQ(app->ClickForMessage(id::Button1), L"\"list.txt\" is not found !");
  EXPECT_EQ(app->Text(id::StaticText5), L"");
  ASSERT_TRUE(RemoveDirectoryW(ws.File(L"list.txt").c_str()));

  // A list another program holds without sharing: the error, nothing changed.
  ws.Write(L"list.txt", kSmallList);
  {
    Lock lock(ws.File(L"list.txt"));
    EXPECT_EQ(app->ClickForError(id::Button1), L"ファイル ./list.txt は開けません.");
    EXPECT_EQ(app->Text(id::StaticText5), L"");
    EXPECT_FALSE(app->Enabled(id::Button2));
  }
  const Expected expected = Expect(kSmallList);
  app->Click(id::Button1);
  EXPECT_EQ(app->Text(id::StaticText5), L"参加数: 3");

  // Outputs held by another program: the error, and the held file keeps its bytes.
  const std::string old = "kept as it was\r\n";
  ws.Write(L"table.txt", old);
  ws.Write(L"table.html", old);
  {
    Lock text(ws.File(L"table.txt"));
    Lock html(ws.File(L"table.html"));
    EXPECT_EQ(app->ClickForError(id::Button3), L"ファイル ./table.txt を作成できません.");
    app->ShowPage(3);
    EXPECT_EQ(app->ClickForError(id::Button4), L"ファイル ./table.html を作成できません.");
  }
  EXPECT_EQ(ws.Read(L"table.txt"), old);
  EXPECT_EQ(ws.Read(L"table.html"), old);
  EXPECT_EQ(app->ClickForMessage(id::Button4), L"\"table.html\"に保存しました。");
  EXPECT_EQ(ws.Read(L"table.html"), expected.html);
  app->ShowPage(0);
  EXPECT_EQ(app->ClickForMessage(id::Button3), L"\"table.txt\"に保存しました。");
  EXPECT_EQ(ws.Read(L"table.txt"), expected.listing);

  // The settings file held likewise: the error with its path, no confirmation,
  // the file untouched; then the save goes through.
  const std::string oldIni = "[HTMLOption]\r\nTitle=old\r\n";
  ws.Write(kIni, oldIni);
  app->ShowPage(3);
  {
    Lock ini(ws.File(kIni));
    EXPECT_EQ(app->ClickForError(id::Button5), ws.File(kIni) + L" に書き込めません.");
  }
  EXPECT_EQ(ws.Read(kIni), oldIni);
  EXPECT_EQ(app->ClickForMessage(id::Button5), L"設定を保存しました。");
  EXPECT_NE(ws.Read(kIni), oldIni);
  CloseCleanly(*app);
}

TEST(RobustnessE2E, ClipboardHeldByAnotherProgram) {
  Workspace ws(kExe);
  ws.Write(L"list.txt", kSmallList);
  const Expected expected = Expect(kSmallList);
  auto app = ws.Start();
  app->Click(id::Button1);

  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  EXPECT_EQ(app->ClickForError(id::Button2), L"クリップボードを開くことができません.");
  CloseClipboard();
  EXPECT_EQ(ClipboardBytes(CF_TEXT), std::nullopt) << "the clipboard was changed";

  EXPECT_EQ(app->ClickForMessage(id::Button2), L"クリップボードにコピーしました。");
  EXPECT_EQ(ClipboardBytes(CF_TEXT), expected.listing);
}

// A disk that fills up while table.txt, table.html or the settings file is
// written: the error, the previous files whole, no new file left behind,
// and the window goes on. The disk is a 2 MiB file system CTest mounts
// beside the driver, filled but for 64 KiB; without it this skips.
TEST(RobustnessE2E, AFullDiskGivesTheWriteErrorAndLosesNothing) {
  const std::wstring disk = DriverFolder() + L"\\small-disk";
  ULARGE_INTEGER available{}, total{};
  if (!GetDiskFreeSpaceExW(disk.c_str(), &available, &total, nullptr) || total.QuadPart > (4u << 20))
    GTEST_SKIP() << "no small file system at " << Utf8(disk);
  auto clear = [&] {
    for (const std::wstring& name : FileNames(disk)) DeleteFileW((disk + L"\\" + name).c_str());
  };
  clear();
  CopyExeTo(disk, kExe);
  Text list;
  for (int i = 0; i < 200; ++i) list += (i % 2 ? "選手" : "Player") + ToDecimal(i) + "\r\n";
  const Expected expected = Expect(list);
  const std::string oldText = "the previous listing\r\n", oldHtml = "<html>previous</html>\r\n",
                    oldIni = "[HTMLOption]\r\nTitle=前回\r\n";
  const std::pair<const wchar_t*, std::string> files[] = {
      {L"list.txt", list}, {L"table.txt", oldText}, {L"table.html", oldHtml}, {kIni, oldIni}};
  for (const auto& [name, bytes] : files) WriteBytes(disk + L"\\" + name, bytes);
  ASSERT_TRUE(GetDiskFreeSpaceExW(disk.c_str(), &available, nullptr, nullptr));
  ASSERT_GT(available.QuadPart, 64u << 10);
  WriteBytes(disk + L"\\filler", std::string(available.QuadPart - (64u << 10), 'f'));
  ASSERT_GT(expected.listing.size(), 4 * (64u << 10));
  const std::vector<std::wstring> before = FileNames(disk);
  auto expectAllWhole = [&](const char* after) {
    SCOPED_TRACE(after);
    for (const auto& [name, bytes] : files)
      EXPECT_TRUE(ReadBytes(disk + L"\\" + name) == bytes) << Utf8(name) << " is not as it was";
    EXPECT_EQ(FileNames(disk), before) << "a new file left behind";
  };
  {
    App app(disk, kExe);
    app.Click(id::Button1);
    EXPECT_EQ(app.ClickForError(id::Button3), Wide(msg::kWriteError) + L".");
    expectAllWhole("ファイルに保存");
    app.ShowPage(3);
    EXPECT_EQ(app.ClickForError(id::Button4), Wide(msg::kWriteError) + L".");
    expectAllWhole("表を作成(HTML)");
    app.SetText(id::Edit1, std::wstring(100000, L'x'));
    EXPECT_EQ(app.ClickForError(id::Button5), disk + L"\\" + kIni + L" に書き込めません.");
    expectAllWhole("設定保存");

    EXPECT_EQ(app.ClickForMessage(id::Button2), Wide(msg::kCopied));
    EXPECT_EQ(ClipboardBytes(CF_TEXT), expected.listing);
    // Room again: the same save goes through.
    ASSERT_TRUE(DeleteFileW((disk + L"\\filler").c_str()));
    app.ShowPage(0);
    EXPECT_EQ(app.ClickForMessage(id::Button3), Wide(msg::kListingSaved));
    EXPECT_TRUE(ReadBytes(disk + L"\\table.txt") == expected.listing) << "table.txt differs";
    EXPECT_TRUE(app.Close());
  }
  clear();
}

// A close request while the error box is up (as a task killer posts one to
// every window) ends the program cleanly instead of leaving it half-gone.
TEST(RobustnessE2E, ClosedWhileItsErrorBoxIsOpenEndsCleanly) {
  Workspace ws(kExe);
  ASSERT_TRUE(CreateDirectoryW(ws.File(kIni).c_str(), nullptr));
  auto app = ws.Start();
  const Box box = app->ClickForBox(id::Button5);
  EXPECT_FALSE(box.isMessage);
  PostMessageW(app->Main(), WM_CLOSE, 0, 0);
  EXPECT_EQ(app->ExitCode(5000), std::optional<DWORD>(0));
}

// The same session in every system code page: the window's texts come
// through UTF-16 from CP932 named outright, and the files, the clipboard's
// bytes and the settings file come out identical. CTest runs this once in
// the Japanese locale and once more in a code page 1252 one.
TEST(LocaleE2E, SameTextsAndBytesInAnyCodePage) {
  std::printf("ANSI code page %u\n", GetACP());
  // 春 (8F 74) and 表 (95 5C) have bytes that code page 1252 leaves undefined
  // or reads as a backslash; ｱ (B1) is a single byte in both.
  constexpr char kList[] = "春季リーグ\r\n表計算\r\nｱｲｳ\r\nSuzuki\r\n";
  const std::wstring title = L"春の表 ｱ";
  Workspace ws(kExe);
  ws.Write(L"list.txt", kList);
  auto app = ws.Start();

  EXPECT_EQ(app->Text(app->Main()), Wide(msg::kWindowTitle));
  const struct {
    int id;
    const char* text;
  } captions[] = {{id::Button1, msg::kGenerateButton}, {id::Button2, msg::kCopyButton},
                  {id::Button3, msg::kSaveButton},     {id::Button4, msg::kHtmlButton},
                  {id::Button5, msg::kSettingsButton}, {id::CheckBox1, msg::kPointsCheck},
                  {id::Memo1, msg::kMemoInitial}};
  for (const auto& c : captions) EXPECT_EQ(app->Text(c.id), Wide(c.text)) << "control " << c.id;
  const char* const tabs[] = {msg::kPageAll, msg::kPageMember, msg::kPageRound, msg::kPageTable};
  for (int t = 0; t < 4; ++t) EXPECT_EQ(app->TabCaption(t), Wide(tabs[t])) << "tab " << t;
  EXPECT_EQ(app->Item(id::ComboBox2, 2), Wide(msg::kNumberTwoDigits));

  app->Click(id::Button1);
  const Expected plain = Expect(kList);
  EXPECT_EQ(app->Text(id::Memo1), Wide(plain.listing));
  EXPECT_EQ(app->Item(id::ComboBox1, 0), L"春季リーグ");
  EXPECT_EQ(app->Cell(id::ListView2, 0, 0), L"春季リーグ VS 表計算");
  ScreenshotLikeJapanese(*app, L"page1");
  EXPECT_EQ(app->ClickForMessage(id::Button2), Wide(msg::kCopied));
  const std::wstring wide = Wide(plain.listing);
  EXPECT_EQ(ClipboardBytes(CF_UNICODETEXT),
            std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t)));
  EXPECT_EQ(ClipboardBytes(CF_TEXT), plain.listing);
  EXPECT_EQ(app->ClickForMessage(id::Button3), Wide(msg::kListingSaved));
  EXPECT_EQ(ws.Read(L"table.txt"), plain.listing);

  app->ShowPage(3);
  app->SetText(id::Edit1, title);
  app->Choose(id::ComboBox2, 1);
  app->Click(id::CheckBox1);
  ScreenshotLikeJapanese(*app, L"page4");
  EXPECT_EQ(app->ClickForMessage(id::Button4), Wide(msg::kHtmlSaved));
  const auto html = ws.Read(L"table.html");
  ASSERT_TRUE(html.has_value());
  EXPECT_NE(html->find("<caption>\x8F\x74\x82\xCC\x95\x5C \xB1</caption>\r\n"), std::string::npos)
      << "the title is not in CP932";
  EXPECT_EQ(*html, plain.Html("\x8F\x74\x82\xCC\x95\x5C \xB1", 1, true));
  EXPECT_EQ(app->ClickForMessage(id::Button5), Wide(msg::kSettingsSaved));
  EXPECT_EQ(ws.Read(kIni), std::string(kSavedIni)) << "the settings file";
  EXPECT_TRUE(app->Close());

  // And back in through the settings file.
  auto again = ws.Start();
  again->ShowPage(3);
  EXPECT_EQ(again->Text(id::Edit1), title);
  EXPECT_EQ(again->Selected(id::ComboBox2), 1);
  EXPECT_TRUE(again->Checked(id::CheckBox1));
}

}  // namespace
}  // namespace rinban::e2e
