#include <windows.h>

#include <limits>
#include <new>

#include "platform/encoding.h"

namespace rinban {
namespace {

constexpr UINT kTextCodePage = 932;

// JIS form -> the character CP932 holds under the same code.
constexpr struct {
  wchar_t jis, cp932;
} kJisForms[] = {{0x301C, 0xFF5E}, {0x2016, 0x2225}, {0x2212, 0xFF0D}, {0x00A2, 0xFFE0},
                 {0x00A3, 0xFFE1}, {0x00AC, 0xFFE2}, {0x2014, 0x2015}};

int CheckedSize(size_t size) {
  if (size > static_cast<size_t>(std::numeric_limits<int>::max())) throw std::bad_alloc();
  return static_cast<int>(size);
}

bool IsSurrogate(wchar_t u) { return u >= 0xD800 && u <= 0xDFFF; }
bool IsHigh(wchar_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLow(wchar_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// The text as the code page's converter should see it: JIS forms replaced,
// and each character outside the basic plane one "?" rather than two.
std::wstring Prepared(std::wstring_view text) {
  std::wstring out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    wchar_t u = text[i];
    if (IsSurrogate(u)) {
      if (IsHigh(u) && i + 1 < text.size() && IsLow(text[i + 1])) ++i;
      u = L'?';
    }
    for (const auto& form : kJisForms)
      if (u == form.jis) u = form.cp932;
    out.push_back(u);
  }
  return out;
}

}  // namespace

Text Cp932FromUtf16(std::u16string_view text) {
  return ToText(std::wstring_view(reinterpret_cast<const wchar_t*>(text.data()), text.size()));
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
  if (text.empty()) return {};
  const std::wstring wide = Prepared(text);
  const int size = CheckedSize(wide.size());
  const int count = WideCharToMultiByte(kTextCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), size,
                                        nullptr, 0, "?", nullptr);
  Text bytes(static_cast<size_t>(count), '\0');
  WideCharToMultiByte(kTextCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), size, bytes.data(), count,
                      "?", nullptr);
  return bytes;
}

std::wstring AnsiToWide(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = CheckedSize(bytes.size());
  std::wstring wide(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0)),
                    L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, wide.data(), static_cast<int>(wide.size()));
  return wide;
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
