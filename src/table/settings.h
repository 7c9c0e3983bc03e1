// The settings file, named by its path: read whole when it is opened,
// changed in memory by the writes, and put in place whole by Save, in the
// encoding it was read in (settings_text.h). Values cross in code page 932.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/files.h"
#include "table/settings_text.h"
#include "text/text.h"

namespace rinban {

// The number syntax of integer keys: leading spaces, then decimal with an
// optional sign inside 32 bits, or "$"/x/X/0x/0X with at most eight
// significant hex digits taken as a 32-bit pattern. Nothing else.
std::optional<int32_t> ParseProfileInt(const Text& text);

class SettingsFile {
 public:
  // A missing or unreadable file reads as empty; a missing one is saved as
  // code page 932.
  explicit SettingsFile(WidePath path);
  SettingsFile(const SettingsFile&) = delete;
  SettingsFile& operator=(const SettingsFile&) = delete;

  const WidePath& Path() const { return path_; }

  Text ReadTextKey(const Text& section, const Text& key, const Text& def) const;
  int32_t ReadIntKey(const Text& section, const Text& key, int32_t def) const;
  bool ReadBoolKey(const Text& section, const Text& key, bool def) const;

  void WriteTextKey(const Text& section, const Text& key, const Text& value);
  void WriteIntKey(const Text& section, const Text& key, int32_t value);
  void WriteBoolKey(const Text& section, const Text& key, bool value);

  // Puts the text in the file's place. Throws AppError(kSettingsWrite, path)
  // when it cannot, and when a file is there that could not be read, which
  // would otherwise lose its other lines; the file then stays as it was.
  void Save() const;

 private:
  WidePath path_;
  bool unreadable_ = false;
  SettingsText text_;
};

}  // namespace rinban
