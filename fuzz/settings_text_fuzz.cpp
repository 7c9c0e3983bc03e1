#include "fuzz_common.h"
#include "platform/encoding.h"
#include "table/settings_text.h"

using namespace rinban;

// Any file comes back byte for byte through its text; a value set in it, as
// the window gives values, reads back from the bytes a save writes, and the
// file keeps its encoding (or reads as code page 932 once it is all ASCII).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto f = fuzz::Fields(data, size, 2);
  SettingsText text = SettingsTextOf(f[0]);
  fuzz::Check(SettingsBytes(text) == f[0], "the file does not come back");
  Text value = Cp932FromUtf16(Utf16FromCp932(f[1]));
  for (char& c : value)
    if (c == '\r' || c == '\n' || c == '\0') c = ' ';
  WriteSettingsValue(text, "S", "K", value);
  const SettingsText back = SettingsTextOf(SettingsBytes(text));
  fuzz::Check(ReadSettingsValue(back, "S", "K") == value.substr(0, kTextKeyLimit), "the value does not read back");
  fuzz::Check(back.encoding == text.encoding || back.text == text.text, "the encoding changed");
  return 0;
}
