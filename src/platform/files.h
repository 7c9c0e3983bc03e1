// Whole-file services. Win32 in files_win.cpp, POSIX twin in files_posix.cpp.
#pragma once

#include <string_view>

#include "text/text.h"

namespace rinban {

// True when path names an existing file; a directory does not count.
bool FileExists(const Text& path);

// Every byte of the file. Others may read, not write, while it is open.
// Throws AppError(kCannotOpen, path) when it cannot be opened or fully read.
Text ReadWholeFile(const Text& path);

// Creates or truncates path (no sharing) and writes bytes in one request.
// Throws AppError(kCannotCreate, path), or AppError(kWriteError) on a short write.
void WriteWholeFile(const Text& path, std::string_view bytes);

}  // namespace rinban
