#pragma once
// The line protocol between the OPC UA link library and its helper process:
// tab-separated fields, one line each, with backslash escapes for tab, line
// feed, carriage return and backslash; values travel as a type word and a
// text (see README.md).
#include <string>
#include <string_view>
#include <vector>

#include "instruments/opc/LinkLibrary.h"

namespace tintoral::opcua {

// One line, fields escaped and joined by tabs, ending in a line feed.
std::string JoinLine(const std::vector<std::string>& fields);
// The unescaped fields of a line (without its line feed).
std::vector<std::string> SplitLine(std::string_view line);

// A value in the protocol's form; texts in UTF-8.
struct WireValue {
  std::string type;  // "empty", "i32", "i64", "f64", "bool" or "text"
  std::string text;
};

// A value from the instruments (texts in Windows-1252) in the protocol's form.
WireValue ToWire(const IOPCVariant& value);

// A value from the helper in the header's C form: the text it points to is
// held by this object.
class ReceivedValue {
 public:
  ReceivedValue() = default;
  // An unknown type or a text that is not a number of its type is Empty.
  explicit ReceivedValue(const WireValue& value);
  ReceivedValue(const ReceivedValue& other) : ReceivedValue() { *this = other; }
  ReceivedValue& operator=(const ReceivedValue& other);
  const IOPCVariant& Value() const { return value_; }

 private:
  void PointTextAtOwnBytes();
  std::string text_;  // Windows-1252 bytes
  IOPCVariant value_{};
};

}  // namespace tintoral::opcua
