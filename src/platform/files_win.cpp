#include <windows.h>

#include <algorithm>
#include <new>

#include "platform/encoding.h"
#include "platform/files.h"
#include "text/error.h"
#include "text/messages.h"

namespace rinban {
namespace {

struct Handle {
  HANDLE h;
  ~Handle() { Close(); }
  void Close() {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    h = INVALID_HANDLE_VALUE;
  }
};

// "\\?\" before a full path too long for the plain form.
std::wstring LongForm(std::wstring full) {
  if (full.size() < MAX_PATH || full.rfind(L"\\\\?\\", 0) == 0) return full;
  if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
  if (full.size() >= 3 && full[1] == L':' && full[2] == L'\\') return L"\\\\?\\" + full;
  return full;
}

// The form the wide calls take: absolute first, as the limit applies to the
// name joined to the working folder, not to a short relative name.
std::wstring Win32Path(const WidePath& path) {
  std::wstring wide(path.begin(), path.end());
  if (wide.rfind(L"\\\\?\\", 0) == 0) return wide;
  if (const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr)) {
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
    if (length > 0 && length < size) wide.assign(full, 0, length);
  }
  return LongForm(std::move(wide));
}

// Reads the open file whole; false when it cannot.
bool ReadAll(HANDLE file, Text& bytes) {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file, &size)) return false;
  // A 32-bit size_t would wrap a 4 GiB file to its last few bytes.
  if (static_cast<unsigned long long>(size.QuadPart) > Text().max_size()) throw std::bad_alloc();
  bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    // ReadFile takes a 32-bit count, so very large files come in pieces
    const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    DWORD got = 0;
    if (!ReadFile(file, bytes.data() + done, want, &got, nullptr) || got == 0) return false;
    done += got;
  }
  return true;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    DWORD put = 0;
    if (!WriteFile(file, bytes.data() + done, want, &put, nullptr) || put == 0) return false;
    done += put;
  }
  return FlushFileBuffers(file) != 0;  // a full disk may only tell here
}

// How long a file another program holds for a moment (an antivirus scan,
// the search indexer, a cloud sync client) is waited for, in short steps.
constexpr ULONGLONG kHoldWaitMs = 1000;
constexpr DWORD kHoldStepMs = 20;

class Patience {
 public:
  bool TimeLeft() const { return GetTickCount64() < end_; }
  // After a failure: true, once a short pause is over, when the failure may
  // be such a hold and there is time left to try again.
  bool WaitAfter(DWORD error) const {
    switch (error) {
      case ERROR_SHARING_VIOLATION:
      case ERROR_ACCESS_DENIED:
      case ERROR_LOCK_VIOLATION:
      // ReplaceFileW's own faces of a held file; both files keep their names
      case ERROR_UNABLE_TO_REMOVE_REPLACED:
      case ERROR_UNABLE_TO_MOVE_REPLACEMENT: break;
      default: return false;
    }
    if (!TimeLeft()) return false;
    Sleep(kHoldStepMs);
    return true;
  }

 private:
  ULONGLONG end_ = GetTickCount64() + kHoldWaitMs;
};

std::wstring Beside(const std::wstring& target) {
  const WidePath name = NameBeside(WidePath(target.begin(), target.end()), GetCurrentProcessId());
  return LongForm(std::wstring(name.begin(), name.end()));
}

// The file a symbolic link or a junction leads to: a replace renames, and a
// rename would put a plain file in the link's place. Asks for no access, so
// another program's hold does not stop it; path itself when it cannot tell.
std::wstring FinalPath(const std::wstring& path) {
  Handle file{CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)};
  if (file.h == INVALID_HANDLE_VALUE) return path;
  constexpr DWORD kForm = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
  std::wstring final(MAX_PATH, L'\0');
  DWORD length = GetFinalPathNameByHandleW(file.h, final.data(), MAX_PATH, kForm);
  if (length >= MAX_PATH) {  // too small: the size it needs
    final.resize(length);
    length = GetFinalPathNameByHandleW(file.h, final.data(), length, kForm);
  }
  if (length == 0 || length >= final.size()) return path;
  final.resize(length);
  return final;
}

// Puts fresh in target's place. An existing target is replaced by
// ReplaceFileW, which gives fresh the old file's attributes, security and
// streams; the old file goes to backup meanwhile, so that no failure loses
// it (ReplaceFileW's documentation: without a backup name, one failure
// leaves the old file under a name nobody knows). A rename is the fallback
// for a missing target and for a file system or share that refuses the
// replace (ERROR_INVALID_FUNCTION, ERROR_NOT_SUPPORTED, ERROR_INVALID_PARAMETER:
// by the same documentation, both files then keep their names).
WriteResult PutInPlace(const std::wstring& fresh, const std::wstring& target, bool replace,
                       const Patience& patience) {
  const std::wstring backup = Beside(target);
  for (;;) {
    if (!replace) {
      if (MoveFileExW(fresh.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return WriteResult::Done;
    } else if (ReplaceFileW(target.c_str(), fresh.c_str(), backup.c_str(),
                            REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr,
                            nullptr)) {
      DeleteFileW(backup.c_str());
      return WriteResult::Done;
    }
    DWORD error = GetLastError();
    if (replace && (error == ERROR_FILE_NOT_FOUND || error == ERROR_INVALID_FUNCTION ||
                    error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_PARAMETER)) {
      replace = false;  // not found: gone meanwhile (another save's replace), or a link to nothing
      continue;
    }
    if (replace && error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
      // The old file is under the backup name: back to its own, unless
      // another save has put a whole file there meanwhile; if neither, it
      // stays safe under the backup name.
      if (!MoveFileExW(backup.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
        const DWORD again = GetLastError();
        if (again != ERROR_ALREADY_EXISTS && again != ERROR_FILE_EXISTS) return WriteResult::CannotCreate;
        DeleteFileW(backup.c_str());
      }
      error = ERROR_UNABLE_TO_MOVE_REPLACEMENT;  // both files under their own names again
    }
    if (!patience.WaitAfter(error)) return WriteResult::CannotCreate;
  }
}

}  // namespace

WidePath WidePathOf(std::string_view cp932) {
  const std::wstring wide = ToWide(cp932);
  return WidePath(wide.begin(), wide.end());
}

Text PathText(const WidePath& path) { return Cp932FromUtf16(path); }

bool FileExists(const Text& path) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA(path.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return false;
  FindClose(find);
  return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

Text ReadWholeFile(const Text& path) {
  Handle file{CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr)};
  Text bytes;
  // A short read is never a partial list.
  if (file.h == INVALID_HANDLE_VALUE || !ReadAll(file.h, bytes)) throw AppError(msg::kCannotOpen, path);
  return bytes;
}

FileBytes ReadFileIfAny(const WidePath& path) {
  const std::wstring name = Win32Path(path);
  Handle file{CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
  FileBytes result;
  if (file.h == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    result.state = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileBytes::Missing
                                                                                   : FileBytes::Unreadable;
    return result;
  }
  result.state = ReadAll(file.h, result.bytes) ? FileBytes::Read : FileBytes::Unreadable;
  if (result.state != FileBytes::Read) result.bytes.clear();
  return result;
}

WriteResult ReplaceFileWith(const WidePath& path, std::string_view bytes) {
  const std::wstring target = FinalPath(Win32Path(path));
  const DWORD old = GetFileAttributesW(target.c_str());
  const bool replace = old != INVALID_FILE_ATTRIBUTES;
  // Waiting cannot help here; a read-only file is not to be overwritten
  if (replace && (old & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
    return WriteResult::CannotCreate;
  // The new file has the old one's attributes from the start, so that a
  // hidden file stays hidden whichever way it is put in place.
  const DWORD kept =
      replace ? old & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED)
              : 0;
  const Patience patience;
  std::wstring fresh;
  Handle file{INVALID_HANDLE_VALUE};
  for (;;) {
    fresh = Beside(target);
    file.h = CreateFileW(fresh.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         kept ? kept : FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file.h != INVALID_HANDLE_VALUE) break;
    const DWORD error = GetLastError();  // a name taken by a leftover: the next one at once
    if (error == ERROR_FILE_EXISTS ? !patience.TimeLeft() : !patience.WaitAfter(error))
      return WriteResult::CannotCreate;
  }
  const bool written = WriteAll(file.h, bytes);
  file.Close();
  const WriteResult result = written ? PutInPlace(fresh, target, replace, patience) : WriteResult::ShortWrite;
  if (result != WriteResult::Done) DeleteFileW(fresh.c_str());
  return result;
}

}  // namespace rinban
