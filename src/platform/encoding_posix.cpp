// Native twin of the conversions: the C library's CP932 converter, which
// already takes the JIS forms as their CP932 codes.
#include <iconv.h>

#include <bit>
#include <cerrno>
#include <new>

#include "platform/encoding.h"

namespace rinban {
namespace {

bool IsHigh(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLow(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// The text as Windows' table would see it: each character outside the basic
// plane one "?", and the two characters only this converter maps (yen and
// overline, to the ASCII backslash and tilde) left without a code.
std::u16string Prepared(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t u = text[i];
    if (IsHigh(u) || IsLow(u)) {
      if (IsHigh(u) && i + 1 < text.size() && IsLow(text[i + 1])) ++i;
      u = u'?';
    }
    if (u == 0x00A5 || u == 0x203E) u = u'?';
    out.push_back(u);
  }
  return out;
}

struct Converter {
  iconv_t cd = iconv_open("CP932", std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE");
  ~Converter() {
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
  }
};

}  // namespace

Text Cp932FromUtf16(std::u16string_view text) {
  const std::u16string units = Prepared(text);
  Converter converter;
  if (converter.cd == reinterpret_cast<iconv_t>(-1)) throw std::bad_alloc();
  Text out(units.size() * 2, '\0');  // at most two bytes a unit
  char* in = reinterpret_cast<char*>(const_cast<char16_t*>(units.data()));
  size_t inLeft = units.size() * sizeof(char16_t);
  char* put = out.data();
  size_t outLeft = out.size();
  while (inLeft > 0) {
    if (iconv(converter.cd, &in, &inLeft, &put, &outLeft) != static_cast<size_t>(-1)) break;
    if (errno != EILSEQ) throw std::bad_alloc();
    *put++ = '?';  // a "?" is never longer than the two bytes the unit may take
    --outLeft;
    in += sizeof(char16_t);
    inLeft -= sizeof(char16_t);
  }
  out.resize(static_cast<size_t>(put - out.data()));
  return out;
}

}  // namespace rinban
