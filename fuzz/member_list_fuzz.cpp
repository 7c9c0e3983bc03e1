#include "fuzz_common.h"
#include "schedule/schedule.h"

using namespace rinban;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const TextList lines = SplitMemberList(bytes);
  const std::string_view text = bytes.substr(0, bytes.find('\0'));
  size_t breaks = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' || text[i] == '\r') {
      ++breaks;
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    }
  }
  for (const Text& line : lines) {
    fuzz::Check(line.find_first_of(std::string_view("\r\n\0", 3)) == Text::npos,
                "a line holds CR, LF or NUL");
  }
  const bool endsInBreak = text.empty() || text.back() == '\r' || text.back() == '\n';
  fuzz::Check(lines.size() == (endsInBreak ? breaks : breaks + 1), "line count");
  // Every non-break byte of the text is kept, in order.
  Text joined;
  for (const Text& line : lines) joined += line;
  Text expect;
  for (char c : text)
    if (c != '\r' && c != '\n') expect.push_back(c);
  fuzz::Check(joined == expect, "bytes lost or reordered");
  return 0;
}
