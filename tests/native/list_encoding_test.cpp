#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "../common/cp932_vectors.h"
#include "platform/encoding.h"
#include "schedule/schedule.h"
#include "text/list_encoding.h"

namespace rinban {
namespace {

using std::string_literals::operator""s;

TEST(ListEncoding, DetectedFromTheBytes) {
  constexpr auto Cp932 = ListEncoding::Cp932, Utf8 = ListEncoding::Utf8;
  constexpr auto Le = ListEncoding::Utf16Le, Be = ListEncoding::Utf16Be;
  const struct {
    std::string bytes;
    ListEncoding encoding;
    std::string body;
  } cases[] = {
      {"", Cp932, ""},
      {"A\r\nB", Cp932, "A\r\nB"},
      {"\x8E\x52\x93\x63\r\n\x83\x5C", Cp932, "\x8E\x52\x93\x63\r\n\x83\x5C"},
      {"A\0\xE5\xB1\xB1"s, Cp932, "A"},                       // the text ends at NUL
      {"\xEF\xBB\xBF" "A\r\n", Utf8, "A\r\n"},                // mark dropped
      {"\xEF\xBB\xBF\xFF", Utf8, "\xFF"},                     // the mark decides
      {"\xE5\xB1\xB1\r\n\xF0\x9F\x98\x80", Utf8, "\xE5\xB1\xB1\r\n\xF0\x9F\x98\x80"},
      {"\xE5\xB1\xB1\0\xFF"s, Utf8, "\xE5\xB1\xB1"},
      {"\xC0\xAF", Cp932, "\xC0\xAF"},                        // overlong
      {"\xE0\x80\xAF", Cp932, "\xE0\x80\xAF"},                // overlong
      {"\xED\xA0\x80", Cp932, "\xED\xA0\x80"},                // surrogate
      {"\xF4\x90\x80\x80", Cp932, "\xF4\x90\x80\x80"},        // above U+10FFFF
      {"\xE5\xB1", Cp932, "\xE5\xB1"},                        // cut short
      {"\xFF\xFE" "A\0\n\0"s, Le, "A\0\n\0"s},
      {"\xFE\xFF\0A\0\n"s, Be, "\0A\0\n"s},
      {"\xFF\xFE" "A\0\0\0B\0"s, Le, "A\0"s},                 // ends at U+0000
      {"\xFF\xFE" "A\0\0\0B"s, Le, "A\0"s},                   // odd only after its end
      {"\xFF\xFE" "=\xD8\0\xDE"s, Le, "=\xD8\0\xDE"s},        // a surrogate pair
      {"\xFF\xFE", Le, ""},
      {"\xFF\xFE" "A", Cp932, "\xFF\xFE" "A"},                // odd length
      {"\xFF\xFE" "A\0\0\xD8"s, Cp932, "\xFF\xFE" "A"},        // lone high surrogate
      {"\xFE\xFF\xDC\0"s, Cp932, "\xFE\xFF\xDC"},             // lone low surrogate
  };
  for (const auto& c : cases) {
    const ListBody body = DetectListEncoding(c.bytes);
    EXPECT_EQ(body.encoding, c.encoding) << testing::PrintToString(c.bytes);
    EXPECT_EQ(body.bytes, c.body) << testing::PrintToString(c.bytes);
  }
  EXPECT_EQ(ListUtf16(DetectListEncoding("\xEF\xBB\xBF" "a\xFF\xE5\xB1" "b")), u"a\uFFFD\uFFFD\uFFFDb");
  EXPECT_EQ(ListUtf16(DetectListEncoding("\xFE\xFF\x5C\x71\xD8\x3D\xDE\x00"s)), u"\u5C71\U0001F600");
}

// Lists that are well-formed both ways: each reads as what it was written
// in. The narrow literals are code page 932 in this build.
TEST(ListEncoding, TextsValidBothWaysReadAsWritten) {
  const struct {
    std::u8string_view utf8;
    std::string cp932;  // also what the UTF-8 list must read as
  } lists[] = {
      {u8"Tanaka\r\n瑤子\r\nSato\r\n", "Tanaka\r\n瑤子\r\nSato\r\n"},  // 瑤子 is ea a2 8e 71, "ꢎq"
      {u8"ﾐｷ\r\nﾏｷ\r\nﾕｶ\r\n", "ﾐｷ\r\nﾏｷ\r\nﾕｶ\r\n"},                 // "з", "Ϸ", "ն"
      {u8"Ito\r\n莉絵\r\n笙子", "Ito\r\n莉絵\r\n笙子"},                     // "今G", "♎q"
      {u8"泉台\r\nナオマサ\r\n", "泉台\r\nナオマサ\r\n"},                 // 豕牙床, 繝翫が繝槭し
      {u8"José\r\nMüller\r\nИван\r\n", "Jos?\r\nM?ller\r\nИван\r\n"},  // Josﾃｩ, Mﾃｼller, ﾐ侑ｲﾐｰﾐｽ
  };
  for (const auto& list : lists) {
    const std::string utf8(reinterpret_cast<const char*>(list.utf8.data()), list.utf8.size());
    EXPECT_EQ(DetectListEncoding(utf8).encoding, ListEncoding::Utf8) << testing::PrintToString(utf8);
    EXPECT_EQ(MemberListText(utf8), list.cp932) << testing::PrintToString(utf8);
    EXPECT_EQ(DetectListEncoding(list.cp932).encoding, ListEncoding::Cp932) << testing::PrintToString(list.cp932);
  }
}

// Short lists that the rule before this one misread, a few from each kind
// of name: each is read as written. The letters of every script, marks after
// their letter, typographic punctuation and emoji are no oddity in UTF-8;
// code page 932's reading pays for kana runs no word is made of and for
// kanji and kana glued to Latin words.
TEST(ListEncoding, NamesOfEveryScriptReadAsWritten) {
  constexpr std::u8string_view utf8[] = {
      u8"홍장", u8"투하탄", u8"형법학", u8"형물",                                  // Korean
      u8"พร่ำ", u8"โสธนะ", u8"ปราณี",                                              // Thai
      u8"أضبر", u8"تداعوا", u8"حوز", u8"ضحوا",                                     // Arabic
      u8"ờn", u8"ọp", u8"ốc", u8"ỉm",                                              // Vietnamese
      u8"nhoa\u0323ng", u8"co\u0323\u0302n", u8"ru\u031Bo\u031B\u0323n",           // ... decomposed
      u8"c\u00F4\u0323n", u8"\u00F4\u0323c", u8"l\u01A1\u0301p", u8"b\u01B0\u0323", // ... tone marks apart
      u8"kostenma\u0308\u00DFig", u8"motorizacio\u0301n", u8"hu\u030Cet",          // European, decomposed
      u8"AsCl₄F", u8"C₉H₉N",                                                       // European
      u8"Team ✋🏽", u8"👩‍🚒Mary", u8"⚔️Yuki", u8"⬛Yuki",                            // emoji
      u8"Mary O’Brien", u8"N’Golo Kanté", u8"Ken′ Sato", u8"Sato» Mary",          // typography
      u8"Tanaka‚Smith", u8"ʻBrienʻ Tanaka", u8"H®Sato", u8"Ito–Mori", u8"Ken·Sato",
  };
  for (const std::u8string_view name : utf8) {
    const std::string list = "Tanaka\r\n" + std::string(reinterpret_cast<const char*>(name.data()), name.size()) + "\r\n";
    EXPECT_EQ(DetectListEncoding(list).encoding, ListEncoding::Utf8) << testing::PrintToString(list);
  }
  // Half-width names with a team's letter, and Chinese words, in code page 932.
  for (const std::string name : {"ﾄｻG", "ﾄｳﾒｲP", "ﾅｦO", "ﾐｻR", "ﾏｷO", "ﾐｴI", "缺疑", "范本", "辟筑"}) {
    const std::string list = "Tanaka\r\n" + name + "\r\n";
    EXPECT_EQ(DetectListEncoding(list).encoding, ListEncoding::Cp932) << testing::PrintToString(list);
  }
}

TEST(ListEncoding, ConversionVectors) {
  for (const auto& v : testing_support::kCp932Vectors)
    EXPECT_EQ(Cp932FromUtf16(v.utf16), v.cp932) << testing::PrintToString(v.cp932);
}

TEST(ListEncoding, EveryWayOfSavingGivesTheSameLines) {
  const TextList names{"\x8E\x52\x93\x63", "\x81\x60", "?", ""};  // 山田, 〜 as ～, É, empty
  const std::string utf8 = "\xE5\xB1\xB1\xE7\x94\xB0\r\n\xE3\x80\x9C\r\n\xC3\x89\r\n\r\n";
  const std::string utf16 = "\x71\x5C\x30\x75\r\0\n\0\x1C\x30\r\0\n\0\xC9\0\r\0\n\0\r\0\n\0"s;
  for (const std::string& bytes : {"\x8E\x52\x93\x63\r\n\x81\x60\r\n?\r\n\r\n"s, utf8, "\xEF\xBB\xBF" + utf8,
                                   "\xFF\xFE" + utf16})
    EXPECT_EQ(SplitMemberList(MemberListText(bytes)), names) << testing::PrintToString(bytes);
}

// Code page 932 text is practically never well-formed UTF-8: lists users
// already have read byte for byte as before.
TEST(ListEncoding, Cp932ListsReadAsBefore) {
  const std::filesystem::path source(RINBAN_SOURCE_DIR);
  std::vector<std::string> lists;
  std::vector<std::filesystem::path> files{source / "examples/list.txt"};
  for (const auto& dir : {"fuzz/corpus/member_list", "fuzz/corpus/listing", "fuzz/corpus/short_name"})
    for (const auto& file : std::filesystem::directory_iterator(source / dir)) files.push_back(file.path());
  for (const auto& file : files) {
    std::ifstream in(file, std::ios::binary);
    lists.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // Random names from the ranges Japanese names use: hiragana, katakana,
  // both kanji levels, full-width forms, half-width katakana and ASCII.
  const struct {
    int lead0, lead1, trail0, trail1;
  } ranges[] = {{0x82, 0x82, 0x9F, 0xF1}, {0x83, 0x83, 0x40, 0x96}, {0x88, 0x9F, 0x40, 0xFC},
                {0xE0, 0xEA, 0x40, 0xFC}, {0x81, 0x81, 0x40, 0xAC}, {0xED, 0xEE, 0x40, 0xFC},
                {0xFA, 0xFC, 0x40, 0x4B}, {0xA1, 0xDF, -1, -1},     {0x41, 0x7A, -1, -1}};
  std::mt19937 random(11);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  for (int list = 0; list < 2000; ++list) {
    std::string bytes;
    for (int name = pick(2, 12); name > 0; --name) {
      for (int ch = pick(1, 6); ch > 0; --ch) {
        const auto& r = ranges[pick(0, static_cast<int>(std::size(ranges)) - 1)];
        bytes += static_cast<char>(pick(r.lead0, r.lead1));
        const int trail = r.trail0 < 0 ? -1 : pick(r.trail0, r.trail1);
        if (trail >= 0) bytes += static_cast<char>(trail == 0x7F ? 0x80 : trail);  // 7F is no trail byte
      }
      bytes += "\r\n";
    }
    lists.push_back(bytes);
  }
  for (const std::string& bytes : lists) {
    EXPECT_EQ(DetectListEncoding(bytes).encoding, ListEncoding::Cp932) << testing::PrintToString(bytes);
    EXPECT_EQ(SplitMemberList(MemberListText(bytes)), SplitMemberList(bytes));
  }
}

}  // namespace
}  // namespace rinban
