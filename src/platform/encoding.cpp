// What both platforms' conversions share.
#include "platform/encoding.h"

#include "text/list_encoding.h"

namespace rinban {
namespace {

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
    // Only the C library's table maps these, to ASCII's backslash and tilde.
    if (u == 0x00A5 || u == 0x203E) u = u'?';
    for (const auto& form : kJisForms)
      if (u == form.jis) u = form.cp932;
    out.push_back(u);
  }
  return out;
}

Text Cp932FromFileText(Text fileBytes) {
  const ListBody body = DetectListEncoding(fileBytes);
  if (body.encoding == ListEncoding::Cp932) return fileBytes;
  const std::u16string units = ListUtf16(body);
  Text().swap(fileBytes);  // the file's bytes go before the converted copy comes
  return Cp932FromUtf16(units);
}

}  // namespace rinban
