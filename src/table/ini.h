// The settings file's text, read and rewritten by the program itself so that
// it is code page 932 on every system: names match without regard to case,
// the first of duplicate sections and keys counts, blanks around a value and
// one pair of enclosing quotes are dropped on reading, and a rewrite keeps
// every line it does not set byte for byte.
#pragma once

#include <optional>
#include <string_view>

#include "text/text.h"

namespace rinban {

// Values are cut to this many bytes on reading, as a 2048-byte buffer would.
inline constexpr size_t kIniValueLimit = 2047;

// The value of key in the first section named section, as the reader gives
// it back; nullopt when the section or the key is missing. Lines before the
// first section header belong to no section.
std::optional<Text> IniValue(std::string_view text, std::string_view section, std::string_view key);

// Sets key in the first section named section to value, quoted so that
// IniValue gives it back: the value of the first such key is replaced where
// it stands, a missing key goes after the section's last line that is not
// blank, a missing section at the end. Lines it writes end in CR LF.
void SetIniValue(Text& text, std::string_view section, std::string_view key, const Text& value);

// The form of value that the reader gives back unchanged: a value with a
// blank at either end, or enclosed in a pair of quotes, gets one more pair
// of double quotes. Other values stay as they are.
Text QuoteProfileValue(const Text& value);

}  // namespace rinban
