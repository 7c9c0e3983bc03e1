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

// Clipboard history and clipboard managers open the clipboard for a moment
// after every copy, so a busy clipboard is tried again for about 100 ms.
bool OpenClipboardPatiently(HWND owner) {
  for (int retry = 0;; ++retry) {
    if (OpenClipboard(owner)) return true;
    if (retry == 10) return false;
    Sleep(10);
  }
}

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

  // Programs that read only CF_TEXT convert it by this locale, so they
  // read code page 932 on any system.
  GlobalBlock locale(sizeof(LCID));
  locale.Write([](void* out) {
    const LCID japanese = MAKELCID(MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN), SORT_DEFAULT);
    std::memcpy(out, &japanese, sizeof japanese);
  });

  if (!OpenClipboardPatiently(owner)) throw AppError(Text(msg::kClipboardOpen));
  struct Closer {
    ~Closer() { CloseClipboard(); }
  } closer;
  EmptyClipboard();
  bytes.HandOver(CF_TEXT);
  locale.HandOver(CF_LOCALE);
  wide.HandOver(CF_UNICODETEXT);
}

}  // namespace rinban
