// POSIX twin of the file services, so the core's tests run natively.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files.h"
#include "text/error.h"
#include "text/messages.h"

namespace rinban {
namespace {

struct Fd {
  int fd;
  ~Fd() {
    if (fd >= 0) close(fd);
  }
};

}  // namespace

bool FileExists(const Text& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

Text ReadWholeFile(const Text& path) {
  Fd file{open(path.c_str(), O_RDONLY)};
  struct stat st;
  if (file.fd < 0 || fstat(file.fd, &st) != 0 || S_ISDIR(st.st_mode))
    throw AppError(msg::kCannotOpen, path);
  Text bytes(static_cast<size_t>(st.st_size), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t got = read(file.fd, bytes.data() + done, bytes.size() - done);
    if (got <= 0) throw AppError(msg::kCannotOpen, path);
    done += static_cast<size_t>(got);
  }
  return bytes;
}

void WriteWholeFile(const Text& path, std::string_view bytes) {
  Fd file{open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0644)};
  if (file.fd < 0) throw AppError(msg::kCannotCreate, path);
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t put = write(file.fd, bytes.data() + done, bytes.size() - done);
    if (put <= 0) throw AppError(msg::kWriteError);
    done += static_cast<size_t>(put);
  }
}

}  // namespace rinban
