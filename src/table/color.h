#pragma once

#include "table/options.h"

namespace rinban {

// A system-colour reference resolved to a plain colour; others unchanged.
ColorValue ResolveColor(ColorValue color);

// Six upper-case hex digits, red, green, blue.
Text ColorToHex(ColorValue color);

// The colour dialog's sixteen custom slots, "ColorA" to "ColorP", as hex text.
inline constexpr int kCustomColorCount = 16;
TextList InitialCustomColors();

// Slot text to colour: hex digits, empty counts as 0xFFFFFFFF.
uint32_t ParseCustomColor(const Text& slot);
// At least six upper-case hex digits.
Text FormatCustomColor(uint32_t color);

}  // namespace rinban
