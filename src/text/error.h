// The one error type: a failing file, clipboard or settings operation throws
// it with its CP932 text; only the window procedure catches it.
#pragma once

#include <exception>
#include <string_view>

#include "text/text.h"

namespace rinban {

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
