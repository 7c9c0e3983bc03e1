// Window texts as the program's CP932 bytes, through the W calls and the one
// conversion module, so the system locale never matters.
#pragma once

#include <windows.h>

#include "platform/encoding.h"
#include "text/text.h"

namespace rinban {

// The window text of any window, as CP932 bytes.
Text WindowText(HWND window);
void SetWindowTextCp932(HWND window, const Text& text);

}  // namespace rinban
