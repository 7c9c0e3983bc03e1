#include "window/failure.h"

#include <windows.h>

#include <new>
#include <stdexcept>

#include "text/error.h"
#include "text/messages.h"

namespace rinban {

void ThrowLastError(std::string_view what) {
  const DWORD code = GetLastError();
  if (code == ERROR_NOT_ENOUGH_MEMORY || code == ERROR_OUTOFMEMORY) throw std::bad_alloc();
  throw ProgramFault(Text(what) + " (Win32 " + ToDecimal(code) + ")");
}

Text CurrentFailureText() {
  try {
    throw;
  } catch (const AppError& error) {
    return error.Message();
  } catch (const std::bad_alloc&) {
    return msg::kOutOfMemory;
  } catch (const std::length_error&) {
    // A string or table asked for more than it can ever hold: a list too
    // large for memory.
    return msg::kOutOfMemory;
  } catch (const std::exception& error) {
    return ProgramFault(error.what()).Message();
  } catch (...) {
    return ProgramFault("unknown exception").Message();
  }
}

}  // namespace rinban
