#include "window/wide.h"

#include "window/failure.h"

#include <limits>
#include <new>

namespace rinban {

std::wstring ToWide(std::string_view text) {
  if (text.empty()) return {};
  if (text.size() > static_cast<size_t>(std::numeric_limits<int>::max())) throw std::bad_alloc();
  const int size = static_cast<int>(text.size());
  const int count = MultiByteToWideChar(kTextCodePage, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(count), L'\0');
  MultiByteToWideChar(kTextCodePage, 0, text.data(), size, wide.data(), count);
  return wide;
}

Text ToText(std::wstring_view text) {
  if (text.empty()) return {};
  if (text.size() > static_cast<size_t>(std::numeric_limits<int>::max())) throw std::bad_alloc();
  const int size = static_cast<int>(text.size());
  const int count =
      WideCharToMultiByte(kTextCodePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  Text bytes(static_cast<size_t>(count), '\0');
  WideCharToMultiByte(kTextCodePage, 0, text.data(), size, bytes.data(), count, nullptr, nullptr);
  return bytes;
}

Text WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(window, wide.data(), length + 1);
  wide.resize(static_cast<size_t>(got));
  return ToText(wide);
}

void SetWindowTextCp932(HWND window, const Text& text) {
  const std::wstring wide = ToWide(text);
  if (!SetWindowTextW(window, wide.c_str())) ThrowLastError("SetWindowTextW");
}

}  // namespace rinban
