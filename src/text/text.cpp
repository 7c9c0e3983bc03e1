#include "text/text.h"

namespace rinban {

Text ToDecimal(long long value) { return std::to_string(value); }

Text FormatWith(std::string_view format, std::string_view arg) {
  const auto at = format.find("%s");
  if (at == std::string_view::npos) return Text(format);
  Text out;
  out.reserve(format.size() + arg.size());
  out.append(format.substr(0, at)).append(arg).append(format.substr(at + 2));
  return out;
}

}  // namespace rinban
