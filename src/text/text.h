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

// Signed decimal, no grouping, no leading zeros.
Text ToDecimal(long long value);

// The first "%s" of format replaced by arg (format returned as is without one).
Text FormatWith(std::string_view format, std::string_view arg);

}  // namespace rinban
