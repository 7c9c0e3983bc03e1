// Native twin of the conversions: the C library's CP932 converter.
#include <iconv.h>

#include <bit>
#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "platform/encoding.h"

namespace rinban {
namespace {

constexpr const char* kUtf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

struct Converter {
  iconv_t cd;
  Converter(const char* to, const char* from) : cd(iconv_open(to, from)) {
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no CP932 converter");
  }
  ~Converter() { iconv_close(cd); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
};

// One converter each way for the thread, opened once: opening costs more
// than converting a short text. Reset to its initial state for each use.
iconv_t Opened(bool toUtf16) {
  thread_local const Converter toCp932("CP932", kUtf16), fromCp932(kUtf16, "CP932");
  const iconv_t cd = toUtf16 ? fromCp932.cd : toCp932.cd;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  return cd;
}

}  // namespace

Text Cp932FromUtf16(std::u16string_view text) {
  const std::u16string units = Cp932Ready(text);
  const iconv_t cd = Opened(false);
  Text out(units.size() * 2, '\0');  // at most two bytes a unit
  char* in = reinterpret_cast<char*>(const_cast<char16_t*>(units.data()));
  size_t inLeft = units.size() * sizeof(char16_t);
  char* put = out.data();
  size_t outLeft = out.size();
  while (inLeft > 0) {
    if (iconv(cd, &in, &inLeft, &put, &outLeft) != static_cast<size_t>(-1)) break;
    if (errno != EILSEQ) throw std::runtime_error("CP932 conversion failed");  // whole units, room for all
    *put++ = '?';  // a "?" is never longer than the two bytes the unit may take
    --outLeft;
    in += sizeof(char16_t);
    inLeft -= sizeof(char16_t);
  }
  out.resize(static_cast<size_t>(put - out.data()));
  return out;
}

std::u16string Utf16FromCp932(std::string_view cp932) {
  const iconv_t cd = Opened(true);
  std::u16string out(cp932.size(), u'\0');  // at most one unit a byte
  char* in = const_cast<char*>(cp932.data());
  size_t inLeft = cp932.size();
  char* put = reinterpret_cast<char*>(out.data());
  size_t outLeft = out.size() * sizeof(char16_t);
  while (inLeft > 0) {
    if (iconv(cd, &in, &inLeft, &put, &outLeft) != static_cast<size_t>(-1)) break;
    if (errno != EILSEQ && errno != EINVAL) throw std::runtime_error("CP932 conversion failed");
    // Bytes without a character: U+FFFD, and on past what they would begin,
    // as the Windows twin does.
    const char16_t replacement = 0xFFFD;
    std::memcpy(put, &replacement, sizeof replacement);
    put += sizeof replacement;
    outLeft -= sizeof replacement;
    const size_t skip = Cp932CharLength({in, inLeft});
    in += skip;
    inLeft -= skip;
  }
  out.resize(static_cast<size_t>(put - reinterpret_cast<char*>(out.data())) / sizeof(char16_t));
  return out;
}

}  // namespace rinban
