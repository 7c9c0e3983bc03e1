// How a failed Win32 call becomes an exception: a shortage of memory only
// when the system says so, otherwise a fault of the program.
#pragma once

#include <string_view>

#include "text/text.h"

namespace rinban {

// After a call that sets the last error: std::bad_alloc for
// ERROR_NOT_ENOUGH_MEMORY and ERROR_OUTOFMEMORY, else ProgramFault naming
// what and the error code.
[[noreturn]] void ThrowLastError(std::string_view what);

// Inside a catch block: the error box's text for the exception being
// handled. The memory text only for a shortage of memory; AppError's own
// text; anything else is a fault of the program and says what it was.
Text CurrentFailureText();

}  // namespace rinban
