// Helpers shared by the timing driver and the EDIT probe.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/encoding.h"

namespace rinban::perf {

// <chrono> does not compile with a CP932 execution charset.
struct Clock {
  using time_point = LONGLONG;
  static time_point now() {
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return count.QuadPart;
  }
};

inline double MsSince(Clock::time_point start) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(Clock::now() - start) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// About ten bytes a name; every third one Japanese.
inline std::string MemberList(int n) {
  static const wchar_t* const kFamily[] = {L"山田", L"佐藤", L"鈴木", L"高橋", L"田中", L"渡辺"};
  std::string list;
  for (int i = 0; i < n; ++i) {
    wchar_t name[32];
    if (i % 3 == 0)
      swprintf(name, 32, L"%ls%ls%04d", kFamily[i % 6], L"太", i);  // 6 + 4 bytes
    else
      swprintf(name, 32, L"Player%04d", i);
    list += ToText(name);
    list += "\r\n";
  }
  return list;
}

// The EDIT probe: prints how long the memo's control takes the listing of n names.
int RunEditProbe(int n);

}  // namespace rinban::perf
