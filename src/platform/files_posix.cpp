// POSIX twin of the file services, so the core's tests run natively.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "platform/files.h"
#include "text/error.h"
#include "text/messages.h"

namespace rinban {
namespace {

struct Fd {
  int fd;
  ~Fd() { Close(); }
  bool Close() {
    const bool ok = fd < 0 || close(fd) == 0;
    fd = -1;
    return ok;
  }
};

std::string Bytes(const WidePath& path) { return std::string(path.begin(), path.end()); }

bool ReadAll(int fd, Text& bytes) {
  struct stat st;
  if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) return false;
  bytes.assign(static_cast<size_t>(st.st_size), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t got = read(fd, bytes.data() + done, bytes.size() - done);
    if (got <= 0) return false;
    done += static_cast<size_t>(got);
  }
  return true;
}

}  // namespace

WidePath WidePathOf(std::string_view cp932) {
  WidePath path;
  for (const char c : cp932) path.push_back(static_cast<unsigned char>(c));
  return path;
}

Text PathText(const WidePath& path) { return Bytes(path); }

bool FileExists(const Text& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

Text ReadWholeFile(const Text& path) {
  Fd file{open(path.c_str(), O_RDONLY)};
  Text bytes;
  if (file.fd < 0 || !ReadAll(file.fd, bytes)) throw AppError(msg::kCannotOpen, path);
  return bytes;
}

FileBytes ReadFileIfAny(const WidePath& path) {
  Fd file{open(Bytes(path).c_str(), O_RDONLY)};
  FileBytes result;
  if (file.fd < 0) {
    result.state = errno == ENOENT || errno == ENOTDIR ? FileBytes::Missing : FileBytes::Unreadable;
    return result;
  }
  result.state = ReadAll(file.fd, result.bytes) ? FileBytes::Read : FileBytes::Unreadable;
  if (result.state != FileBytes::Read) result.bytes.clear();
  return result;
}

WriteResult ReplaceFileWith(const WidePath& path, std::string_view bytes) {
  std::string target = Bytes(path);
  // A link stays a link: the file it leads to is the one replaced.
  if (char* real = realpath(target.c_str(), nullptr)) {
    target = real;
    free(real);
  }
  struct stat old;
  const bool existed = stat(target.c_str(), &old) == 0;
  std::string fresh;
  Fd file{-1};
  while (file.fd < 0) {
    fresh = Bytes(NameBeside(WidePathOf(target), static_cast<unsigned long>(getpid())));
    file.fd = open(fresh.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (file.fd < 0 && errno != EEXIST) return WriteResult::CannotCreate;
  }
  if (existed && !S_ISDIR(old.st_mode)) fchmod(file.fd, old.st_mode & 07777);  // its permissions stay
  bool written = true;
  for (size_t done = 0; written && done < bytes.size();) {
    const ssize_t put = write(file.fd, bytes.data() + done, bytes.size() - done);
    written = put > 0;
    if (written) done += static_cast<size_t>(put);
  }
  written = written && fsync(file.fd) == 0;
  written = file.Close() && written;
  if (!written) {
    unlink(fresh.c_str());
    return WriteResult::ShortWrite;
  }
  if (std::rename(fresh.c_str(), target.c_str()) != 0) {
    unlink(fresh.c_str());
    return WriteResult::CannotCreate;
  }
  return WriteResult::Done;
}

}  // namespace rinban
