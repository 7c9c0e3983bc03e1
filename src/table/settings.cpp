#include "table/settings.h"

#include "text/error.h"
#include "text/messages.h"

namespace rinban {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<int32_t> ParseProfileInt(const Text& text) {
  size_t i = 0;
  const size_t n = text.size();
  while (i < n && text[i] == ' ') ++i;
  if (i == n) return std::nullopt;

  size_t digits = i;  // where the hex digits begin, when there is a prefix
  if (text[i] == '$' || text[i] == 'x' || text[i] == 'X') {
    digits = i + 1;
  } else if (text[i] == '0' && i + 1 < n && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    digits = i + 2;
  }
  if (digits != i) {
    if (digits == n) return std::nullopt;
    uint32_t value = 0;
    int significant = 0;
    for (size_t k = digits; k < n; ++k) {
      const int d = HexDigit(text[k]);
      if (d < 0) return std::nullopt;
      if (significant == 0 && d == 0) continue;  // leading zeros are free
      if (++significant > 8) return std::nullopt;
      value = (value << 4) | static_cast<uint32_t>(d);
    }
    return static_cast<int32_t>(value);
  }

  bool negative = false;
  if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
  if (i == n) return std::nullopt;
  // The magnitude in 64 bits; stopping past 2^31 keeps it from overflowing.
  int64_t value = 0;
  for (; i < n; ++i) {
    if (!IsDigit(text[i])) return std::nullopt;
    value = value * 10 + (text[i] - '0');
    if (value > int64_t{2147483648}) return std::nullopt;
  }
  if (!negative && value > int64_t{2147483647}) return std::nullopt;
  return static_cast<int32_t>(negative ? -value : value);
}

SettingsFile::SettingsFile(WidePath path) : path_(std::move(path)) {
  FileBytes file = ReadFileIfAny(path_);
  unreadable_ = file.state == FileBytes::Unreadable;
  text_ = SettingsTextOf(file.bytes);
}

Text SettingsFile::ReadTextKey(const Text& section, const Text& key, const Text& def) const {
  return ReadSettingsValue(text_, section, key).value_or(def);
}

int32_t SettingsFile::ReadIntKey(const Text& section, const Text& key, int32_t def) const {
  Text text = ReadTextKey(section, key, Text());
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    text.replace(0, 2, "$");
  return ParseProfileInt(text).value_or(def);
}

bool SettingsFile::ReadBoolKey(const Text& section, const Text& key, bool def) const {
  return ReadIntKey(section, key, def ? 1 : 0) != 0;
}

void SettingsFile::WriteTextKey(const Text& section, const Text& key, const Text& value) {
  WriteSettingsValue(text_, section, key, value);
}

void SettingsFile::WriteIntKey(const Text& section, const Text& key, int32_t value) {
  WriteTextKey(section, key, ToDecimal(value));
}

void SettingsFile::WriteBoolKey(const Text& section, const Text& key, bool value) {
  WriteTextKey(section, key, value ? "1" : "0");
}

void SettingsFile::Save() const {
  if (unreadable_ || ReplaceFileWith(path_, SettingsBytes(text_)) != WriteResult::Done)
    throw AppError(msg::kSettingsWrite, PathText(path_));
}

}  // namespace rinban
