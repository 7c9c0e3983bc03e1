// Facts about the running program that only the platform knows.
#pragma once

#include "text/text.h"

namespace rinban {

// The running executable's full path, in the ANSI code page.
Text ModulePath();

}  // namespace rinban
