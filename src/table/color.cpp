#include "table/color.h"

#include <cstdio>
#include <cstdlib>

namespace rinban {

ColorValue ResolveColor(ColorValue color) { return color < 0 ? SystemColor(color & 0xFF) : color; }

Text ColorToHex(ColorValue color) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  const auto c = static_cast<uint32_t>(ResolveColor(color));
  Text hex(6, '0');
  for (int i = 0; i < 3; ++i) {  // red, green, blue: the low byte first
    const uint32_t byte = (c >> (8 * i)) & 0xFF;
    hex[2 * i] = kDigits[byte >> 4];
    hex[2 * i + 1] = kDigits[byte & 0xF];
  }
  return hex;
}

TextList InitialCustomColors() { return TextList(kCustomColorCount, Text("FFFFFFFF")); }

uint32_t ParseCustomColor(const Text& slot) {
  if (slot.empty()) return 0xFFFFFFFF;
  return static_cast<uint32_t>(std::strtoul(slot.c_str(), nullptr, 16));
}

Text FormatCustomColor(uint32_t color) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%.6lX", static_cast<unsigned long>(color));
  return buffer;
}

}  // namespace rinban
