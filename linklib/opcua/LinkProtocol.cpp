#include "linklib/opcua/LinkProtocol.h"

#include <charconv>
#include <cstdint>

#include "runtime/Windows1252.h"

namespace tintoral::opcua {
namespace {

std::string Escape(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '\\': escaped += "\\\\"; break;
      case '\t': escaped += "\\t"; break;
      case '\n': escaped += "\\n"; break;
      case '\r': escaped += "\\r"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

char Unescaped(char c) {
  switch (c) {
    case 't': return '\t';
    case 'n': return '\n';
    case 'r': return '\r';
    default: return c;
  }
}

template <class T>
bool ParseNumber(const std::string& text, T& number) {
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, number);
  return error == std::errc() && stop == end;
}

std::string DoubleText(double value) {
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

}  // namespace

std::string JoinLine(const std::vector<std::string>& fields) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line += '\t';
    line += Escape(fields[i]);
  }
  line += '\n';
  return line;
}

std::vector<std::string> SplitLine(std::string_view line) {
  std::vector<std::string> fields(1);
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '\t') {
      fields.emplace_back();
    } else if (c == '\\' && i + 1 < line.size()) {
      fields.back() += Unescaped(line[++i]);
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

WireValue ToWire(const IOPCVariant& value) {
  switch (value.type) {
    case IOPC_VT_INT32: return {"i32", std::to_string(value.value.int32Value)};
    case IOPC_VT_INT64: return {"i64", std::to_string(value.value.int64Value)};
    case IOPC_VT_DOUBLE: return {"f64", DoubleText(value.value.doubleValue)};
    case IOPC_VT_BOOLEAN: return {"bool", value.value.booleanValue ? "1" : "0"};
    case IOPC_VT_TEXT:
      return {"text", Windows1252ToUtf8(std::string_view(value.value.text.bytes ? value.value.text.bytes : "",
                                                         value.value.text.bytes ? value.value.text.length : 0))};
    default: return {"empty", ""};
  }
}

ReceivedValue::ReceivedValue(const WireValue& wire) {
  if (wire.type == "i32") {
    if (ParseNumber(wire.text, value_.value.int32Value)) value_.type = IOPC_VT_INT32;
  } else if (wire.type == "i64") {
    if (ParseNumber(wire.text, value_.value.int64Value)) value_.type = IOPC_VT_INT64;
  } else if (wire.type == "f64") {
    // The helper writes JavaScript's number texts: "Infinity" is one.
    const std::string text = wire.text == "Infinity" ? "inf" : wire.text == "-Infinity" ? "-inf" : wire.text;
    if (ParseNumber(text, value_.value.doubleValue)) value_.type = IOPC_VT_DOUBLE;
  } else if (wire.type == "bool") {
    value_.type = IOPC_VT_BOOLEAN;
    value_.value.booleanValue = wire.text != "0" && !wire.text.empty();
  } else if (wire.type == "text") {
    text_ = Utf8ToWindows1252(wire.text);
    value_.type = IOPC_VT_TEXT;
    PointTextAtOwnBytes();
  }
}

ReceivedValue& ReceivedValue::operator=(const ReceivedValue& other) {
  text_ = other.text_;
  value_ = other.value_;
  if (value_.type == IOPC_VT_TEXT) PointTextAtOwnBytes();
  return *this;
}

void ReceivedValue::PointTextAtOwnBytes() {
  value_.value.text.bytes = text_.data();
  value_.value.text.length = text_.size();
}

}  // namespace tintoral::opcua
