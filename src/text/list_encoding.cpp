#include "text/list_encoding.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <iterator>

#include "text/text.h"

namespace rinban {
namespace {

using Byte = unsigned char;

// Without a mark, a text that is well-formed UTF-8 may still be code page
// 932: half-width katakana pairs such as "ﾐｷ" and some kanji pairs are valid
// UTF-8 by chance. So both readings are weighed as a list of names, each
// character by its class: letters carry their script (every script of
// Unicode; combining marks and format characters join the letter before
// them), punctuation, symbols and spaces end a word, digits go with any
// script. An oddity is what no name is written with: a control, private or
// unassigned character, a change of script inside a word, a mark with no
// letter, and a run of half-width katakana no Japanese word is made of
// (code page 932's reading of UTF-8 is full of those, while UTF-8's
// reading of code page 932 is mostly a jumble of scripts). A code page 932
// reading that is not well-formed at all loses outright; otherwise UTF-8
// must have fewer oddities, or as many while it holds what code page 932
// text almost never gives (Reading::likely).
enum Class : Byte { kOther, kBreak, kDigit, kMark, kJoin, kJapanese, kHalfWidth, kLatin, kGreek, kCyrillic, kArmenian };

// From U+0080 on: (first code point << 8) | class, up to the next entry.
constexpr uint32_t kClassRanges[] = {
#include "text/char_classes.inc"
};

// The two-byte range of UTF-8 straight from a table, which is what most
// European names need.
constexpr auto kTwoByteClasses = [] {
  std::array<Byte, 0x800> table{};
  size_t r = 0;
  for (char32_t c = 0x80; c < 0x800; ++c) {
    while (r + 1 < std::size(kClassRanges) && (kClassRanges[r + 1] >> 8) <= c) ++r;
    table[c] = static_cast<Byte>(kClassRanges[r]);
  }
  return table;
}();

Byte ClassOf(char32_t c) {
  if (c < 0x800) return kTwoByteClasses[c];
  const uint32_t* next = std::upper_bound(std::begin(kClassRanges), std::end(kClassRanges), c << 8 | 0xFF);
  return static_cast<Byte>(next[-1]);
}

// The small kana of code page 932 (ｧ to ｮ) and the kana that each may follow
// in a word, voiced or not: ﾃｨ, ｼﾞｪ, ｷｬ, but never ﾘｧ or ﾅｬ.
constexpr std::string_view kSmallKanaAfter[] = {"ｳｸﾂﾌ", "ｳｸｽﾂﾃﾌ", "ﾄ", "ｲｳｸｼﾁﾂﾆﾌﾒ",
                                                "ｳｸﾂﾌ", "ｷｼﾁﾆﾋﾐﾘ", "ｳｷｼﾁﾃﾆﾋﾌﾐﾘ", "ｷｼﾁﾆﾋﾌﾐﾘ"};

bool IsKanaLetter(Byte b) { return b == 0xA6 || (b >= 0xB1 && b <= 0xDD); }

// One reading's oddities, and whether it holds what code page 932's bytes
// hardly ever spell as UTF-8: Japanese, or a word of two letters or more
// with a letter of three bytes or two letters of two bytes of one script.
// Latin counts only with Vietnamese letters (U+1EA0-1EF9): kanji spell
// phonetic ones such as "ᴊ", and half-width names two-byte ones (ﾅｶﾆｼ),
// as they spell Greek (ﾏｽﾏｻ) and Armenian (ﾕｷﾔｽ).
struct Reading {
  size_t oddities = 0;
  bool likely = false;
  size_t letters = 0, twoByteLetters = 0;  // in the word so far
  bool threeByteLetter = false;
  Byte script = kBreak;     // of the word's last letter; kBreak at a word's start
  bool spaced = true;       // at a line's start or after a blank
  size_t latin = 0;         // Latin letters ending the word so far
  bool capital = false;     // ... and the first of them is an ASCII capital
  bool gluedAfterKana = false;
  Byte kana = 0, letter = 0;  // the last half-width katakana and kana letter, 0 outside a run

  void Blank() {
    Add(kBreak);
    spaced = true;
  }

  // wide: 3 for a letter of three bytes or more in UTF-8 that counts, 2 for
  // one of two bytes that counts; for UTF-8's reading only.
  void Add(Byte c, bool asciiCapital = false, int wide = 0) {
    kana = 0;
    if (c == kMark) oddities += spaced;
    spaced = spaced && c == kJoin;
    if (c == kDigit || c == kJoin || c == kMark) return;
    if (c == kBreak) {
      script = kBreak;
      latin = 0;
      letters = twoByteLetters = 0;
      threeByteLetter = false;
      return;
    }
    oddities += c == kOther;
    if (c >= kJapanese) {
      ++letters;
      threeByteLetter = threeByteLetter || wide == 3;
      twoByteLetters += wide == 2;
    }
    likely = likely || c == kJapanese || (threeByteLetter && letters > 1) || twoByteLetters > 1;
    if (c == kLatin && latin++ == 0) capital = asciiCapital;
    // A team's capital may follow half-width katakana ("ﾄｰﾏｽA"); a word of
    // Latin letters may not ("Kantﾃｩ").
    if (gluedAfterKana && latin > 1) {
      ++oddities;
      gluedAfterKana = false;
    }
    if (script != kBreak && c != script) {
      if (script == kHalfWidth && c == kLatin && capital) gluedAfterKana = true;
      else ++oddities;
    }
    if (c != kLatin) latin = 0, gluedAfterKana = false;
    script = c;
  }

  // A half-width katakana, as its code page 932 byte.
  void AddHalfWidth(Byte b) {
    // ｡｢｣､ are as rare in a list of names as their full-width forms; after
    // ･, as after ・, a new run starts.
    if (b <= 0xA4) {
      Add(kOther);
      return;
    }
    if (b == 0xA5) {
      Add(kHalfWidth);
      return;
    }
    const Byte before = kana, base = letter;
    Add(kHalfWidth);
    bool fits = true;
    if (b >= 0xA7 && b <= 0xAE)  // small ｧ to ｮ
      fits = before != 0 && (IsKanaLetter(before) || before >= 0xDE) &&
             kSmallKanaAfter[b - 0xA7].find(static_cast<char>(base)) != std::string_view::npos;
    else if (b == 0xAF || b == 0xB0)  // ｯ and ｰ follow a kana
      fits = before != 0 && before != 0xAF && before != 0xB0;
    else if (b == 0xDE)  // ﾞ after ｳ, ｶ to ﾄ, ﾊ to ﾎ
      fits = before == 0xB3 || (before >= 0xB6 && before <= 0xC4) || (before >= 0xCA && before <= 0xCE);
    else if (b == 0xDF)  // ﾟ after ﾊ to ﾎ
      fits = before >= 0xCA && before <= 0xCE;
    else if (b == 0xDD)  // no word starts with ﾝ
      fits = before != 0;
    oddities += !fits;
    kana = b;
    letter = IsKanaLetter(b) ? b : base;
  }
};

// wide: whether the character before was not ASCII. Code page 932's trail
// bytes include @[\]^_`{|}~, which UTF-8's reading then glues to a character
// before them; names hardly ever do.
void AddAscii(Reading& reading, Byte b, bool wide) {
  // Most bytes of a European list go on with a Latin word: nothing to weigh.
  if (reading.script == kLatin && reading.latin > 1 && (b | 0x20) >= 'a' && (b | 0x20) <= 'z') {
    ++reading.latin, ++reading.letters;
    reading.kana = 0;
    return;
  }
  if ((b | 0x20) >= 'a' && (b | 0x20) <= 'z') {
    reading.Add(kLatin, b <= 'Z');
  } else if (b >= '0' && b <= '9') {
    reading.Add(kDigit);
  } else if (b <= ' ') {
    reading.Blank();
  } else {
    reading.oddities += wide && (b == '@' || (b >= '[' && b <= '`') || b >= '{');
    reading.Add(kBreak);
  }
}

struct CodeRange {
  uint16_t first, last;
  Class klass;
};

// The class of an assigned double-byte code of code page 932, lead byte then
// trail byte; false for one that is not assigned. Windows writes the kanji
// of NEC's copy of IBM's extensions (ED40-EEFC) under IBM's codes, so those
// are as odd as the symbols.
bool Cp932PairClass(Byte lead, Byte trail, Byte& klass) {
  static constexpr CodeRange kRanges[] = {
      {0x8140, 0x8140, kBreak},    {0x8145, 0x8145, kJapanese}, {0x8152, 0x815B, kJapanese},
      {0x8141, 0x81AC, kOther},    {0x81B8, 0x81BF, kOther},    {0x81C8, 0x81CE, kOther},
      {0x81DA, 0x81E8, kOther},    {0x81F0, 0x81F7, kOther},    {0x81FC, 0x81FC, kOther},
      {0x824F, 0x8258, kJapanese}, {0x8260, 0x8279, kJapanese}, {0x8281, 0x829A, kJapanese},
      {0x829F, 0x82F1, kJapanese}, {0x8340, 0x8396, kJapanese}, {0x839F, 0x83B6, kGreek},
      {0x83BF, 0x83D6, kGreek},    {0x8440, 0x8460, kCyrillic}, {0x8470, 0x8491, kCyrillic},
      {0x849F, 0x84BE, kOther},    {0x8740, 0x875D, kOther},    {0x875F, 0x8775, kOther},
      {0x877E, 0x879C, kOther},    {0x889F, 0x9872, kJapanese}, {0x989F, 0xEAA4, kJapanese},
      {0xED40, 0xEEFC, kOther},    {0xF040, 0xF9FC, kOther},
      {0xFA40, 0xFA5B, kOther},    {0xFA5C, 0xFC4B, kJapanese},
  };
  if (lead < 0x81 || (lead > 0x9F && lead < 0xE0) || trail < 0x40 || trail == 0x7F || trail > 0xFC) return false;
  const unsigned code = lead << 8 | trail;
  for (const CodeRange& r : kRanges)
    if (code >= r.first && code <= r.last) {
      klass = r.klass;
      return true;
    }
  return false;
}

bool IsWellFormedCp932(std::string_view text) {
  const auto* s = reinterpret_cast<const Byte*>(text.data());
  const size_t n = text.size();
  Byte klass;
  for (size_t i = 0; i < n; ++i) {
    if (s[i] < 0x80 || (s[i] >= 0xA1 && s[i] <= 0xDF)) continue;
    if (i + 1 == n || !Cp932PairClass(s[i], s[i + 1], klass)) return false;
    ++i;
  }
  return true;
}

// The code page 932 reading of a well-formed text, up to where it has more
// than enough oddities to lose.
Reading Cp932Reading(std::string_view text, size_t enough) {
  const auto* s = reinterpret_cast<const Byte*>(text.data());
  const size_t n = text.size();
  Reading reading;
  bool wide = false;
  for (size_t i = 0; i < n; ++i) {
    const Byte b = s[i];
    const bool wideBefore = wide;
    wide = b >= 0x80;
    if (b < 0x80) {
      AddAscii(reading, b, wideBefore);
    } else if (b >= 0xA1 && b <= 0xDF) {
      reading.AddHalfWidth(b);
    } else {
      Byte klass = kOther;
      Cp932PairClass(b, s[++i], klass);
      reading.Add(klass);
    }
    if (reading.oddities > enough) break;
  }
  return reading;
}

Reading Utf8Reading(std::string_view text) {
  const auto* s = reinterpret_cast<const Byte*>(text.data());
  const size_t n = text.size();
  Reading reading;
  for (size_t i = 0; i < n;) {
    if (s[i] < 0x80) {
      AddAscii(reading, s[i], i > 0 && s[i - 1] >= 0x80);
      ++i;
      continue;
    }
    char32_t c;
    const size_t bytes = Utf8Sequence(s + i, n - i, c);  // well-formed: checked before
    i += bytes;
    if (c >= 0xFF61 && c <= 0xFF9F) {
      reading.AddHalfWidth(static_cast<Byte>(c - 0xFF61 + 0xA1));
      continue;
    }
    const Byte klass = ClassOf(c);
    const bool counts = klass == kLatin ? c >= 0x1EA0 && c <= 0x1EF9 : klass > kGreek && klass != kArmenian;
    reading.Add(klass, false, counts ? (bytes > 2 ? 3 : 2) : 0);
  }
  return reading;
}

bool ReadsAsUtf8(std::string_view text) {
  bool anyHigh;
  if (!IsWellFormedUtf8(text, &anyHigh) || !anyHigh) return false;
  // Weighing a reading costs more than telling whether code page 932 spells
  // the text at all, which UTF-8 Japanese mostly is not.
  if (!IsWellFormedCp932(text)) return true;
  const Reading utf8 = Utf8Reading(text);
  const Reading cp932 = Cp932Reading(text, utf8.oddities);
  return utf8.oddities < cp932.oddities || (utf8.oddities == cp932.oddities && utf8.likely);
}

// The UTF-16 text after a mark, up to its first U+0000; false when it is
// not well-formed.
bool Utf16Body(std::string_view text, bool bigEndian, std::string_view& body) {
  const auto* s = reinterpret_cast<const Byte*>(text.data());
  size_t units = text.size() / 2;
  bool ended = false;
  for (size_t i = 0; i < units; ++i) {
    if (Utf16Unit(s + 2 * i, bigEndian) == 0) {
      units = i;
      ended = true;
      break;
    }
  }
  if (!ended && text.size() % 2 != 0) return false;
  for (size_t i = 0; i < units; ++i) {
    const char16_t u = Utf16Unit(s + 2 * i, bigEndian);
    if (IsLowSurrogate(u)) return false;
    if (IsHighSurrogate(u)) {
      if (i + 1 == units || !IsLowSurrogate(Utf16Unit(s + 2 * (i + 1), bigEndian))) return false;
      ++i;
    }
  }
  body = text.substr(0, 2 * units);
  return true;
}

bool StartsWith(std::string_view text, std::string_view mark) { return text.substr(0, mark.size()) == mark; }

}  // namespace

ListBody DetectListEncoding(std::string_view bytes) {
  std::string_view body;
  if (StartsWith(bytes, "\xFF\xFE") && Utf16Body(bytes.substr(2), false, body))
    return {ListEncoding::Utf16Le, body};
  if (StartsWith(bytes, "\xFE\xFF") && Utf16Body(bytes.substr(2), true, body))
    return {ListEncoding::Utf16Be, body};

  if (const void* nul = std::memchr(bytes.data(), '\0', bytes.size()))
    bytes = bytes.substr(0, static_cast<size_t>(static_cast<const char*>(nul) - bytes.data()));
  if (StartsWith(bytes, "\xEF\xBB\xBF")) return {ListEncoding::Utf8, bytes.substr(3)};
  if (ReadsAsUtf8(bytes)) return {ListEncoding::Utf8, bytes};
  return {ListEncoding::Cp932, bytes};
}

std::u16string ListUtf16(const ListBody& body) {
  if (body.encoding == ListEncoding::Utf16Le || body.encoding == ListEncoding::Utf16Be)
    return Utf16Units(body.bytes, body.encoding == ListEncoding::Utf16Be);
  return Utf16OfUtf8(body.bytes, false);
}

}  // namespace rinban
