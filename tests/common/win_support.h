// Windows scaffolding shared by the in-process tests and the end-to-end
// driver.
#pragma once

#include <windows.h>

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

}  // namespace rinban::testing_support
