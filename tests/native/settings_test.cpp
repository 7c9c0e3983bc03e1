#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "../common/settings_cases.h"
#include "../common/support.h"
#include "table/ini.h"
#include "table/options.h"
#include "table/settings.h"

namespace rinban {
namespace {

TEST(ProfileInt, AcceptedForms) {
  const struct {
    const char* text;
    int32_t want;
  } cases[] = {
      {"0", 0},          {"7", 7},           {"+7", 7},          {"-7", -7},
      {"007", 7},        {"-0", 0},          {"   42", 42},       {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},            {"0000000000002147483647", 2147483647},
      {"$FF", 255},      {"xff", 255},       {"XfF", 255},       {"0x10", 16},
      {"0X10", 16},      {"$FFFFFFFF", -1},  {"$80000000", INT32_MIN},
      {"$000000000FF0000", 0xFF0000},        {"  $0", 0},        {"$00000000000", 0},
      {"16711680", 0xFF0000},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseProfileInt(c.text), std::optional<int32_t>(c.want)) << '"' << c.text << '"';
  }
}

TEST(ProfileInt, RejectedForms) {
  const char* cases[] = {
      "",          " ",          "+",          "-",          "abc",        "yes",
      "1 ",        "1x",         "\t1",        "1.0",        "- 1",        "$",
      "x",         "0x",         "0X",         "-$1",        "+0x1",       "-x1",
      "$1FFFFFFFF", "$123456789", "2147483648", "-2147483649", "99999999999999999999",
      "$G",        "0xFG",       "$ 1",        "1,000",
  };
  for (const char* c : cases) EXPECT_EQ(ParseProfileInt(c), std::nullopt) << '"' << c << '"';
}

TEST(ProfileValue, QuotedOnlyWhenTheReaderWouldAlterIt) {
  const struct {
    Text value, stored;
  } cases[] = {
      {"plain", "plain"},
      {"", ""},
      {"in side", "in side"},
      {"\"", "\""},                    // one quote alone is kept by the reader
      {"\"a", "\"a"},
      {"a'", "a'"},
      {"'a\"", "'a\""},
      {"表示", "表示"},                // a second byte of 0x5C is not a blank or quote
      {"　全角　", "　全角　"},        // the full-width space survives the reader
      {" a", "\" a\""},
      {"a ", "\"a \""},
      {"\ta", "\"\ta\""},
      {"\"a\"", "\"\"a\"\""},
      {"'a'", "\"'a'\""},
      {"\"\"", "\"\"\"\""},
  };
  for (const auto& c : cases) EXPECT_EQ(QuoteProfileValue(c.value), c.stored) << c.value;
}

// A settings file in a fresh working folder, written as another program would.
class Settings : public testing::Test {
 protected:
  void Raw(std::string_view bytes) const { std::ofstream(name_, std::ios::binary) << bytes; }
  std::string Slurp() const {
    std::ifstream in(name_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  testing_support::WorkFolder folder_{"rinban-settings"};
  const char* name_ = "prog.INI";
  const WidePath path_ = WidePathOf(name_);
};

TEST_F(Settings, IntAndBoolKeys) {
  const struct {
    const char* stored;
    int32_t asInt;  // with default 99
    bool asBool;    // with default false
  } cases[] = {
      {"0x10", 16, true},       {"0XfF", 255, true},  {"$FF0000", 0xFF0000, true},
      {"0x", 99, false},        {"0", 0, false},      {"2", 2, true},
      {"-1", -1, true},         {"yes", 99, false},   {"", 99, false},
      {" 5 ", 5, true},         {"\"5 \"", 99, false}, {"00x5", 99, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    Raw(std::string("[S]\r\nK=") + c.stored + "\r\n");
    const SettingsFile file(path_);
    EXPECT_EQ(file.ReadIntKey("S", "K", 99), c.asInt);
    EXPECT_EQ(file.ReadBoolKey("S", "K", false), c.asBool);
    EXPECT_TRUE(file.ReadBoolKey("S", "missing", true));
  }
  Raw("[S]\r\nK=yes\r\n");
  EXPECT_TRUE(SettingsFile(path_).ReadBoolKey("S", "K", true));
}

TEST_F(Settings, LoadGivesDefaultsForMissingOrMalformedKeys) {
  const TableOptions def = DefaultTableOptions();
  EXPECT_EQ(def.Title, "test");
  EXPECT_EQ(def.MemberColor, 0x99FFFF);
  EXPECT_EQ(def.CelColor, 0xFFFFFF);
  EXPECT_EQ(def.PointColor, 0xFFFF99);

  TableOptions got = LoadTableOptions(path_);
  EXPECT_EQ(got.Title, "test");
  EXPECT_EQ(got.Number, 0);
  EXPECT_EQ(got.FontColor, 0);
  EXPECT_EQ(got.MemberColor, 0x99FFFF);
  EXPECT_EQ(got.CelColor, 0xFFFFFF);
  EXPECT_FALSE(got.PointInt);
  EXPECT_EQ(got.PointColor, 0xFFFF99);

  Raw("[HTMLOption]\r\nTitle=\r\nNumber=abc\r\nFontColor=abc\r\nMemberColor=abc\r\n"
      "CelColor=99999999999\r\nPointInt=abc\r\nPointColor=abc\r\n");
  got = LoadTableOptions(path_);
  EXPECT_EQ(got.Title, "");
  EXPECT_EQ(got.Number, 0);
  EXPECT_EQ(got.MemberColor, 0x99FFFF);
  EXPECT_EQ(got.CelColor, 0xFFFFFF);
  EXPECT_FALSE(got.PointInt);
  EXPECT_EQ(got.PointColor, 0xFFFF99);
}

// The file as the platform's profile functions read and write it, kept
// byte for byte where the save does not set a key.
TEST_F(Settings, TheFileReadsAndSavesAsTheProfileFunctionsHaveIt) {
  // Every value a save writes reads back as it was, the long one cut.
  for (const Text& title : testing_support::RoundTripTitles()) {
    SCOPED_TRACE(testing::PrintToString(title));
    TableOptions saved = DefaultTableOptions();
    saved.Title = title;
    SaveTableOptions(path_, saved);
    EXPECT_EQ(LoadTableOptions(path_).Title, title);
  }
  TableOptions saved = DefaultTableOptions();
  saved.Title = Text(2047, 'y') + "zz";
  SaveTableOptions(path_, saved);
  EXPECT_EQ(LoadTableOptions(path_).Title, Text(2047, 'y'));

  // Names in any case, the first of duplicates, blanks around names and
  // values; another section of the same name and lines before any section
  // do not count.
  Raw("Number=1\n[htmloption]\n  title  =  \"Mine\"  \nTITLE=second\nnumber\nNUMBER=2\n"
      "[Other]\nCelColor=1\n[HTMLOption]\nCelColor=2\nPointColor=3\n");
  TableOptions got = LoadTableOptions(path_);
  EXPECT_EQ(got.Title, "Mine");
  EXPECT_EQ(got.Number, 2) << "a line without '=' is no key: the next one counts";
  EXPECT_EQ(got.CelColor, 0xFFFFFF);
  EXPECT_EQ(got.PointColor, 0xFFFF99);

  // A save sets the keys where they stand, adds the missing ones after the
  // section's last line, and keeps every other byte, line ends included.
  const Text before =
      "; kept\n[Other]\r\nTitle=other\r\n\r\n[HTMLOption]\nfontcolor = 7 ; note\n"
      "Title=old\n; last\n\n[Later]\nX=1";
  Raw(before);
  saved = TableOptions{"新", 2, 1, 2, 3, true, 4};
  SaveTableOptions(path_, saved);
  EXPECT_EQ(Slurp(),
            "; kept\n[Other]\r\nTitle=other\r\n\r\n[HTMLOption]\nfontcolor =1\n"
            "Title=新\n; last\nNumber=2\r\nMemberColor=2\r\nCelColor=3\r\nPointInt=1\r\n"
            "PointColor=4\r\n\n[Later]\nX=1");
  // No section yet: it goes at the end, after a line end for the last line.
  Raw("[Other]\r\nX=1");
  SaveTableOptions(path_, DefaultTableOptions());
  EXPECT_EQ(Slurp(),
            "[Other]\r\nX=1\r\n[HTMLOption]\r\nTitle=test\r\nNumber=0\r\nFontColor=0\r\n"
            "MemberColor=10092543\r\nCelColor=16777215\r\nPointInt=0\r\nPointColor=16777113\r\n");
}

TEST_F(Settings, HandEditedFilesReadAsWindowsReadsThem) {
  for (const auto& edit : testing_support::HandEdits()) {
    Raw(edit.bytes);
    EXPECT_EQ(SettingsFile(path_).ReadTextKey("HTMLOption", edit.key, "<none>"), edit.want)
        << testing::PrintToString(edit.bytes);
  }
}

// Titles saved into files of every encoding, with lines that only the
// file's own encoding holds, come back; the file keeps its encoding.
TEST_F(Settings, EveryTitleSavedComesBackInEveryEncoding) {
  EXPECT_EQ(testing_support::SettingsRoundTripFailure(path_, name_, 500), "");
  EXPECT_EQ(testing_support::Cp932RoundTrip(), "9795 characters, 398 moved, 0 wrong");
  const std::u16string units = u"\xDC00\xD800" u"a\U0001F600\xD800";  // lone surrogates either way round
  EXPECT_EQ(Utf16FromUtf8(Utf8FromUtf16(units)), units);
}

TEST(SettingsPath, ReplaceExtension) {
  const struct {
    Text name, want;
  } cases[] = {
      {"prog.exe", "prog.INI"},
      {"C:\\a.b\\prog", "C:\\a.b\\prog.INI"},
      {"C:\\dir\\prog.exe", "C:\\dir\\prog.INI"},
      {"C:prog", "C:prog.INI"},
      {"C:\\x.y\\", "C:\\x.y\\.INI"},
      {"a.tar.gz", "a.tar.INI"},
      {"", ".INI"},
      {"C:\\Tools\\Prog.EXE", "C:\\Tools\\Prog.INI"},
      {"C:\\d\\prog.表", "C:\\d\\prog.INI"},           // 表 ends in 0x5C
      {"C:\\d.x\\ソフト", "C:\\d.x\\ソフト.INI"},        // ソ ends in 0x5C
      {"C:\\表.d\\prog", "C:\\表.d\\prog.INI"},
      {"prog.\x81", "prog.INI"},                         // a lone lead byte at the end
  };
  for (const auto& c : cases) EXPECT_EQ(ReplaceExtension(c.name, ".INI"), c.want) << c.name;
  // The rule on UTF-16: a unit of 0x5C is always a backslash.
  EXPECT_EQ(ReplaceExtension(std::u16string(u"C:\\表.d\\prog"), u".INI"), u"C:\\表.d\\prog.INI");
  EXPECT_EQ(ReplaceExtension(std::u16string(u"C:\\d\\prog.表"), u".INI"), u"C:\\d\\prog.INI");
  EXPECT_EQ(ReplaceExtension(std::u16string(u"C:\\a.b\\prog"), u".INI"), u"C:\\a.b\\prog.INI");
  const WidePath path = SettingsPath();
  ASSERT_GT(path.size(), 4u);
  EXPECT_EQ(path.substr(path.size() - 4), u".INI");
}

}  // namespace
}  // namespace rinban
