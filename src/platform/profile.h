// The platform's private-profile (INI) functions, behind an interface so the
// settings logic runs natively too: Win32 in profile_win.cpp, an in-memory
// stand-in in profile_posix.cpp.
#pragma once

#include "text/text.h"

namespace rinban {

class ProfileBackend {
 public:
  virtual ~ProfileBackend() = default;
  // The stored value cut to 2047 bytes, or the default when file, section or key is missing.
  virtual Text Read(const Text& path, const Text& section, const Text& key, const Text& def) = 0;
  // Stores value so that Read gives it back unchanged; false when the write fails.
  virtual bool Write(const Text& path, const Text& section, const Text& key, const Text& value) = 0;
  virtual void Flush(const Text& path) = 0;
};

// The platform's backend for this build.
ProfileBackend& PlatformProfile();

// The form of value that the platform's profile reader gives back unchanged:
// it drops blanks around a value and one pair of enclosing quotes, so such a
// value gets one more pair of double quotes. Other values stay as they are.
Text QuoteProfileValue(const Text& value);

}  // namespace rinban
