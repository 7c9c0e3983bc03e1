#include "../tests/common/support.h"
#include "fuzz_common.h"
#include "table/html.h"

using namespace rinban;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const int32_t slots = data[0] % 12;
  const int32_t style = static_cast<int8_t>(data[1]) % 5;
  auto fields = fuzz::Fields(data + 2, size - 2, 5 + 12);
  // No LF in a field, so that every CR LF is one of the template's line ends.
  for (std::string& field : fields) std::erase(field, '\n');
  TextList names(fields.begin() + 5, fields.end());
  CrossTableInput in;
  in.slotCount = slots;
  in.names = &names;
  in.title = fields[0];
  in.style = style;
  in.points = (data[0] & 0x80) != 0;
  in.font = fields[1];
  in.member = fields[2];
  in.other = fields[3];
  in.pointColor = fields[4];
  const Text text = BuildCrossTableText(in);
  const TextList lines = testing_support::Lines(text);
  const size_t p = in.points ? 1 : 0, h = (style >= 0 && style <= 2) ? 1 : 0, s = slots;
  fuzz::Check(lines.size() == 9 + p + s * h + s * (1 + h + p + s), "line count");
  fuzz::Check(lines.back() == "</body></html>", "last line");
  fuzz::Check(text.compare(text.size() - 2, 2, "\r\n") == 0, "CR LF after every line");
  return 0;
}
