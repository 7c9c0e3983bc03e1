#include "table/settings_text.h"

#include "platform/encoding.h"
#include "table/ini.h"

namespace rinban {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF", kUtf16LeMark = "\xFF\xFE", kUtf16BeMark = "\xFE\xFF";

// "; 文字コード: シフト JIS" in code page 932: its lead bytes can begin no
// UTF-8 character. Spelled in bytes, as a build may keep literals UTF-8.
constexpr std::string_view kCp932Line =
    "; \x95\xB6\x8E\x9A\x83\x52\x81\x5B\x83\x68: \x83\x56\x83\x74\x83\x67 JIS\r\n";

bool StartsWith(std::string_view text, std::string_view mark) { return text.substr(0, mark.size()) == mark; }

std::string_view MarkOf(SettingsEncoding encoding) {
  switch (encoding) {
    case SettingsEncoding::Utf8Marked: return kUtf8Mark;
    case SettingsEncoding::Utf16Le: return kUtf16LeMark;
    case SettingsEncoding::Utf16Be: return kUtf16BeMark;
    default: return {};
  }
}

std::string Bytes(std::u16string_view units, bool bigEndian) {
  std::string bytes;
  bytes.reserve(units.size() * 2);
  for (const char16_t u : units) {
    const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
    bytes.append(bigEndian ? std::string{hi, lo} : std::string{lo, hi});
  }
  return bytes;
}

IniBytes BytesOf(const SettingsText& text) {
  return text.encoding == SettingsEncoding::Cp932 ? IniBytes::Cp932 : IniBytes::Utf8;
}

}  // namespace

SettingsEncoding SettingsEncodingOf(std::string_view bytes) {
  if (StartsWith(bytes, kUtf8Mark)) return SettingsEncoding::Utf8Marked;
  if (StartsWith(bytes, kUtf16LeMark)) return SettingsEncoding::Utf16Le;
  if (StartsWith(bytes, kUtf16BeMark)) return SettingsEncoding::Utf16Be;
  bool high = false;
  return IsWellFormedUtf8(bytes, &high) && high ? SettingsEncoding::Utf8 : SettingsEncoding::Cp932;
}

SettingsText SettingsTextOf(std::string_view bytes) {
  SettingsText out;
  out.encoding = SettingsEncodingOf(bytes);
  bytes.remove_prefix(MarkOf(out.encoding).size());
  if (out.encoding == SettingsEncoding::Utf16Le || out.encoding == SettingsEncoding::Utf16Be) {
    if (bytes.size() % 2 != 0) {
      out.tail.assign(1, bytes.back());
      bytes.remove_suffix(1);
    }
    out.text = Utf8FromUtf16(Utf16Units(bytes, out.encoding == SettingsEncoding::Utf16Be));
  } else {
    out.text = bytes;
  }
  return out;
}

std::string SettingsBytes(const SettingsText& text) {
  std::string bytes(MarkOf(text.encoding));
  switch (text.encoding) {
    case SettingsEncoding::Utf16Le:
    case SettingsEncoding::Utf16Be:
      bytes += Bytes(Utf16FromUtf8(text.text), text.encoding == SettingsEncoding::Utf16Be);
      break;
    case SettingsEncoding::Cp932:
      if (SettingsEncodingOf(text.text) != SettingsEncoding::Cp932) bytes = kCp932Line;
      bytes += text.text;
      break;
    default: bytes += text.text;
  }
  return bytes + text.tail;
}

std::optional<Text> ReadSettingsValue(const SettingsText& text, std::string_view section, std::string_view key) {
  std::optional<Text> value = IniValue(text.text, section, key, BytesOf(text));
  if (!value) return value;
  if (BytesOf(text) == IniBytes::Utf8) value = Cp932FromUtf16(Utf16FromUtf8(*value));
  if (value->size() > kTextKeyLimit) value->resize(kTextKeyLimit);
  return value;
}

void WriteSettingsValue(SettingsText& text, std::string_view section, std::string_view key, const Text& value) {
  const IniBytes bytes = BytesOf(text);
  SetIniValue(text.text, section, key, bytes == IniBytes::Utf8 ? Utf8FromUtf16(Utf16FromCp932(value)) : value, bytes);
}

}  // namespace rinban
