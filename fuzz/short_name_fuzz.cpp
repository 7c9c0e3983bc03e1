#include "fuzz_common.h"
#include "table/html.h"

using namespace rinban;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Text name(reinterpret_cast<const char*>(data), size);
  const Text shortName = ShortName(name, 1, 3);
  fuzz::Check(name.compare(0, shortName.size(), shortName) == 0, "not a prefix");
  fuzz::Check(shortName.size() <= 4, "longer than 4 bytes");
  if (name.size() < 3) {
    fuzz::Check(shortName == name, "short name not whole");
    return 0;
  }
  // Walk by characters to see whether byte 3 begins a double-byte one.
  size_t i = 0;
  bool thirdIsLead = false;
  while (i < 3) {
    const bool lead = IsLeadByte(static_cast<unsigned char>(name[i]));
    if (i == 2) thirdIsLead = lead;
    i += lead ? 2 : 1;
  }
  const size_t expect = thirdIsLead ? std::min<size_t>(4, name.size()) : 3;
  fuzz::Check(shortName.size() == expect, "wrong length");
  return 0;
}
