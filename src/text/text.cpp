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
