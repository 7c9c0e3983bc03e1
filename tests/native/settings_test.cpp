#include <gtest/gtest.h>

#include "../common/support.h"
#include "platform/profile_memory.h"
#include "table/options.h"
#include "table/settings.h"
#include "text/error.h"

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

class Settings : public testing::Test {
 protected:
  void SetUp() override { NativeProfile().Clear(); }
  const Text path_ = "/tmp/prog.INI";
  MemoryProfile& profile_ = NativeProfile();
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
      {" 5", 5, true},          {"5 ", 99, false},    {"00x5", 99, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    profile_.Write(path_, "S", "K", c.stored);
    SettingsFile file(path_);
    EXPECT_EQ(file.ReadIntKey("S", "K", 99), c.asInt);
    EXPECT_EQ(file.ReadBoolKey("S", "K", false), c.asBool);
  }
  SettingsFile file(path_);
  EXPECT_TRUE(file.ReadBoolKey("S", "missing", true));
  profile_.Write(path_, "S", "K", "yes");
  EXPECT_TRUE(file.ReadBoolKey("S", "K", true));
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
  EXPECT_EQ(profile_.FlushCount(path_), 1);

  for (const char* key : {"Number", "FontColor", "MemberColor", "CelColor", "PointInt", "PointColor"})
    profile_.Write(path_, kOptionsSection, key, "abc");
  profile_.Write(path_, kOptionsSection, "CelColor", "99999999999");
  profile_.Write(path_, kOptionsSection, "Title", "");
  got = LoadTableOptions(path_);
  EXPECT_EQ(got.Title, "");
  EXPECT_EQ(got.Number, 0);
  EXPECT_EQ(got.MemberColor, 0x99FFFF);
  EXPECT_EQ(got.CelColor, 0xFFFFFF);
  EXPECT_FALSE(got.PointInt);
  EXPECT_EQ(got.PointColor, 0xFFFF99);
}

TEST_F(Settings, SaveStopsAtTheFirstFailingKeyAndStillFlushes) {
  const char* order[] = {"Title", "Number", "FontColor", "MemberColor", "CelColor", "PointInt", "PointColor"};
  for (int failing = 0; failing < 7; ++failing) {
    SCOPED_TRACE(order[failing]);
    profile_.Clear();
    profile_.FailWritesOf(path_, order[failing]);
    EXPECT_EQ(testing_support::ErrorOf([&] { SaveTableOptions(path_, DefaultTableOptions()); }),
              path_ + " に書き込めません");
    const auto stored = profile_.Stored(path_);
    for (int k = 0; k < 7; ++k)
      EXPECT_EQ(stored.count({kOptionsSection, order[k]}), k < failing ? 1u : 0u) << order[k];
    EXPECT_EQ(profile_.FlushCount(path_), 1);
  }
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
  const Text path = SettingsPath();
  ASSERT_GT(path.size(), 4u);
  EXPECT_EQ(path.substr(path.size() - 4), ".INI");
}

}  // namespace
}  // namespace rinban
