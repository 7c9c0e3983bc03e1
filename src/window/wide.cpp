#include "window/wide.h"

#include "window/failure.h"

#include <string>

namespace rinban {

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
