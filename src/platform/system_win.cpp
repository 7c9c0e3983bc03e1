#include <windows.h>

#include "platform/system.h"

namespace rinban {

ColorValue SystemColor(int index) { return static_cast<ColorValue>(GetSysColor(index)); }

Text ModulePath() {
  char buffer[261];
  const DWORD got = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  return Text(buffer, got < sizeof buffer ? got : sizeof buffer - 1);
}

}  // namespace rinban
