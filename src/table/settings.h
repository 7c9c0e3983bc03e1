// One private-profile (INI) file, named by its path; no handle is held
// between calls.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/profile.h"
#include "text/text.h"

namespace rinban {

// The number syntax of integer keys: leading spaces, then decimal with an
// optional sign inside 32 bits, or "$"/x/X/0x/0X with at most eight
// significant hex digits taken as a 32-bit pattern. Nothing else.
std::optional<int32_t> ParseProfileInt(const Text& text);

class SettingsFile {
 public:
  explicit SettingsFile(Text path, ProfileBackend& backend = PlatformProfile())
      : path_(std::move(path)), backend_(backend) {}
  ~SettingsFile();  // flushes the platform's cache for the file
  SettingsFile(const SettingsFile&) = delete;
  SettingsFile& operator=(const SettingsFile&) = delete;

  const Text& Path() const { return path_; }

  Text ReadTextKey(const Text& section, const Text& key, const Text& def);
  int32_t ReadIntKey(const Text& section, const Text& key, int32_t def);
  bool ReadBoolKey(const Text& section, const Text& key, bool def);

  // Each throws AppError(kSettingsWrite, path) when the write fails.
  void WriteTextKey(const Text& section, const Text& key, const Text& value);
  void WriteIntKey(const Text& section, const Text& key, int32_t value);
  void WriteBoolKey(const Text& section, const Text& key, bool value);

 private:
  Text path_;
  ProfileBackend& backend_;
};

}  // namespace rinban
