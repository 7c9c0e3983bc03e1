// Windows scaffolding shared by the in-process tests and the end-to-end
// driver: the walk over a window's children and the clipboard read back.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rinban::testing_support {

// Every window inside parent, at any depth, hidden ones included.
inline std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> all;
  EnumChildWindows(
      parent,
      [](HWND hwnd, LPARAM out) CALLBACK -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(out)->push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&all));
  return all;
}

// The first window inside root with the control id wanted.
inline HWND FindById(HWND root, int wanted) {
  for (HWND hwnd : Descendants(root))
    if (GetDlgCtrlID(hwnd) == wanted) return hwnd;
  return nullptr;
}

// The clipboard's data in format as raw bytes: a text format (CF_TEXT,
// CF_UNICODETEXT) up to its terminating zero, any other the whole block;
// nullopt when the clipboard cannot be opened within a second (another
// reader may hold it for a moment) or holds no such data.
inline std::optional<std::string> ClipboardBytes(UINT format) {
  const bool text = format == CF_TEXT || format == CF_OEMTEXT || format == CF_UNICODETEXT;
  const size_t unit = format == CF_UNICODETEXT ? sizeof(wchar_t) : 1;
  for (int attempt = 0; attempt < 20; ++attempt, Sleep(50)) {
    if (!OpenClipboard(nullptr)) continue;
    std::optional<std::string> bytes;
    if (HANDLE data = GetClipboardData(format)) {
      const size_t size = GlobalSize(data);
      if (const char* at = static_cast<const char*>(GlobalLock(data))) {
        size_t end = text ? 0 : size;  // up to the first zero unit, never past the block
        while (end + unit <= size && std::string_view(at + end, unit).find_first_not_of('\0') !=
                                         std::string_view::npos)
          end += unit;
        bytes = std::string(at, end);
        GlobalUnlock(data);
      }
    }
    CloseClipboard();
    return bytes;
  }
  return std::nullopt;
}

}  // namespace rinban::testing_support
