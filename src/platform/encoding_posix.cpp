// Native twin of the conversions: the C library's CP932 converter.
#include <iconv.h>

#include <bit>
#include <cerrno>
#include <stdexcept>

#include "platform/encoding.h"

namespace rinban {
namespace {

struct Converter {
  iconv_t cd = iconv_open("CP932", std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE");
  ~Converter() {
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
  }
};

}  // namespace

Text Cp932FromUtf16(std::u16string_view text) {
  const std::u16string units = Cp932Ready(text);
  Converter converter;
  if (converter.cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no CP932 converter");
  Text out(units.size() * 2, '\0');  // at most two bytes a unit
  char* in = reinterpret_cast<char*>(const_cast<char16_t*>(units.data()));
  size_t inLeft = units.size() * sizeof(char16_t);
  char* put = out.data();
  size_t outLeft = out.size();
  while (inLeft > 0) {
    if (iconv(converter.cd, &in, &inLeft, &put, &outLeft) != static_cast<size_t>(-1)) break;
    if (errno != EILSEQ) throw std::runtime_error("CP932 conversion failed");  // whole units, room for all
    *put++ = '?';  // a "?" is never longer than the two bytes the unit may take
    --outLeft;
    in += sizeof(char16_t);
    inLeft -= sizeof(char16_t);
  }
  out.resize(static_cast<size_t>(put - out.data()));
  return out;
}

}  // namespace rinban
