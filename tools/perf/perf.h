// Helpers shared by the timing driver and the EDIT probe.
#pragma once

#include <windows.h>

#include <cstdio>
#include <cstdlib>
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

[[noreturn]] inline void Fail(const std::string& what) {
  std::fprintf(stderr, "perf_driver: %s\n", what.c_str());
  std::exit(2);
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

inline void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) Fail("cannot create list.txt");
  DWORD done = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
  CloseHandle(file);
}

// A fresh folder name under the temp path for a run on n names.
inline std::wstring TempFolderFor(int n) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  return std::wstring(temp) + L"rinban-perf-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
         std::to_wstring(n);
}

// The EDIT probe: prints how long the memo's control takes the listing of n names.
int RunEditProbe(int n);

}  // namespace rinban::perf
