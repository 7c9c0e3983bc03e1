// The one error type: a failing file, clipboard or settings operation throws
// it with its CP932 text; only the window procedure catches it.
#pragma once

#include <exception>
#include <string_view>

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

}  // namespace rinban
