#include "rinban_main.h"

namespace rinban {

int RunApplication(HINSTANCE instance, int show) {
  MessageBoxW(nullptr, L"rinban 2.0", L"rinban 2", MB_OK);
  return 0;
}

}  // namespace rinban
