// The one error type: a failing file, clipboard or settings operation throws
// it with its CP932 text; only the window's callbacks catch it.
#pragma once

#include <exception>
#include <string_view>

#include "text/messages.h"
#include "text/text.h"

namespace rinban {

// The text of the error box: a "." is added unless the text is empty or its
// last character sorts at or below ".". A trail byte is never below 0x40, so
// the last byte alone decides, and a double-byte ending always gains the dot.
inline Text ErrorBoxText(Text text) {
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  return text;
}

class AppError : public std::exception {
 public:
  explicit AppError(Text message) : message_(std::move(message)) {}
  // format with its "%s" replaced by arg
  AppError(std::string_view format, std::string_view arg) : message_(FormatWith(format, arg)) {}

  const Text& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  Text message_;
};

// A fault of the program itself, a broken invariant or a system call that
// failed for a reason the user cannot act on: told as an internal fault with
// what failed, never passed off as a shortage of memory or a file error.
class ProgramFault : public AppError {
 public:
  explicit ProgramFault(std::string_view what) : AppError(msg::kProgramFault, what) {}
};

}  // namespace rinban
