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

// The form the wide calls take beyond MAX_PATH: "\\?\" before a full path
// (relative names are never that long here).
std::wstring Win32Path(const WidePath& path) {
  std::wstring wide(path.begin(), path.end());
  if (wide.size() < MAX_PATH || wide.rfind(L"\\\\?\\", 0) == 0) return wide;
  if (wide.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + wide.substr(2);
  if (wide.size() >= 3 && wide[1] == L':' && wide[2] == L'\\') return L"\\\\?\\" + wide;
  return wide;
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
  const std::wstring target = Win32Path(path), fresh = Win32Path(path + kNewFileSuffix);
  Handle file{CreateFileW(fresh.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr)};
  if (file.h == INVALID_HANDLE_VALUE) return WriteResult::CannotCreate;
  const bool written = WriteAll(file.h, bytes);
  file.Close();
  if (!written) {
    DeleteFileW(fresh.c_str());
    return WriteResult::ShortWrite;
  }
  // Refused for a folder and for a file another program holds open without
  // letting it be deleted: the previous file stays as it was.
  if (!MoveFileExW(fresh.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(fresh.c_str());
    return WriteResult::CannotCreate;
  }
  return WriteResult::Done;
}

}  // namespace rinban
