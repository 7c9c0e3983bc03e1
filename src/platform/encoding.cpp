// What both platforms' conversions share.
#include "platform/encoding.h"

#include "text/list_encoding.h"

namespace rinban {
namespace {

using Byte = unsigned char;

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
    return;
  }
  const int len = c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
  static constexpr Byte kLead[] = {0, 0, 0xC0, 0xE0, 0xF0};
  out.push_back(static_cast<char>(kLead[len] | (c >> (6 * (len - 1)))));
  for (int i = len - 2; i >= 0; --i) out.push_back(static_cast<char>(0x80 | ((c >> (6 * i)) & 0x3F)));
}

// JIS form -> the character CP932 holds under the same code.
constexpr struct {
  char16_t jis, cp932;
} kJisForms[] = {{0x301C, 0xFF5E}, {0x2016, 0x2225}, {0x2212, 0xFF0D}, {0x00A2, 0xFFE0},
                 {0x00A3, 0xFFE1}, {0x00AC, 0xFFE2}, {0x2014, 0x2015}};

}  // namespace

std::u16string Cp932Ready(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t u = text[i];
    if (IsHighSurrogate(u) || IsLowSurrogate(u)) {
      if (IsHighSurrogate(u) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) ++i;
      u = u'?';
    }
    // Only the C library's table maps these, to ASCII's backslash and tilde;
    // only Windows' maps U+0080 and U+F8F0-U+F8F3, to bytes that spell no
    // character, which would make a settings file look like UTF-8.
    if (u == 0x00A5 || u == 0x203E || u == 0x0080 || (u >= 0xF8F0 && u <= 0xF8F3)) u = u'?';
    for (const auto& form : kJisForms)
      if (u == form.jis) u = form.cp932;
    out.push_back(u);
  }
  return out;
}

size_t Cp932CharLength(std::string_view rest) {
  if (rest.size() < 2 || !IsLeadByte(static_cast<Byte>(rest[0]))) return rest.empty() ? 0 : 1;
  const Byte trail = static_cast<Byte>(rest[1]);
  return (trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC) ? 2 : 1;
}

std::string Utf8FromUtf16(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    AppendUtf8(out, c);
  }
  return out;
}

std::u16string Utf16FromUtf8(std::string_view utf8) { return Utf16OfUtf8(utf8, true); }

Text Cp932FromFileText(Text fileBytes) {
  const ListBody body = DetectListEncoding(fileBytes);
  if (body.encoding == ListEncoding::Cp932) return fileBytes;
  const std::u16string units = ListUtf16(body);
  Text().swap(fileBytes);  // the file's bytes go before the converted copy comes
  return Cp932FromUtf16(units);
}

}  // namespace rinban
