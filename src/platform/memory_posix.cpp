#include <unistd.h>

#include <limits>

#include "platform/memory.h"

namespace rinban {

uint64_t AvailableMemory() {
  const long pages = sysconf(_SC_AVPHYS_PAGES);
  const long size = sysconf(_SC_PAGESIZE);
  if (pages <= 0 || size <= 0) return std::numeric_limits<uint64_t>::max();
  return static_cast<uint64_t>(pages) * static_cast<uint64_t>(size);
}

}  // namespace rinban
