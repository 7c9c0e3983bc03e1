#include <windows.h>

#include <cstring>

#include "table/settings.h"

namespace rinban {
namespace {

constexpr DWORD kReadBuffer = 2048;

class Win32Profile final : public ProfileBackend {
 public:
  Text Read(const Text& path, const Text& section, const Text& key, const Text& def) override {
    // Zeroed first: a value cut inside a double-byte character may come back
    // with a count that includes a byte the call never wrote.
    char buffer[kReadBuffer] = {};
    const DWORD got = GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), buffer,
                                               kReadBuffer, path.c_str());
    return Text(buffer, strnlen(buffer, got));
  }

  bool Write(const Text& path, const Text& section, const Text& key, const Text& value) override {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(),
                                      QuoteProfileValue(value).c_str(), path.c_str()) != FALSE;
  }

  void Flush(const Text& path) override {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());  // a failure changes nothing
  }
};

}  // namespace

ProfileBackend& PlatformProfile() {
  static Win32Profile profile;
  return profile;
}

}  // namespace rinban
