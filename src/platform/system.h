// Facts about the running program that only the platform knows.
#pragma once

#include <cstdint>

#include "platform/files.h"
#include "text/text.h"

namespace rinban {

// 0x00BBGGRR when non-negative. The table options also give a negative value
// a meaning of their own: a system colour indexed by the lowest byte.
using ColorValue = int32_t;

// The platform's current system colour for index (GetSysColor on Windows).
ColorValue SystemColor(int index);

// The running executable's full path, however long.
WidePath ModulePath();

}  // namespace rinban
