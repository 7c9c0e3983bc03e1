// Splits a fuzz input into a few fields: bytes up to each 0xFF separator.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace rinban::fuzz {

inline std::vector<std::string> Fields(const uint8_t* data, size_t size, size_t want) {
  std::vector<std::string> out(1);
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0xFF && out.size() < want) out.emplace_back();
    else out.back().push_back(static_cast<char>(data[i]));
  }
  out.resize(want);
  return out;
}

inline void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "property failed: %s\n", what);
    __builtin_trap();
  }
}

}  // namespace rinban::fuzz
