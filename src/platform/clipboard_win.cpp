#include "platform/clipboard.h"

#include <cstring>
#include <limits>
#include <new>
#include <string>

#include "text/error.h"
#include "text/messages.h"

namespace rinban {
namespace {

// Hands a copy of bytes over as format; the block is ours to free only
// when the hand-over fails.
void PutOnClipboard(UINT format, const void* bytes, size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!block) throw AppError(Text(msg::kClipboardSet));
  void* target = GlobalLock(block);
  if (!target) {
    GlobalFree(block);
    throw AppError(Text(msg::kClipboardSet));
  }
  std::memcpy(target, bytes, size);
  GlobalUnlock(block);
  if (!SetClipboardData(format, block)) {
    GlobalFree(block);
    throw AppError(Text(msg::kClipboardSet));
  }
}

std::wstring Widen932(const Text& text) {
  if (text.empty()) return {};
  if (text.size() > static_cast<size_t>(std::numeric_limits<int>::max())) throw std::bad_alloc();
  const int size = static_cast<int>(text.size());
  const int count = MultiByteToWideChar(932, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(count), L'\0');
  MultiByteToWideChar(932, 0, text.data(), size, wide.data(), count);
  return wide;
}

}  // namespace

void CopyTextToClipboard(HWND owner, const Text& text) {
  // Converted before the clipboard is opened, so running out of memory
  // leaves it as it was.
  const std::wstring wide = Widen932(text);
  if (!OpenClipboard(owner)) throw AppError(Text(msg::kClipboardOpen));
  struct Closer {
    ~Closer() { CloseClipboard(); }
  } closer;
  EmptyClipboard();
  PutOnClipboard(CF_TEXT, text.c_str(), text.size() + 1);
  PutOnClipboard(CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
}

}  // namespace rinban
