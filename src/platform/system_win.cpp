#include <windows.h>

#include <string>

#include "platform/system.h"

namespace rinban {

ColorValue SystemColor(int index) { return static_cast<ColorValue>(GetSysColor(index)); }

WidePath ModulePath() {
  // A path that fills the buffer may have been cut: try again with twice
  // the room, up to the longest path Windows has.
  for (DWORD size = MAX_PATH + 1; size <= 65536; size *= 2) {
    std::wstring buffer(size, L'\0');
    const DWORD got = GetModuleFileNameW(nullptr, buffer.data(), size);
    if (got == 0) return {};
    if (got < size) return WidePath(buffer.begin(), buffer.begin() + got);
  }
  return {};
}

}  // namespace rinban
