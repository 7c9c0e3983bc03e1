#include "table/color.h"

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

}  // namespace rinban
