// The native build's profile: values kept in memory by path, section and key,
// so the settings logic runs and is tested without Windows. It stores what it
// is given and parses no INI text.
#pragma once

#include <map>
#include <set>
#include <tuple>

#include "platform/profile.h"

namespace rinban {

class MemoryProfile final : public ProfileBackend {
 public:
  Text Read(const Text& path, const Text& section, const Text& key, const Text& def) override;
  bool Write(const Text& path, const Text& section, const Text& key, const Text& value) override;
  void Flush(const Text& path) override { ++flushes_[path]; }

  // From now on every write of key to path fails, as a read-only file would.
  void FailWritesOf(const Text& path, const Text& key) { failing_.emplace(path, key); }
  int FlushCount(const Text& path) const;
  // Every value stored for path, in section and key order.
  std::map<std::pair<Text, Text>, Text> Stored(const Text& path) const;
  void Clear();

 private:
  std::map<std::tuple<Text, Text, Text>, Text> values_;
  std::set<std::pair<Text, Text>> failing_;
  std::map<Text, int> flushes_;
};

// The instance PlatformProfile() returns in the native build.
MemoryProfile& NativeProfile();

}  // namespace rinban
