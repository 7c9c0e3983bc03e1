#include "text/list_encoding.h"

#include <cstring>

#include "text/text.h"

namespace rinban {
namespace {

using Byte = unsigned char;

constexpr char16_t kReplacement = 0xFFFD;

// Length of the well-formed UTF-8 sequence at s[0..n), 0 when there is none:
// no overlong form, no surrogate, nothing above U+10FFFF.
size_t Utf8Length(const Byte* s, size_t n, char32_t& out) {
  const Byte b = s[0];
  if (b < 0x80) {
    out = b;
    return 1;
  }
  size_t len;
  Byte lo = 0x80, hi = 0xBF;  // range of the second byte
  if (b >= 0xC2 && b <= 0xDF) {
    len = 2;
  } else if (b >= 0xE0 && b <= 0xEF) {
    len = 3;
    if (b == 0xE0) lo = 0xA0;
    if (b == 0xED) hi = 0x9F;
  } else if (b >= 0xF0 && b <= 0xF4) {
    len = 4;
    if (b == 0xF0) lo = 0x90;
    if (b == 0xF4) hi = 0x8F;
  } else {
    return 0;
  }
  if (n < len || s[1] < lo || s[1] > hi) return 0;
  char32_t c = b & (0x7F >> len);
  for (size_t i = 1; i < len; ++i) {
    if ((s[i] & 0xC0) != 0x80) return 0;
    c = (c << 6) | (s[i] & 0x3F);
  }
  out = c;
  return len;
}

bool IsWellFormedUtf8(std::string_view text, bool& anyHigh) {
  const auto* s = reinterpret_cast<const Byte*>(text.data());
  const size_t n = text.size();
  anyHigh = false;
  for (size_t i = 0; i < n;) {
    if (s[i] < 0x80) {  // the common case in a mostly ASCII list
      ++i;
      continue;
    }
    anyHigh = true;
    char32_t c;
    const size_t len = Utf8Length(s + i, n - i, c);
    if (len == 0) return false;
    i += len;
  }
  return true;
}

char16_t Unit(const Byte* p, bool bigEndian) {
  return bigEndian ? static_cast<char16_t>(p[0] << 8 | p[1]) : static_cast<char16_t>(p[1] << 8 | p[0]);
}

// The UTF-16 text after a mark, up to its first U+0000; false when it is
// not well-formed.
bool Utf16Body(std::string_view text, bool bigEndian, std::string_view& body) {
  const auto* s = reinterpret_cast<const Byte*>(text.data());
  size_t units = text.size() / 2;
  bool ended = false;
  for (size_t i = 0; i < units; ++i) {
    if (Unit(s + 2 * i, bigEndian) == 0) {
      units = i;
      ended = true;
      break;
    }
  }
  if (!ended && text.size() % 2 != 0) return false;
  for (size_t i = 0; i < units; ++i) {
    const char16_t u = Unit(s + 2 * i, bigEndian);
    if (IsLowSurrogate(u)) return false;
    if (IsHighSurrogate(u)) {
      if (i + 1 == units || !IsLowSurrogate(Unit(s + 2 * (i + 1), bigEndian))) return false;
      ++i;
    }
  }
  body = text.substr(0, 2 * units);
  return true;
}

void AppendUtf16(std::u16string& out, char32_t c) {
  if (c < 0x10000) {
    out.push_back(static_cast<char16_t>(c));
  } else {
    c -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
  }
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
  bool anyHigh;
  if (IsWellFormedUtf8(bytes, anyHigh) && anyHigh) return {ListEncoding::Utf8, bytes};
  return {ListEncoding::Cp932, bytes};
}

std::u16string ListUtf16(const ListBody& body) {
  const auto* s = reinterpret_cast<const Byte*>(body.bytes.data());
  const size_t n = body.bytes.size();
  std::u16string out;
  if (body.encoding == ListEncoding::Utf16Le || body.encoding == ListEncoding::Utf16Be) {
    out.resize(n / 2);
    for (size_t i = 0; i < out.size(); ++i) out[i] = Unit(s + 2 * i, body.encoding == ListEncoding::Utf16Be);
    return out;
  }
  out.reserve(n);
  for (size_t i = 0; i < n;) {
    char32_t c;
    const size_t len = Utf8Length(s + i, n - i, c);
    AppendUtf16(out, len == 0 ? kReplacement : c);
    i += len == 0 ? 1 : len;
  }
  return out;
}

}  // namespace rinban
