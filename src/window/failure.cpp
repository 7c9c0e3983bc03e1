#include "window/failure.h"

#include <windows.h>

#include <new>

#include "text/error.h"

namespace rinban {

void ThrowLastError(std::string_view what) {
  const DWORD code = GetLastError();
  if (code == ERROR_NOT_ENOUGH_MEMORY || code == ERROR_OUTOFMEMORY) throw std::bad_alloc();
  throw ProgramFault(Text(what) + " (Win32 " + ToDecimal(code) + ")");
}

}  // namespace rinban
