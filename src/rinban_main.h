#pragma once

#include <windows.h>

namespace rinban {

// Creates Form1, shows it and runs the message loop until it closes.
int RunApplication(HINSTANCE instance, int show);

}  // namespace rinban
