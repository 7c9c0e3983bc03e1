#include "fuzz_common.h"
#include "table/options.h"

using namespace rinban;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Text path(reinterpret_cast<const char*>(data), size);
  const Text result = ReplaceExtension(path, ".INI");
  fuzz::Check(result.size() >= 4 && result.compare(result.size() - 4, 4, ".INI") == 0,
              "no .INI at the end");
  const Text stem = result.substr(0, result.size() - 4);
  fuzz::Check(path.compare(0, stem.size(), stem) == 0, "stem is not a prefix of the path");
  // Only an extension is dropped: no separator lies in what was cut.
  const Text cut = path.substr(stem.size());
  fuzz::Check(cut.empty() || cut[0] == '.', "cut does not start at a dot");
  return 0;
}
