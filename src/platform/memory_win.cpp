#include <windows.h>

#include <algorithm>
#include <limits>

#include "platform/memory.h"

namespace rinban {

uint64_t AvailableMemory() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  // Unknown: refuse nothing, the allocations themselves will tell.
  if (!GlobalMemoryStatusEx(&status)) return std::numeric_limits<uint64_t>::max();
  return std::min<uint64_t>(status.ullAvailPageFile, status.ullAvailVirtual);
}

}  // namespace rinban
