#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "../common/settings_cases.h"
#include "../common/support.h"
#include "platform/files.h"
#include "table/color.h"
#include "table/options.h"
#include "table/settings.h"
#include "text/error.h"

namespace rinban {
namespace {

// A settings file in a folder of its own under the temp directory, read and
// written by the program's own code and by the platform's profile functions,
// which must agree on it.
class Profile : public testing::Test {
 protected:
  void WriteRaw(const char* key, const char* value) {
    ASSERT_TRUE(WritePrivateProfileStringA(kOptionsSection, key, value, path_.c_str()));
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path_.c_str());
  }
  Text PlatformRead(const char* key) {
    char buffer[2048] = {};
    const DWORD got = GetPrivateProfileStringA(kOptionsSection, key, "<none>", buffer, sizeof buffer,
                                               path_.c_str());
    return Text(buffer, strnlen(buffer, got));
  }
  // Nothing but the settings file is left in the folder.
  void ExpectOnlyTheFile() {
    for (const auto& entry : std::filesystem::directory_iterator(folder_.Path()))
      EXPECT_EQ(entry.path().filename().string(), "prog.INI");
  }

  testing_support::WorkFolder folder_{"rinban-profile"};
  const Text dir_ = folder_.Path().string(), path_ = dir_ + "\\prog.INI";
  const WidePath wpath_ = WidePathOf(path_);
};

TEST_F(Profile, AllSevenKeysRoundTripThroughTheFile) {
  TableOptions saved{"総当り対戦表", 2, 0x000080, -2147483633, 0x0A0B0C, true, 0x00FF00};
  SaveTableOptions(wpath_, saved);
  const Text file = ReadWholeFile(path_);
  // Plain values are stored as they are, colours as signed decimal.
  for (const char* line : {"Title=総当り対戦表", "Number=2", "FontColor=128",
                           "MemberColor=-2147483633", "PointInt=1", "PointColor=65280"})
    EXPECT_NE(file.find(line), Text::npos) << line;

  EXPECT_EQ(PlatformRead("Title"), saved.Title);
  EXPECT_EQ(PlatformRead("MemberColor"), "-2147483633");
  const TableOptions got = LoadTableOptions(wpath_);
  EXPECT_EQ(got.Title, saved.Title);
  EXPECT_EQ(got.Number, saved.Number);
  EXPECT_EQ(got.FontColor, saved.FontColor);
  EXPECT_EQ(got.MemberColor, saved.MemberColor);
  EXPECT_EQ(got.CelColor, saved.CelColor);
  EXPECT_EQ(got.PointInt, saved.PointInt);
  EXPECT_EQ(got.PointColor, saved.PointColor);
}

TEST_F(Profile, TitlesReadBackExactly) {
  for (const Text& title : testing_support::RoundTripTitles()) {
    SCOPED_TRACE(testing::PrintToString(title));
    TableOptions saved = DefaultTableOptions();
    saved.Title = title;
    SaveTableOptions(wpath_, saved);
    EXPECT_EQ(LoadTableOptions(wpath_).Title, title);
    EXPECT_EQ(PlatformRead("Title"), title) << "the platform reads it otherwise";
  }
}

// Where Wine reads a hand-edited file otherwise than Windows, the case says
// so and only the program's own reading is checked.
TEST_F(Profile, HandEditedFilesReadAsThePlatformReadsThem) {
  for (const auto& edit : testing_support::HandEdits()) {
    SCOPED_TRACE(testing::PrintToString(edit.bytes));
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path_.c_str());
    WriteWholeFile(path_, edit.bytes);
    EXPECT_EQ(SettingsFile(wpath_).ReadTextKey(kOptionsSection, edit.key, "<none>"), edit.want);
    EXPECT_TRUE(edit.wineDiffers || PlatformRead(edit.key) == edit.want) << PlatformRead(edit.key);
  }
}

// The same with Windows' conversions, and a file saved with a mark reads on
// the platform as it was written.
TEST_F(Profile, EveryTitleSavedComesBackInEveryEncoding) {
  EXPECT_EQ(testing_support::SettingsRoundTripFailure(wpath_, path_, 100), "");
  for (const char* mark : {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"}) {
    WriteWholeFile(path_, mark);
    SaveTableOptions(wpath_, {"茘枝 ﾐｷA 髙①", 1, 0, 0, 0, true, 0});
    EXPECT_EQ(PlatformRead("Title"), "茘枝 ﾐｷA 髙①") << testing::PrintToString(ReadWholeFile(path_));
  }
}

TEST_F(Profile, LongTitleIsCutTo2047Bytes) {
  Text title;
  for (int i = 0; i < 3000; ++i) title += static_cast<char>('a' + i % 26);
  TableOptions saved = DefaultTableOptions();
  saved.Title = title;
  SaveTableOptions(wpath_, saved);
  EXPECT_EQ(LoadTableOptions(wpath_).Title, title.substr(0, 2047));
}

// Titles past what the platform's own writer could hold are saved whole.
TEST_F(Profile, HugeTitleIsSavedWhole) {
  for (size_t size : {32767u, 70000u}) {
    SCOPED_TRACE(size);
    TableOptions saved = DefaultTableOptions();
    saved.Title = Text(size - 1, 'x') + "z";
    SaveTableOptions(wpath_, saved);
    EXPECT_NE(ReadWholeFile(path_).find("Title=" + saved.Title + "\r\n"), Text::npos);
    EXPECT_EQ(PlatformRead("Number"), "0") << "the keys after the title";
  }
}

TEST_F(Profile, MissingFileAndKeysGiveDefaults) {
  TableOptions got = LoadTableOptions(wpath_);
  EXPECT_EQ(got.Title, "test");
  EXPECT_EQ(got.Number, 0);
  EXPECT_EQ(got.MemberColor, 0x99FFFF);
  EXPECT_FALSE(got.PointInt);
  WriteRaw("Title", "");
  WriteRaw("PointInt", "yes");
  WriteRaw("Number", "5 ");
  got = LoadTableOptions(wpath_);
  EXPECT_EQ(got.Title, "");
  EXPECT_FALSE(got.PointInt);
  EXPECT_EQ(got.Number, 5);  // the reader drops the trailing blank before parsing
}

TEST_F(Profile, HexAndDecimalColoursLoadAlike) {
  for (const char* stored : {"0xFF0000", "$FF0000", "16711680", "0XFF0000", "xff0000"}) {
    SCOPED_TRACE(stored);
    WriteRaw("MemberColor", stored);
    const TableOptions got = LoadTableOptions(wpath_);
    EXPECT_EQ(got.MemberColor, 0xFF0000);
    EXPECT_EQ(ColorToHex(got.MemberColor), "0000FF");
  }
}

TEST_F(Profile, SystemColourReferenceResolves) {
  WriteRaw("CelColor", "-2147483633");
  const ColorValue cel = LoadTableOptions(wpath_).CelColor;
  EXPECT_EQ(cel, static_cast<ColorValue>(0x8000000F));
  EXPECT_EQ(ResolveColor(cel), static_cast<ColorValue>(GetSysColor(COLOR_BTNFACE)));
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  char hex[7];
  snprintf(hex, sizeof hex, "%02X%02X%02X", GetRValue(face), GetGValue(face), GetBValue(face));
  EXPECT_EQ(ColorToHex(cel), hex);
}

TEST_F(Profile, UnwritableFileStopsTheSaveWithThePath) {
  SaveTableOptions(wpath_, DefaultTableOptions());
  const Text before = ReadWholeFile(path_);
  // Another program holding the file against writers. (A read-only attribute
  // does the same on Windows, but Wine running as root still writes through it.)
  HANDLE held = CreateFileA(path_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const TableOptions changed{"new", 1, 1, 1, 1, true, 1};
  EXPECT_EQ(testing_support::ErrorOf([&] { SaveTableOptions(wpath_, changed); }), path_ + " に書き込めません");
  CloseHandle(held);
  EXPECT_EQ(ReadWholeFile(path_), before);
  EXPECT_EQ(LoadTableOptions(wpath_).Title, "test");
  ExpectOnlyTheFile();

  // A settings path that names a folder cannot be written either.
  EXPECT_EQ(testing_support::ErrorOf([&] { SaveTableOptions(WidePathOf(dir_), changed); }),
            dir_ + " に書き込めません");
}

TEST(SettingsPath, BesideTheExecutable) {
  wchar_t exe[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, exe, MAX_PATH);
  const std::wstring exePath(exe, n);
  EXPECT_EQ(testing_support::WideOf(SettingsPath()), exePath.substr(0, exePath.size() - 4) + L".INI");
}

}  // namespace
}  // namespace rinban
