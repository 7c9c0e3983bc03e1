#include <windows.h>

#include <limits>
#include <new>

#include "platform/encoding.h"

namespace rinban {
namespace {

constexpr UINT kTextCodePage = 932;

int CheckedSize(size_t size) {
  if (size > static_cast<size_t>(std::numeric_limits<int>::max())) throw std::bad_alloc();
  return static_cast<int>(size);
}

}  // namespace

Text Cp932FromUtf16(std::u16string_view text) {
  if (text.empty()) return {};
  const std::u16string ready = Cp932Ready(text);
  const auto* wide = reinterpret_cast<const wchar_t*>(ready.data());
  const int size = CheckedSize(ready.size());
  const int count = WideCharToMultiByte(kTextCodePage, WC_NO_BEST_FIT_CHARS, wide, size, nullptr, 0,
                                        "?", nullptr);
  Text bytes(static_cast<size_t>(count), '\0');
  WideCharToMultiByte(kTextCodePage, WC_NO_BEST_FIT_CHARS, wide, size, bytes.data(), count, "?",
                      nullptr);
  return bytes;
}

std::u16string Utf16FromCp932(std::string_view cp932) {
  std::u16string out;
  out.reserve(cp932.size());
  for (size_t i = 0; i < cp932.size();) {
    const size_t len = Cp932CharLength(cp932.substr(i));
    const auto b = static_cast<unsigned char>(cp932[i]);
    // Windows' own single bytes, which the C library's table lacks; each
    // character alone, so that one without a code fails alone.
    const bool own = len == 1 && (b == 0x80 || b == 0xA0 || b >= 0xFD);
    wchar_t unit = 0;
    if (own || MultiByteToWideChar(kTextCodePage, MB_ERR_INVALID_CHARS, cp932.data() + i, static_cast<int>(len),
                                   &unit, 1) != 1)
      unit = 0xFFFD;
    out.push_back(static_cast<char16_t>(unit));
    i += len;
  }
  return out;
}

size_t WideLength(std::string_view cp932) {
  if (cp932.empty()) return 0;
  return static_cast<size_t>(
      MultiByteToWideChar(kTextCodePage, 0, cp932.data(), CheckedSize(cp932.size()), nullptr, 0));
}

void ToWideInto(std::string_view cp932, wchar_t* out, size_t length) {
  if (length == 0) return;
  MultiByteToWideChar(kTextCodePage, 0, cp932.data(), CheckedSize(cp932.size()), out,
                      CheckedSize(length));
}

std::wstring ToWide(std::string_view cp932) {
  std::wstring wide(WideLength(cp932), L'\0');
  ToWideInto(cp932, wide.data(), wide.size());
  return wide;
}

Text ToText(std::wstring_view text) {
  return Cp932FromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
}

std::string Utf8FromWide(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = CheckedSize(text.size());
  const int count = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(count), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), count, nullptr, nullptr);
  return out;
}

}  // namespace rinban
