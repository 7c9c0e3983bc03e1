// How a failed Win32 call becomes an exception: a shortage of memory only
// when the system says so, otherwise a fault of the program.
#pragma once

#include <string_view>

namespace rinban {

// After a call that sets the last error: std::bad_alloc for
// ERROR_NOT_ENOUGH_MEMORY and ERROR_OUTOFMEMORY, else ProgramFault naming
// what and the error code.
[[noreturn]] void ThrowLastError(std::string_view what);

}  // namespace rinban
