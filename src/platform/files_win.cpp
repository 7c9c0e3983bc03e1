#include <windows.h>

#include <algorithm>
#include <new>

#include "platform/files.h"
#include "text/error.h"
#include "text/messages.h"

namespace rinban {
namespace {

struct Handle {
  HANDLE h;
  ~Handle() {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
};

}  // namespace

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
  if (file.h == INVALID_HANDLE_VALUE) throw AppError(msg::kCannotOpen, path);
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.h, &size)) throw AppError(msg::kCannotOpen, path);
  // A 32-bit size_t would wrap a 4 GiB file to its last few bytes.
  if (static_cast<unsigned long long>(size.QuadPart) > Text().max_size()) throw std::bad_alloc();
  Text bytes(static_cast<size_t>(size.QuadPart), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    // ReadFile takes a 32-bit count, so very large files come in pieces
    const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    DWORD got = 0;
    if (!ReadFile(file.h, bytes.data() + done, want, &got, nullptr) || got == 0)
      throw AppError(msg::kCannotOpen, path);  // a short read is never a partial list
    done += got;
  }
  return bytes;
}

void WriteWholeFile(const Text& path, std::string_view bytes) {
  Handle file{CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr)};
  if (file.h == INVALID_HANDLE_VALUE) throw AppError(msg::kCannotCreate, path);
  size_t done = 0;
  while (done < bytes.size()) {
    const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    DWORD put = 0;
    if (!WriteFile(file.h, bytes.data() + done, want, &put, nullptr) || put == 0)
      throw AppError(msg::kWriteError);
    done += put;
  }
}

}  // namespace rinban
