// How much more memory the program can still get. Win32 in memory_win.cpp,
// POSIX twin in memory_posix.cpp.
#pragma once

#include <cstdint>

namespace rinban {

// Bytes that can still be committed and addressed by this process; a guess
// from the platform, used only to refuse work that cannot possibly fit.
uint64_t AvailableMemory();

}  // namespace rinban
