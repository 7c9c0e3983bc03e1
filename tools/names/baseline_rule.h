// The former list rule, the baseline of tools/names: true when a text
// without a mark, up to its first NUL, was read as UTF-8.
#pragma once

#include <string_view>

namespace rinban {

bool BaselineReadsAsUtf8(std::string_view text);

}  // namespace rinban
