#include "text/text.h"

namespace rinban {

size_t Utf8Sequence(const unsigned char* s, size_t n, char32_t& c, bool surrogates) {
  const unsigned char b = s[0];
  if (b < 0x80) {
    c = b;
    return 1;
  }
  size_t len;
  unsigned char lo = 0x80, hi = 0xBF;  // the second byte's range
  if (b >= 0xC2 && b <= 0xDF) {
    len = 2;
  } else if (b >= 0xE0 && b <= 0xEF) {
    len = 3;
    if (b == 0xE0) lo = 0xA0;
    if (b == 0xED && !surrogates) hi = 0x9F;
  } else if (b >= 0xF0 && b <= 0xF4) {
    len = 4;
    if (b == 0xF0) lo = 0x90;
    if (b == 0xF4) hi = 0x8F;
  } else {
    return 0;
  }
  if (n < len || s[1] < lo || s[1] > hi) return 0;
  c = b & (0x7F >> len);
  for (size_t i = 1; i < len; ++i) {
    if ((s[i] & 0xC0) != 0x80) return 0;
    c = (c << 6) | (s[i] & 0x3F);
  }
  return len;
}

bool IsWellFormedUtf8(std::string_view text, bool* anyHigh) {
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  const size_t n = text.size();
  bool high = false;
  for (size_t i = 0; i < n;) {
    if (s[i] < 0x80) {  // the common case in a mostly ASCII text
      ++i;
      continue;
    }
    high = true;
    char32_t c;
    const size_t len = Utf8Sequence(s + i, n - i, c);
    if (len == 0) return false;
    i += len;
  }
  if (anyHigh) *anyHigh = high;
  return true;
}

std::u16string Utf16Units(std::string_view bytes, bool bigEndian) {
  const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
  std::u16string units(bytes.size() / 2, u'\0');
  for (size_t i = 0; i < units.size(); ++i) units[i] = Utf16Unit(s + 2 * i, bigEndian);
  return units;
}

std::u16string Utf16OfUtf8(std::string_view utf8, bool surrogates) {
  const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
  std::u16string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    char32_t c;
    const size_t len = Utf8Sequence(s + i, utf8.size() - i, c, surrogates);
    i += len == 0 ? 1 : len;
    if (len == 0) {
      out.push_back(0xFFFD);
    } else if (c < 0x10000) {
      out.push_back(static_cast<char16_t>(c));
    } else {
      out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    }
  }
  return out;
}

Text ToDecimal(long long value) { return std::to_string(value); }

Text FormatWith(std::string_view format, std::string_view arg) {
  const auto at = format.find("%s");
  if (at == std::string_view::npos) return Text(format);
  Text out;
  out.reserve(format.size() + arg.size());
  out.append(format.substr(0, at)).append(arg).append(format.substr(at + 2));
  return out;
}

}  // namespace rinban
