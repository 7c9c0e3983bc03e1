// Which encoding a list file's bytes are in. Editors save the list as code
// page 932, UTF-8 (with or without a mark) or UTF-16 with a mark; the bytes
// alone decide. Any text can be judged so, not only a list of names.
#pragma once

#include <string>
#include <string_view>

namespace rinban {

enum class ListEncoding { Cp932, Utf8, Utf16Le, Utf16Be };

struct ListBody {
  ListEncoding encoding;
  std::string_view bytes;  // the text proper: no mark, nothing from its first NUL on
};

// A UTF-16 mark counts first, the text then ending at its first U+0000; odd
// lengths and lone surrogates make it code page 932 after all. Otherwise the
// text ends at the first NUL byte and is UTF-8 when it starts with the UTF-8
// mark, or holds a byte of 0x80 or above, is well-formed UTF-8 throughout and
// reads more like names as UTF-8 than as code page 932.
ListBody DetectListEncoding(std::string_view bytes);

// The UTF-16 code units of a body that DetectListEncoding found to be UTF-8
// or UTF-16. A malformed UTF-8 sequence after a mark gives U+FFFD per byte.
std::u16string ListUtf16(const ListBody& body);

}  // namespace rinban
