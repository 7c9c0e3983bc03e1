#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/encoding.h"
#include "platform/profile.h"

namespace rinban {
namespace {

constexpr DWORD kReadBuffer = 2048;
constexpr size_t kLongestValue = 32766;  // UTF-16 characters

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
    // The A call converts the value to a counted UTF-16 string of at most
    // 32767 characters with its terminator; Wine then writes from an
    // unset pointer instead of failing, so a longer value is never passed.
    const Text stored = QuoteProfileValue(value);
    if (AnsiToWide(stored).size() > kLongestValue) return false;
    if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), stored.c_str(),
                                    path.c_str()))
      return false;
    // Wine's writer reports success for a value of 32767 bytes or more and
    // stores a few stray bytes instead, so a value is only saved once it
    // reads back. Compared as text: the platform may store another code of
    // the same character (CP932's duplicate NEC and IBM rows).
    std::vector<char> back(value.size() + 3, '\0');
    const DWORD got = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", back.data(),
                                               static_cast<DWORD>(back.size()), path.c_str());
    return AnsiToWide(Text(back.data(), strnlen(back.data(), got))) == AnsiToWide(value);
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
