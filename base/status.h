// A failure of a file, settings or argument operation, as a value: ok, or a message.
#pragma once

#include <string>
#include <utility>

namespace tessarine {

class [[nodiscard]] Status {
 public:
  Status() = default;
  static Status Ok() { return Status(); }
  static Status Error(std::string message) { return Status(std::move(message)); }

  bool ok() const { return !failed_; }
  // The reason of a failure (UTF-8); empty when ok.
  const std::string& message() const { return message_; }

 private:
  explicit Status(std::string message) : failed_(true), message_(std::move(message)) {}
  bool failed_ = false;
  std::string message_;
};

}  // namespace tessarine
