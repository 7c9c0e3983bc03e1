#include <algorithm>

#include "fuzz_common.h"
#include "schedule/schedule.h"
#include "text/list_encoding.h"

using namespace rinban;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const ListBody body = DetectListEncoding(bytes);
  const Text text = MemberListText(bytes);
  if (body.encoding == ListEncoding::Cp932) {
    fuzz::Check(text == bytes, "a code page 932 list was changed");
    return 0;
  }
  // Converted text keeps every line break and nothing else becomes one.
  const std::u16string units = ListUtf16(body);
  fuzz::Check(text.find('\0') == Text::npos, "a converted list holds NUL");
  fuzz::Check(std::count(text.begin(), text.end(), '\r') == std::count(units.begin(), units.end(), u'\r'),
              "CR count");
  fuzz::Check(std::count(text.begin(), text.end(), '\n') == std::count(units.begin(), units.end(), u'\n'),
              "LF count");
  fuzz::Check(text.size() <= 2 * units.size(), "more than two bytes a character");
  return 0;
}
