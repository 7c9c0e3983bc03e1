#pragma once

#include "table/options.h"

namespace rinban {

// The platform's current system colour for index (GetSysColor on Windows).
ColorValue SystemColor(int index);

// A system-colour reference resolved to a plain colour; others unchanged.
ColorValue ResolveColor(ColorValue color);

// Six upper-case hex digits, red, green, blue.
Text ColorToHex(ColorValue color);

}  // namespace rinban
