#include "platform/clipboard.h"

#include <cstring>

#include "platform/encoding.h"
#include "text/error.h"
#include "text/messages.h"

namespace rinban {
namespace {

// A movable global block, ours to free until the clipboard takes it.
class GlobalBlock {
 public:
  explicit GlobalBlock(size_t size) : block_(GlobalAlloc(GMEM_MOVEABLE, size)) {
    if (!block_) throw AppError(Text(msg::kClipboardSet));
  }
  ~GlobalBlock() {
    if (block_) GlobalFree(block_);
  }
  GlobalBlock(const GlobalBlock&) = delete;
  GlobalBlock& operator=(const GlobalBlock&) = delete;

  // Runs fill on the locked bytes.
  template <class Fill>
  void Write(Fill fill) {
    void* bytes = GlobalLock(block_);
    if (!bytes) throw AppError(Text(msg::kClipboardSet));
    fill(bytes);
    GlobalUnlock(block_);
  }
  void HandOver(UINT format) {
    if (!SetClipboardData(format, block_)) throw AppError(Text(msg::kClipboardSet));
    block_ = nullptr;
  }

 private:
  HGLOBAL block_;
};

}  // namespace

void CopyTextToClipboard(HWND owner, const Text& text) {
  // Both blocks are filled before the clipboard is opened, so running out of
  // memory leaves it as it was; the wide text is converted straight into its
  // block, a listing of tens of megabytes being copied once only.
  const size_t count = WideLength(text);  // std::bad_alloc past the converter's limit
  GlobalBlock bytes(text.size() + 1);
  bytes.Write([&](void* out) { std::memcpy(out, text.c_str(), text.size() + 1); });
  GlobalBlock wide((count + 1) * sizeof(wchar_t));
  wide.Write([&](void* out) {
    auto* chars = static_cast<wchar_t*>(out);
    ToWideInto(text, chars, count);
    chars[count] = L'\0';
  });

  if (!OpenClipboard(owner)) throw AppError(Text(msg::kClipboardOpen));
  struct Closer {
    ~Closer() { CloseClipboard(); }
  } closer;
  EmptyClipboard();
  bytes.HandOver(CF_TEXT);
  wide.HandOver(CF_UNICODETEXT);
}

}  // namespace rinban
