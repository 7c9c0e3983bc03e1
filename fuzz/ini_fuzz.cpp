#include "fuzz_common.h"
#include "table/ini.h"

using namespace rinban;

// Any file, any key and value: the value set reads back (cut as a read
// cuts it), and a key of another name keeps its value.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto f = fuzz::Fields(data, size, 4);
  Text text = f[0];
  const std::string& key = f[1];
  Text value = f[2];
  for (char& c : value)
    if (c == '\r' || c == '\n' || c == '\0') c = ' ';  // a single-line edit box gives none of these
  // Names as the program uses them: letters only.
  for (char c : key + f[3])
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) return 0;
  if (key.empty() || f[3].empty()) return 0;
  const std::string other = f[3] + "Other";
  std::string a = key, b = other;
  for (std::string* s : {&a, &b})
    for (char& c : *s) c = static_cast<char>(c | 0x20);
  if (a == b) return 0;
  const IniBytes bytes = key.size() % 2 ? IniBytes::Cp932 : IniBytes::Utf8;
  const auto before = IniValue(text, "S", other, bytes);
  SetIniValue(text, "S", key, value, bytes);
  fuzz::Check(IniValue(text, "S", key, bytes) == value, "the value does not read back");
  fuzz::Check(IniValue(text, "S", other, bytes) == before, "another key changed");
  return 0;
}
