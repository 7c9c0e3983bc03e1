// Every conversion between code pages in the program: code page 932, UTF-16
// and UTF-8. Code page 932 through Win32 in encoding_win.cpp and the C
// library's iconv in encoding_posix.cpp; UTF-8 and what both share in
// encoding.cpp. Nothing else calls a converter.
#pragma once

#include <string>
#include <string_view>

#include "text/text.h"

namespace rinban {

// UTF-16 to code page 932. The JIS forms other systems write (U+301C, U+2016,
// U+2212, U+00A2, U+00A3, U+00AC, U+2014) take the code CP932 has for the
// same character; every other character without a CP932 code, one outside
// the basic plane and a lone surrogate included, becomes one "?". No other
// best-fit guess: "É" is "?", not "E".
Text Cp932FromUtf16(std::u16string_view text);

// Code page 932 to UTF-16, alike on both platforms: every character the code
// page assigns, the user-defined rows included, becomes its UTF-16 form; a
// lone lead byte, an unassigned code and the single bytes 0x80, 0xA0 and
// 0xFD-0xFF become one U+FFFD each. Cp932FromUtf16 gives every character
// back as it was except the duplicates (NEC-selected IBM rows and a few NEC
// and IBM symbols), which come back under the code Windows prefers.
std::u16string Utf16FromCp932(std::string_view cp932);

// The bytes of the code page 932 character at the start of rest: two for a
// lead byte followed by a byte in the trail range, else one.
size_t Cp932CharLength(std::string_view rest);

// UTF-16 to UTF-8 and back, exact both ways for any UTF-16: a lone
// surrogate takes the three bytes UTF-8 would give it were it a character.
// Any other byte that is not UTF-8 reads as one U+FFFD.
std::string Utf8FromUtf16(std::u16string_view text);
std::u16string Utf16FromUtf8(std::string_view utf8);

// The text as either platform's converter is given it: JIS forms replaced by
// the characters CP932 holds under their codes, and each character that must
// become one "?" already one, so that only the tables' common part is used.
std::u16string Cp932Ready(std::u16string_view text);

// A text file's bytes as code page 932: a file that the list rule finds to
// be UTF-8 or UTF-16 is converted, any other is taken as it is.
Text Cp932FromFileText(Text fileBytes);

#ifdef _WIN32
// The W calls' UTF-16. Code page 932 is named outright, never the system's.
std::wstring ToWide(std::string_view cp932);
// The same straight into a buffer of WideLength(cp932) characters, for
// texts too big to copy twice.
size_t WideLength(std::string_view cp932);
void ToWideInto(std::string_view cp932, wchar_t* out, size_t length);
// Cp932FromUtf16 on the W calls' text.
Text ToText(std::wstring_view text);

// For messages meant for a terminal or a log.
std::string Utf8FromWide(std::wstring_view text);
#endif

}  // namespace rinban
