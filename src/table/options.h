// The seven options that shape the HTML cross table, and their settings file.
#pragma once

#include <cstdint>

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

// The values used for a missing or unreadable key.
TableOptions DefaultTableOptions();

// Reads the seven keys in order; never fails.
TableOptions LoadTableOptions(const Text& path);

// Writes the seven keys in order; stops at the first failing key with
// AppError(kSettingsWrite, path). The file is flushed on every path.
void SaveTableOptions(const Text& path, const TableOptions& options);

// The name with its extension (from the last '.', CP932-aware) replaced by ext,
// or ext appended when the last '.', '\\' or ':' is not a dot.
Text ReplaceExtension(const Text& fileName, const Text& ext);

// The executable's path with ".INI" for its extension.
Text SettingsPath();

}  // namespace rinban
