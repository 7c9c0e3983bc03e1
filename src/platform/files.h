// Whole-file services. Win32 in files_win.cpp, POSIX twin in files_posix.cpp.
#pragma once

#include <string>
#include <string_view>

#include "text/text.h"

namespace rinban {

// A path as the wide file calls take it: UTF-16 on Windows, so any folder
// name works whatever the system's code page; on POSIX one unit per byte.
using WidePath = std::u16string;

// A fixed relative name, in code page 932, as a wide path.
WidePath WidePathOf(std::string_view cp932);
// The path for a message: code page 932, "?" for what it cannot spell.
Text PathText(const WidePath& path);

// True when path names an existing file; a directory does not count.
bool FileExists(const Text& path);

// Every byte of the file. Others may read, not write, while it is open.
// Throws AppError(kCannotOpen, path) when it cannot be opened or fully read.
Text ReadWholeFile(const Text& path);

// A file read if it is there: Missing when nothing is at path, Unreadable
// when something is but cannot be read whole (a folder, a file held by
// another program without sharing).
struct FileBytes {
  enum State { Missing, Unreadable, Read } state = Missing;
  Text bytes;
};
FileBytes ReadFileIfAny(const WidePath& path);

// A name beside path for a new file of this save alone: the process id and
// a count no other save of this process has used, so two windows (or two
// saves at once) never share one, and no leftover of an earlier run blocks.
WidePath NameBeside(const WidePath& path, unsigned long processId);

enum class WriteResult { Done, CannotCreate, ShortWrite };

// Writes bytes to a new file beside path and then puts it in path's place
// in one step, so that a failed write leaves the previous file whole and no
// new file behind. An existing file keeps what it was: its attributes (and,
// on Windows, security and streams), and a link stays a link to the file it
// leads to. A file another program holds for a moment is waited for, about a
// second. CannotCreate when the new file cannot be made or cannot replace
// path (a folder, a file another program keeps open; on Windows also a
// read-only file, which is refused at once, as a folder is).
WriteResult ReplaceFileWith(const WidePath& path, std::string_view bytes);

// ReplaceFileWith for a fixed relative name. Throws AppError(kCannotCreate,
// path), or AppError(kWriteError) when fewer bytes could be written.
void WriteWholeFile(const Text& path, std::string_view bytes);

}  // namespace rinban
