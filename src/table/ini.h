// The settings file's text, read and rewritten by the program itself, as
// Windows' profile functions read it: names match without regard to case,
// the first of duplicate sections and keys counts, blanks around names and
// values and one pair of enclosing quotes are dropped on reading, and a
// rewrite keeps every line it does not set byte for byte. The text is code
// page 932 or UTF-8 bytes; everything that gives it its shape is ASCII.
#pragma once

#include <optional>
#include <string_view>

#include "text/text.h"

namespace rinban {

// Code page 932 needs its lead bytes skipped: a second byte may be ']'.
enum class IniBytes { Cp932, Utf8 };

// The value of key in the first section named section, as the reader gives
// it back; nullopt when the section or the key is missing. Lines before the
// first section header belong to no section.
std::optional<Text> IniValue(std::string_view text, std::string_view section, std::string_view key,
                             IniBytes bytes);

// Sets key in the first section named section to value, quoted so that
// IniValue gives it back: the value of the first such key is replaced where
// it stands, a missing key goes after the section's last line that is not
// blank, a missing section at the end. Lines it writes end in CR LF.
void SetIniValue(Text& text, std::string_view section, std::string_view key, const Text& value,
                 IniBytes bytes);

// The form of value that the reader gives back unchanged: a value with a
// blank at either end, or enclosed in a pair of quotes, gets one more pair
// of double quotes. Other values stay as they are.
Text QuoteProfileValue(const Text& value);

}  // namespace rinban
