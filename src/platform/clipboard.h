// Putting the listing on the clipboard.
#pragma once

#include <windows.h>

#include "text/text.h"

namespace rinban {

// Replaces the clipboard's content with text as CF_TEXT (the bytes and one
// NUL) with CF_LOCALE Japanese, and as CF_UNICODETEXT converted from code
// page 932, so readers of either format paste the same characters on any
// system locale. A clipboard another program holds is tried for about 100 ms.
// Throws AppError(kClipboardOpen) or AppError(kClipboardSet).
void CopyTextToClipboard(HWND owner, const Text& text);

}  // namespace rinban
