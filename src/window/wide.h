// The one boundary between the program's CP932 bytes and the UTF-16 of the
// W calls. Code page 932 is named outright so the system locale never matters.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "text/text.h"

namespace rinban {

inline constexpr UINT kTextCodePage = 932;

std::wstring ToWide(std::string_view text);
Text ToText(std::wstring_view text);

// The window text of any window, as CP932 bytes.
Text WindowText(HWND window);
void SetWindowTextCp932(HWND window, const Text& text);

}  // namespace rinban
