// What both platforms' file services share.
#include "platform/files.h"

#include <atomic>
#include <string>

#include "text/error.h"
#include "text/messages.h"

namespace rinban {

WidePath NameBeside(const WidePath& path, unsigned long processId) {
  static std::atomic<unsigned long> count{0};
  const std::string tail = "~rinban-" + std::to_string(processId) + "-" + std::to_string(count++) + ".tmp";
  return path + WidePath(tail.begin(), tail.end());
}

void WriteWholeFile(const Text& path, std::string_view bytes) {
  switch (ReplaceFileWith(WidePathOf(path), bytes)) {
    case WriteResult::Done: return;
    case WriteResult::CannotCreate: throw AppError(msg::kCannotCreate, path);
    case WriteResult::ShortWrite: throw AppError(msg::kWriteError);
  }
}

}  // namespace rinban
