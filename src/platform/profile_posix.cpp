#include "platform/profile_memory.h"

namespace rinban {
namespace {

constexpr size_t kReadLimit = 2047;  // the Win32 reads use a 2048-byte buffer

}  // namespace

Text MemoryProfile::Read(const Text& path, const Text& section, const Text& key, const Text& def) {
  const auto it = values_.find({path, section, key});
  const Text& value = it == values_.end() ? def : it->second;
  return value.substr(0, kReadLimit);
}

bool MemoryProfile::Write(const Text& path, const Text& section, const Text& key, const Text& value) {
  if (failing_.count({path, key})) return false;
  values_[{path, section, key}] = value;
  return true;
}

int MemoryProfile::FlushCount(const Text& path) const {
  const auto it = flushes_.find(path);
  return it == flushes_.end() ? 0 : it->second;
}

std::map<std::pair<Text, Text>, Text> MemoryProfile::Stored(const Text& path) const {
  std::map<std::pair<Text, Text>, Text> out;
  for (const auto& [where, value] : values_)
    if (std::get<0>(where) == path) out[{std::get<1>(where), std::get<2>(where)}] = value;
  return out;
}

void MemoryProfile::Clear() {
  values_.clear();
  failing_.clear();
  flushes_.clear();
}

MemoryProfile& NativeProfile() {
  static MemoryProfile profile;
  return profile;
}

ProfileBackend& PlatformProfile() { return NativeProfile(); }

}  // namespace rinban
