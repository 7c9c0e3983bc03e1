#include "fuzz_common.h"
#include "table/html.h"

using namespace rinban;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const int32_t slots = data[0] % 12;
  const int32_t style = static_cast<int8_t>(data[1]) % 5;
  const auto fields = fuzz::Fields(data + 2, size - 2, 5 + 12);
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
  const TextList lines = BuildCrossTableLines(in);
  const size_t p = in.points ? 1 : 0, h = (style >= 0 && style <= 2) ? 1 : 0, s = slots;
  fuzz::Check(lines.size() == 9 + p + s * h + s * (1 + h + p + s), "line count");
  fuzz::Check(lines.back() == "</body></html>", "last line");
  const Text joined = JoinLines(lines);
  size_t total = 0;
  for (const Text& l : lines) total += l.size() + 2;
  fuzz::Check(joined.size() == total && joined.compare(joined.size() - 2, 2, "\r\n") == 0,
              "CR LF after every line");
  return 0;
}
