#include "table/ini.h"

namespace rinban {
namespace {

// Blanks dropped around names and values; no CP932 second byte is one.
bool IsBlank(unsigned char c) { return c == ' ' || (c >= 0x09 && c <= 0x0D) || c == 0x1A; }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && IsBlank(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

// A name or value as the profile functions hand it over: trimmed, then cut
// at a NUL, where the C string GetPrivateProfileStringA fills ends. The NUL
// ends nothing else: the file goes on past it, and Windows keeps those bytes
// on a write (Wine's conformance test dlls/kernel32/tests/profile.c, "NULLs
// in file before first section", which runs on Windows).
std::string_view Field(std::string_view s) {
  s = Trim(s);
  return s.substr(0, s.find('\0'));
}

// One line of the text: [begin, end) its bytes, [end, next) its line end.
// CR and LF always end a line: no code page 932 second byte is either
// (trail bytes are 0x40-0x7E and 0x80-0xFC), so a lone lead byte before a
// line end stands alone. Wine's reader takes the LF as its second byte and
// joins the lines; Windows does not.
struct Line {
  size_t begin, end, next;
};

Line LineAt(std::string_view text, size_t at) {
  size_t end = at;
  while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
  size_t next = end;
  if (next < text.size() && text[next] == '\r') ++next;
  if (next < text.size() && text[next] == '\n') ++next;
  return {at, end, next};
}

// The name of a section header line, nullopt for any other line. The last
// ']' closes it; a second byte of that value is no bracket. Blanks inside
// the brackets do not count: "[ section1 ]" is section1 (profile.c,
// test_profile_sections_names).
std::optional<std::string_view> SectionName(std::string_view line, IniBytes bytes) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  size_t close = std::string_view::npos;
  for (size_t i = 1; i < line.size(); ++i) {
    if (bytes == IniBytes::Cp932 && IsLeadByte(static_cast<unsigned char>(line[i]))) {
      ++i;
    } else if (line[i] == ']') {
      close = i;
    }
  }
  if (close == std::string_view::npos) return std::nullopt;
  return Field(line.substr(1, close - 1));
}

// A key line's name and where its value begins ('=' never is a second
// byte); nullopt for a line without '=', which is no key at all, so a later
// line of the same name counts (profile.c, test_profile_string: "name3" is
// not one of the section's keys).
struct KeyLine {
  std::string_view name;
  size_t value;  // offset in the line just past '='
};

std::optional<KeyLine> KeyOf(std::string_view line) {
  const size_t eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return KeyLine{Field(line.substr(0, eq)), eq + 1};
}

// Where a key stands, or where it would go.
struct Place {
  bool section = false;          // the section was found
  bool key = false;              // and the key in it
  size_t value = 0, valueEnd = 0;  // the bytes after its '=' on its first line
  size_t insertAt = 0;           // past the section's last line that is not blank
  bool insertNeedsLineEnd = false;
};

Place Find(std::string_view text, std::string_view section, std::string_view key, IniBytes kind) {
  Place place;
  bool inside = false;
  for (size_t at = 0; at < text.size();) {
    const Line line = LineAt(text, at);
    at = line.next;
    const std::string_view bytes = text.substr(line.begin, line.end - line.begin);
    if (Trim(bytes).empty()) continue;
    if (const auto name = SectionName(bytes, kind)) {
      if (inside) break;  // the end of the first matching section
      if (SameName(*name, section)) {
        inside = place.section = true;
        place.insertAt = line.next;
        place.insertNeedsLineEnd = line.next == line.end;
      }
      continue;
    }
    if (!inside) continue;
    place.insertAt = line.next;
    place.insertNeedsLineEnd = line.next == line.end;
    if (const auto k = KeyOf(bytes); k && SameName(k->name, key)) {
      place.key = true;
      place.value = line.begin + k->value;
      place.valueEnd = line.end;
      return place;
    }
  }
  return place;
}

}  // namespace

std::optional<Text> IniValue(std::string_view text, std::string_view section, std::string_view key,
                             IniBytes bytes) {
  const Place place = Find(text, section, key, bytes);
  if (!place.key) return std::nullopt;
  std::string_view value = Field(text.substr(place.value, place.valueEnd - place.value));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return Text(value);
}

void SetIniValue(Text& text, std::string_view section, std::string_view key, const Text& value,
                 IniBytes bytes) {
  const Text stored = QuoteProfileValue(value);
  const Place place = Find(text, section, key, bytes);
  if (place.key) {
    text.replace(place.value, place.valueEnd - place.value, stored);
    return;
  }
  if (!place.section) {
    if (!text.empty() && text.back() != '\n' && text.back() != '\r') text += "\r\n";
    text.append("[").append(section).append("]\r\n");
    text.append(key).append("=").append(stored).append("\r\n");
    return;
  }
  Text lines = place.insertNeedsLineEnd ? "\r\n" : "";
  lines.append(key).append("=").append(stored).append("\r\n");
  text.insert(place.insertAt, lines);
}

Text QuoteProfileValue(const Text& value) {
  if (value.empty()) return value;
  const unsigned char first = value.front(), last = value.back();
  // No CP932 second byte is a blank or a quote, so the last byte alone decides.
  const bool quote = IsBlank(first) || IsBlank(last) ||
                     (value.size() >= 2 && (first == '"' || first == '\'') && last == first);
  return quote ? "\"" + value + "\"" : value;
}

}  // namespace rinban
