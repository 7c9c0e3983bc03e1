// The seven options that shape the HTML cross table, and their settings file.
#pragma once

#include <cstdint>
#include <span>

#include "platform/system.h"
#include "text/text.h"

namespace rinban {

struct TableOptions {
  Text Title;
  int32_t Number = 0;
  ColorValue FontColor = 0;
  ColorValue MemberColor = 0;
  ColorValue CelColor = 0;
  bool PointInt = false;
  ColorValue PointColor = 0;
};

inline constexpr char kOptionsSection[] = "HTMLOption";

// How an option is held while the program runs and stored in the file.
enum class OptionKind {
  Text,    // the text of an edit box; stored as it is
  Choice,  // the item index of a drop-down list; a signed decimal
  Color,   // the colour of a swatch; a signed decimal
  Flag,    // the state of a check box; "1" or "0"
};

// One option, described once: its settings key, the component that holds it
// live, its kind, its field of TableOptions and its default. Text options
// use text and defaultText, Flag options flag, the others number.
struct OptionSpec {
  const char* key;
  const char* control;
  OptionKind kind;
  Text TableOptions::* text = nullptr;
  int32_t TableOptions::* number = nullptr;
  bool TableOptions::* flag = nullptr;
  int32_t defaultValue = 0;
  const char* defaultText = "";
};

// The seven options in key order, the order of every load and save.
std::span<const OptionSpec> TableOptionSpecs();

// The values used for a missing or unreadable key.
TableOptions DefaultTableOptions();

// Reads the seven keys in order; never fails.
TableOptions LoadTableOptions(const WidePath& path);

// Sets the seven keys in order and puts the file in place whole, or throws
// AppError(kSettingsWrite, path) and leaves it as it was.
void SaveTableOptions(const WidePath& path, const TableOptions& options);

// The name with its extension (from the last '.') replaced by ext, or ext
// appended when the last '.', '\\' or ':' is not a dot. In code page 932 a
// second byte never counts; in UTF-16 every unit is a character.
Text ReplaceExtension(const Text& fileName, const Text& ext);
std::u16string ReplaceExtension(const std::u16string& fileName, const std::u16string& ext);

// The executable's path with ".INI" for its extension.
WidePath SettingsPath();

}  // namespace rinban
