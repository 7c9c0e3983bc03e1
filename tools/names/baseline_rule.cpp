// The list rule as it stood before it knew the letters of every script,
// kept as it was (it only shares the UTF-8 decoder) so that tools/names can
// set the two side by side.
#include "baseline_rule.h"

#include <iterator>

#include "text/text.h"

namespace rinban {
namespace {

using Byte = unsigned char;

// Without a mark, a text that is well-formed UTF-8 may still be code page
// 932: half-width katakana pairs such as "ﾐｷ" and some kanji pairs are valid
// UTF-8 by chance. So both readings are judged as a list of names: a
// character no name is written with counts as one oddity, and so does every
// change of script inside a word (ASCII and European letters are one script,
// digits go with any). A code page 932 reading that is not well-formed at all
// loses outright; otherwise UTF-8 must have fewer oddities, or as many while
// it holds Japanese characters, which code page 932 text almost never gives.
enum class Kind : Byte { Break, Digit, Letter, Japanese, HalfWidth, Other };

struct Oddities {
  size_t count = 0;
  Kind last = Kind::Break;
  bool japanese = false;

  void Add(Kind kind) {
    if (kind == Kind::Digit) return;
    if (kind == Kind::Other) ++count;
    if (kind != Kind::Break && last != Kind::Break && kind != last) ++count;
    japanese = japanese || kind == Kind::Japanese;
    last = kind;
  }
};

Kind AsciiKind(Byte b) {
  if ((b | 0x20) >= 'a' && (b | 0x20) <= 'z') return Kind::Letter;
  return b >= '0' && b <= '9' ? Kind::Digit : Kind::Break;
}

struct CodeRange {
  char32_t first, last;
  Kind kind;
};

bool InRanges(const CodeRange* begin, const CodeRange* end, char32_t c, Kind& kind) {
  for (const CodeRange* r = begin; r != end; ++r)
    if (c >= r->first && c <= r->last) {
      kind = r->kind;
      return true;
    }
  return false;
}

Kind Utf8Kind(char32_t c) {
  static constexpr CodeRange kRanges[] = {
      {0xC0, 0xD6, Kind::Letter},        {0xD8, 0xF6, Kind::Letter},        {0xF8, 0x24F, Kind::Letter},
      {0x370, 0x4FF, Kind::Letter},      {0x1E00, 0x1EFF, Kind::Letter},    {0x3000, 0x3000, Kind::Break},
      {0x3005, 0x3007, Kind::Japanese},  {0x3041, 0x3096, Kind::Japanese},  {0x309D, 0x309E, Kind::Japanese},
      {0x30A1, 0x30FE, Kind::Japanese},  {0x3400, 0x4DBF, Kind::Japanese},  {0x4E00, 0x9FFF, Kind::Japanese},
      {0xF900, 0xFAFF, Kind::Japanese},  {0xFF10, 0xFF19, Kind::Japanese},  {0xFF21, 0xFF3A, Kind::Japanese},
      {0xFF41, 0xFF5A, Kind::Japanese},  {0xFF61, 0xFF9F, Kind::HalfWidth}, {0x20000, 0x3FFFF, Kind::Japanese},
  };
  if (c < 0x80) return AsciiKind(static_cast<Byte>(c));
  Kind kind;
  return InRanges(std::begin(kRanges), std::end(kRanges), c, kind) ? kind : Kind::Other;
}

// The assigned double-byte codes of code page 932, lead byte then trail byte.
bool Cp932PairKind(Byte lead, Byte trail, Kind& kind) {
  static constexpr CodeRange kRanges[] = {
      {0x8140, 0x8140, Kind::Break},    {0x8145, 0x8145, Kind::Japanese}, {0x8152, 0x815B, Kind::Japanese},
      {0x8141, 0x81AC, Kind::Other},    {0x81B8, 0x81BF, Kind::Other},    {0x81C8, 0x81CE, Kind::Other},
      {0x81DA, 0x81E8, Kind::Other},    {0x81F0, 0x81F7, Kind::Other},    {0x81FC, 0x81FC, Kind::Other},
      {0x824F, 0x8258, Kind::Japanese}, {0x8260, 0x8279, Kind::Japanese}, {0x8281, 0x829A, Kind::Japanese},
      {0x829F, 0x82F1, Kind::Japanese}, {0x8340, 0x8396, Kind::Japanese}, {0x839F, 0x83B6, Kind::Letter},
      {0x83BF, 0x83D6, Kind::Letter},   {0x8440, 0x8460, Kind::Letter},   {0x8470, 0x8491, Kind::Letter},
      {0x849F, 0x84BE, Kind::Other},    {0x8740, 0x875D, Kind::Other},    {0x875F, 0x8775, Kind::Other},
      {0x877E, 0x879C, Kind::Other},    {0x889F, 0x9872, Kind::Japanese}, {0x989F, 0xEAA4, Kind::Japanese},
      {0xED40, 0xEEEC, Kind::Japanese}, {0xEEEF, 0xEEFC, Kind::Other},    {0xF040, 0xF9FC, Kind::Other},
      {0xFA40, 0xFA5B, Kind::Other},    {0xFA5C, 0xFC4B, Kind::Japanese},
  };
  if (lead < 0x81 || (lead > 0x9F && lead < 0xE0) || trail < 0x40 || trail == 0x7F || trail > 0xFC) return false;
  const char32_t code = static_cast<char32_t>(lead << 8 | trail);
  return InRanges(std::begin(kRanges), std::end(kRanges), code, kind);
}

// The oddities of the code page 932 reading; false when it is not well-formed.
bool Cp932Oddities(std::string_view text, Oddities& odd) {
  const auto* s = reinterpret_cast<const Byte*>(text.data());
  const size_t n = text.size();
  for (size_t i = 0; i < n; ++i) {
    const Byte b = s[i];
    if (b < 0x80) {
      odd.Add(AsciiKind(b));
    } else if (b >= 0xA1 && b <= 0xDF) {
      odd.Add(Kind::HalfWidth);
    } else {
      Kind kind;
      if (i + 1 == n || !Cp932PairKind(b, s[i + 1], kind)) return false;
      odd.Add(kind);
      ++i;
    }
  }
  return true;
}

Oddities Utf8Oddities(std::string_view text) {
  const auto* s = reinterpret_cast<const Byte*>(text.data());
  const size_t n = text.size();
  Oddities odd;
  for (size_t i = 0; i < n;) {
    char32_t c = s[i];
    const size_t len = c < 0x80 ? 1 : Utf8Sequence(s + i, n - i, c);  // well-formed: checked before
    odd.Add(Utf8Kind(c));
    i += len;
  }
  return odd;
}

}  // namespace

bool BaselineReadsAsUtf8(std::string_view text) {
  bool anyHigh;
  if (!IsWellFormedUtf8(text, &anyHigh) || !anyHigh) return false;
  Oddities cp932;
  if (!Cp932Oddities(text, cp932)) return true;
  const Oddities utf8 = Utf8Oddities(text);
  return utf8.count < cp932.count || (utf8.count == cp932.count && utf8.japanese);
}

}  // namespace rinban
