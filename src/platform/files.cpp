// What both platforms' file services share.
#include "platform/files.h"

#include "text/error.h"
#include "text/messages.h"

namespace rinban {

void WriteWholeFile(const Text& path, std::string_view bytes) {
  switch (ReplaceFileWith(WidePathOf(path), bytes)) {
    case WriteResult::Done: return;
    case WriteResult::CannotCreate: throw AppError(msg::kCannotCreate, path);
    case WriteResult::ShortWrite: throw AppError(msg::kWriteError);
  }
}

}  // namespace rinban
