#include <cstdio>

#include "fuzz_common.h"
#include "table/settings.h"

using namespace rinban;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Text text(reinterpret_cast<const char*>(data), size);
  const auto value = ParseProfileInt(text);
  if (!value) return 0;
  // Whatever parses must survive both written forms.
  fuzz::Check(ParseProfileInt(ToDecimal(*value)) == value, "decimal round trip");
  char hex[16];
  std::snprintf(hex, sizeof hex, "$%X", static_cast<unsigned>(*value));
  fuzz::Check(ParseProfileInt(hex) == value, "hex round trip");
  // Nothing after the number is accepted.
  fuzz::Check(!ParseProfileInt(text + " "), "trailing space accepted");
  return 0;
}
