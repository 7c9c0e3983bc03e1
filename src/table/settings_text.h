// The settings file's bytes and the text the INI module works on: code page
// 932 bytes as they are, or UTF-8 for a file in UTF-8 or UTF-16, so that a
// save writes the file back in the encoding it was read in, every line the
// save does not set kept byte for byte.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "text/text.h"

namespace rinban {

// A value read comes back cut to this many bytes of code page 932, as a
// 2048-byte buffer would.
inline constexpr size_t kTextKeyLimit = 2047;

enum class SettingsEncoding { Cp932, Utf8, Utf8Marked, Utf16Le, Utf16Be };

struct SettingsText {
  SettingsEncoding encoding = SettingsEncoding::Cp932;
  std::string text;  // code page 932 for Cp932, else UTF-8
  std::string tail;  // the odd last byte of a UTF-16 file
};

// A UTF-8 or UTF-16 mark decides alone. Without one, the bytes are UTF-8
// when they are well-formed UTF-8 holding a byte of 0x80 or above, and code
// page 932 otherwise, byte for byte.
SettingsEncoding SettingsEncodingOf(std::string_view bytes);

SettingsText SettingsTextOf(std::string_view bytes);

// The file's bytes for text: SettingsTextOf's exact inverse. A code page 932
// text that would read as UTF-8 gets a first comment line that only code
// page 932 can spell, so that the program's own file never does.
std::string SettingsBytes(const SettingsText& text);

// A key's value as code page 932 (ini.h's rules), nullopt when it is missing.
std::optional<Text> ReadSettingsValue(const SettingsText& text, std::string_view section, std::string_view key);
// Sets a key to a code page 932 value, in the text's own encoding.
void WriteSettingsValue(SettingsText& text, std::string_view section, std::string_view key, const Text& value);

}  // namespace rinban
