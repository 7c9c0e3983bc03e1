// Settings-file cases shared by the native tests and the Windows cross-check:
// hand-edited files and what their reading gives, titles saved into random
// files of every encoding, and every code page 932 code through UTF-16.
#pragma once

#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "platform/encoding.h"
#include "table/options.h"
#include "table/settings_text.h"

namespace rinban::testing_support {

// A hand-edited file and what the read of one key gives ("<none>" when it
// is missing) as Windows reads it. wineDiffers marks where Wine's profile
// functions read otherwise: a line without '=' hides a later key, a lone
// lead byte takes the LF after it, the cut at 2047 bytes ends in a byte
// never written, a UTF-8 file without a mark reads as code page 932.
struct HandEdit {
  std::string bytes;
  const char* key;
  Text want;
  bool wineDiffers = false;
};

inline std::vector<HandEdit> HandEdits() {
  using namespace std::string_literals;
  const auto le = [](std::u16string_view s) {
    return "\xFF\xFE"s + std::string(reinterpret_cast<const char*>(s.data()), 2 * s.size());
  };
  const std::string sogo = "\xE7\xB7\x8F\xE5\xBD\x93\xE3\x82\x8A";  // 総当り in UTF-8
  return {{"[ HTMLOption\t]\r\nTitle=a\r\n", "Title", "a"},
          {"[HTMLOption]\r\nTitle\r\nTitle=c\r\n", "Title", "c", true},
          {"[HTMLOption]\r\nTitle\r\n", "Title", "<none>"},
          {"[HTMLOption]\r\nNumber=5\0junk\r\nTitle=x\r\n"s, "Number", "5"},
          {"[HTMLOption]\r\nNumber=5 \0\r\n"s, "Number", "5 "},
          {"[HTMLOption]\r\nTitle=\"q\"\0\"\r\n"s, "Title", "q"},
          {"[HTMLOption]\r\nTitle\0junk=d\r\n"s, "Title", "d"},
          {"[HTMLOption]\r\nTitle=f\x81\nNumber=3\r\n", "Number", "3", true},
          {"[HTMLOption]\r\nTitle=f\x81\nNumber=3\r\n", "Title", "f\x81", true},
          {"[HTMLOption]\r\nTitle=" + Text(2046, 'x') + "表示\r\n", "Title", Text(2046, 'x') + "\x95", true},
          {le(u"[HTMLOption]\r\nTitle=a\xD800" u"b\r\n"), "Title", "a?b"},
          {le(u"[HTMLOption]\r\nTitle=g\0h\r\nNumber=2\r\n"s), "Number", "2"},
          {le(u"[HTMLOption]\r\nNumber=4\r\n") + "A", "Number", "4"},  // odd length
          {"\xEF\xBB\xBF[HTMLOption]\r\nTitle=" + sogo + "\r\n", "Title", "総当り"},
          {"[HTMLOption]\r\nTitle=" + sogo + "\r\n", "Title", "総当り", true}};
}

// Saves random titles into random settings files of each encoding at path
// (name for the streams) and loads them back. Describes the first case whose
// title does not come back byte for byte, or whose encoding or other lines
// the save changed; empty when every case holds.
inline std::string SettingsRoundTripFailure(const WidePath& path, const std::string& name, int cases) {
  std::mt19937 random(24);
  const auto pick = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random); };
  const auto character = [&] {  // any code page 932 character but NUL, CR and LF
    for (;;) {
      Text c(1, static_cast<char>(pick(256)));
      if (IsLeadByte(static_cast<unsigned char>(c[0]))) c += static_cast<char>(0x40 + pick(0xBD));
      if (Utf16FromCp932(c) != u"\uFFFD" && c != std::string(1, '\0') && c != "\r" && c != "\n") return c;
    }
  };
  // Rare kanji and half-width pairs whose bytes are UTF-8 too, edge blanks, quotes.
  const Text pieces[] = {"茘枝", "辷らす", "ﾐｷ", "A", " ", "\"", "'", "\t", "=", "表"};
  // Lines the save does not set: the first outside its section, the last in UTF-16 only.
  using namespace std::string_literals;
  const std::u16string lines[] = {u"Title=other", u"; 한국 😀", u"", u"x\0y"s, u"; 総当り", u"Title", u"; \xD800"};
  for (int i = 0; i < cases; ++i) {
    const auto encoding = static_cast<SettingsEncoding>(i % 5);
    const bool cp932 = encoding == SettingsEncoding::Cp932, utf16 = encoding >= SettingsEncoding::Utf16Le;
    Text title;
    for (size_t n = pick(8); n > 0; --n) title += pick(2) ? character() : pieces[pick(std::size(pieces))];
    if (!cp932) title = Cp932FromUtf16(Utf16FromCp932(title));  // as the window gives it
    SettingsText file{encoding, "", utf16 && pick(2) ? "\x01" : ""};
    std::vector<std::string> kept;
    const auto add = [&](const std::u16string& line) {
      kept.push_back((cp932 ? Cp932FromUtf16(line) : Utf8FromUtf16(line)) + "\r\n");
      file.text += kept.back();
    };
    if (encoding == SettingsEncoding::Utf8) add(lines[1]);  // what makes it UTF-8 without a mark
    for (const char16_t* header : {u"", pick(2) ? u"[ HTMLOption ]" : u"[HTMLOption]", u"[Other]"}) {
      const size_t inside = *header && header[1] != 'O';
      if (*header) add(header);
      for (size_t n = pick(4); n > 0; --n) add(lines[inside + pick(std::size(lines) - inside - !utf16)]);
    }
    std::ofstream(name, std::ios::binary) << SettingsBytes(file);
    TableOptions saved = DefaultTableOptions();
    saved.Title = title;
    SaveTableOptions(path, saved);
    const std::string bytes{std::istreambuf_iterator<char>(std::ifstream(name, std::ios::binary).rdbuf()), {}};
    const SettingsText back = SettingsTextOf(bytes);
    size_t at = 0;
    for (const std::string& line : kept) at = at == std::string::npos ? at : back.text.find(line, at);
    if (LoadTableOptions(path).Title != title || back.encoding != encoding || at == std::string::npos ||
        back.tail != file.tail)
      return "title " + title + " in " + bytes;
  }
  return "";
}

// Every one- and two-byte code through UTF-16 and back: the codes that are
// characters, those that come back under another code (the same character's
// preferred code), and those that come back otherwise.
inline std::string Cp932RoundTrip() {
  int characters = 0, moved = 0, wrong = 0;
  for (int code = 0; code < 0x10000; ++code) {
    const std::string bytes = std::string{static_cast<char>(code >> 8), static_cast<char>(code)}.substr(code < 0x100);
    const std::u16string unit = Utf16FromCp932(bytes);
    if (Cp932CharLength(bytes) != bytes.size() || unit == u"\uFFFD") continue;  // no code of this length
    ++characters;
    const Text back = Cp932FromUtf16(unit);
    if (back != bytes) ++(unit.size() == 1 && Utf16FromCp932(back) == unit ? moved : wrong);
  }
  return std::to_string(characters) + " characters, " + std::to_string(moved) + " moved, " + std::to_string(wrong) +
         " wrong";
}

}  // namespace rinban::testing_support
