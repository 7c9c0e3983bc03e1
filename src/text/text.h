// One kind of text throughout the program: code page 932 bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rinban {

using Text = std::string;           // CP932 bytes; lengths count bytes
using TextList = std::vector<Text>;

// Fixed CP932 rule, not the system's code page, so every output is the same
// on every machine.
constexpr bool IsLeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// The halves of a UTF-16 surrogate pair.
constexpr bool IsHighSurrogate(char32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
constexpr bool IsLowSurrogate(char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Length of the UTF-8 sequence at s[0..n) and its code point in c, 0 when
// there is none: no overlong form, nothing above U+10FFFF, and a surrogate
// only when surrogates is set.
size_t Utf8Sequence(const unsigned char* s, size_t n, char32_t& c, bool surrogates = false);
// True when text is well-formed UTF-8 throughout (no surrogate); anyHigh,
// when given, tells whether it holds a byte of 0x80 or above.
bool IsWellFormedUtf8(std::string_view text, bool* anyHigh = nullptr);

// The UTF-16 code unit of two bytes in that byte order.
constexpr char16_t Utf16Unit(const unsigned char* p, bool bigEndian) {
  return static_cast<char16_t>(bigEndian ? p[0] << 8 | p[1] : p[1] << 8 | p[0]);
}
// The units of bytes, two bytes a unit; an odd last byte is left out.
std::u16string Utf16Units(std::string_view bytes, bool bigEndian);
// UTF-16 of UTF-8: each byte that begins no sequence is one U+FFFD, and a
// surrogate written as UTF-8 counts only when surrogates is set.
std::u16string Utf16OfUtf8(std::string_view utf8, bool surrogates);

// Signed decimal, no grouping, no leading zeros.
Text ToDecimal(long long value);

// The first "%s" of format replaced by arg (format returned as is without one).
Text FormatWith(std::string_view format, std::string_view arg);

}  // namespace rinban
