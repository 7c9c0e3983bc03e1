// UTF-16 text and the code page 932 bytes it must become, the same on every
// platform: the native and the Windows conversion are tested on this one table.
#pragma once

#include <string>

namespace rinban::testing_support {

struct Cp932Vector {
  std::u16string utf16;
  std::string cp932;
};

inline const Cp932Vector kCp932Vectors[] = {
    {u"", ""},
    {u"Ab 1~\\", "Ab 1~\\"},
    {u"\u5C71\u7530 \u592A\u90CE", "\x8E\x52\x93\x63\x20\x91\xBE\x98\x59"},  // 山田 太郎
    {u"\u3042\u30A2\uFF71\u3000", "\x82\xA0\x83\x41\xB1\x81\x40"},          // あアｱ, ideographic space
    // The pairs whose mapping differs between tables: CP932's own form, then the JIS form.
    {u"\uFF5E\u301C", "\x81\x60\x81\x60"},  // ～ 〜
    {u"\u2225\u2016", "\x81\x61\x81\x61"},  // ∥ ‖
    {u"\uFF0D\u2212", "\x81\x7C\x81\x7C"},  // － −
    {u"\uFFE2\u00AC", "\x81\xCA\x81\xCA"},  // ￢ ¬
    {u"\u2015\u2014", "\x81\x5C\x81\x5C"},  // ― —
    {u"\uFFE0\u00A2\uFFE1\u00A3", "\x81\x91\x81\x91\x81\x92\x81\x92"},  // ￠ ¢ ￡ £
    // NEC and IBM rows: the code Windows writes.
    {u"\u2460\u2170\u2252", "\x87\x40\xFA\x40\x81\xE0"},  // ① ⅰ ≒
    {u"\u9AD9\uFA11", "\xFB\xFC\xFA\xB1"},                // 髙 﨑
    // No code: one "?" each, no best fit.
    {u"\u00C9", "?"},                    // É
    {u"\u00A5\u203E", "??"},             // yen and overline: not ASCII's backslash and tilde
    {u"\U00020BB7\U0001F600", "??"},     // 𠮷 😀
    {u"a\xD800" u"b\xDC00", "a?b?"},     // lone surrogates
    {u"\x0080\xF8F0\xF8F3", "???"},       // Windows' bytes for these spell no character
};

}  // namespace rinban::testing_support
