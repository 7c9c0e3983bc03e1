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

// One line of the text: [begin, end) its bytes, [end, next) its line end.
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
// ']' closes it; a second byte of that value is no bracket.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  size_t close = std::string_view::npos;
  for (size_t i = 1; i < line.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(line[i]))) {
      ++i;
    } else if (line[i] == ']') {
      close = i;
    }
  }
  if (close == std::string_view::npos) return std::nullopt;
  return line.substr(1, close - 1);
}

// A key line's name, and where its value begins ('=' never is a second byte).
struct KeyLine {
  std::string_view name;
  size_t value;  // offset in the line just past '=', or npos without one
};

KeyLine KeyOf(std::string_view line) {
  const size_t eq = line.find('=');
  if (eq == std::string_view::npos) return {Trim(line), std::string_view::npos};
  return {Trim(line.substr(0, eq)), eq + 1};
}

// Where a key stands, or where it would go.
struct Place {
  bool section = false;          // the section was found
  std::optional<Line> key;       // its first line with the key
  size_t insertAt = 0;           // past the section's last line that is not blank
  bool insertNeedsLineEnd = false;
};

Place Find(std::string_view text, std::string_view section, std::string_view key) {
  Place place;
  bool inside = false;
  for (size_t at = 0; at < text.size();) {
    const Line line = LineAt(text, at);
    at = line.next;
    const std::string_view bytes = text.substr(line.begin, line.end - line.begin);
    if (Trim(bytes).empty()) continue;
    if (const auto name = SectionName(bytes)) {
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
    if (SameName(KeyOf(bytes).name, key)) {
      place.key = line;
      return place;
    }
  }
  return place;
}

}  // namespace

std::optional<Text> IniValue(std::string_view text, std::string_view section, std::string_view key) {
  const Place place = Find(text, section, key);
  if (!place.key) return std::nullopt;
  const std::string_view line = text.substr(place.key->begin, place.key->end - place.key->begin);
  const KeyLine k = KeyOf(line);
  if (k.value == std::string_view::npos) return Text();
  std::string_view value = Trim(line.substr(k.value));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return Text(value.substr(0, kIniValueLimit));
}

void SetIniValue(Text& text, std::string_view section, std::string_view key, const Text& value) {
  const Text stored = QuoteProfileValue(value);
  const Place place = Find(text, section, key);
  if (place.key) {
    const std::string_view line(text.data() + place.key->begin, place.key->end - place.key->begin);
    const KeyLine k = KeyOf(line);
    if (k.value != std::string_view::npos) {
      text.replace(place.key->begin + k.value, line.size() - k.value, stored);
    } else {
      const size_t nameEnd = static_cast<size_t>(k.name.data() + k.name.size() - text.data());
      text.replace(nameEnd, place.key->end - nameEnd, "=" + stored);
    }
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
