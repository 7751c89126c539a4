#pragma once
// The runtime's error classes. Every error the library raises derives from
// Exception and carries a message text meant for the user.
#include <exception>
#include <string>

namespace tintoral {

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

// Text that is not a number, or a number of the wrong form.
class ConvertError : public Exception {
  using Exception::Exception;
};
// An index outside a list's bounds.
class ListIndexError : public Exception {
  using Exception::Exception;
};
// A malformed form stream or a stream that cannot be read or written.
class StreamError : public Exception {
  using Exception::Exception;
};
// A file that cannot be opened, read or written.
class FileError : public Exception {
  using Exception::Exception;
};
// An assignment between incompatible objects or a call in the wrong state.
class InvalidOperation : public Exception {
  using Exception::Exception;
};
// Pictures that cannot be decoded, bitmaps that cannot be created.
class GraphicsError : public Exception {
  using Exception::Exception;
};

}  // namespace tintoral
