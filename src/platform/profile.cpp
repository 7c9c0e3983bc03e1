#include "platform/profile.h"

namespace rinban {
namespace {

// Blanks the platform's profile functions drop from either end of a value.
bool IsProfileBlank(unsigned char c) { return c == ' ' || (c >= 0x09 && c <= 0x0D) || c == 0x1A; }

bool NeedsProfileQuotes(const Text& value) {
  if (value.empty()) return false;
  const unsigned char first = value.front(), last = value.back();
  // No CP932 second byte lies in these ranges, so looking at the last byte is safe.
  if (IsProfileBlank(first) || IsProfileBlank(last)) return true;
  return value.size() >= 2 && (first == '"' || first == '\'') && last == first;
}

}  // namespace

Text QuoteProfileValue(const Text& value) {
  if (!NeedsProfileQuotes(value)) return value;
  Text quoted;
  quoted.reserve(value.size() + 2);
  quoted.append(1, '"').append(value).append(1, '"');
  return quoted;
}

}  // namespace rinban
