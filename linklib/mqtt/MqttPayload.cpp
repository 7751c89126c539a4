#include "linklib/mqtt/MqttPayload.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "linklib/Json.h"
#include "runtime/Windows1252.h"

namespace tintoral::mqtt {
namespace {

using linklib::JsonValue;
using linklib::LinkValue;

std::string Trimmed(const std::string& text) {
  const std::size_t start = text.find_first_not_of(" \t\r\n");
  if (start == std::string::npos) return {};
  return text.substr(start, text.find_last_not_of(" \t\r\n") - start + 1);
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

LinkValue NumberValue(double number) {
  if (number == std::trunc(number) && number >= std::numeric_limits<std::int32_t>::min() &&
      number <= std::numeric_limits<std::int32_t>::max())
    return LinkValue::Integer(IOPC_VT_INT32, static_cast<std::int64_t>(number));
  return LinkValue::Real(number);
}

LinkValue TextValue(const std::string& utf8) { return LinkValue::Text(Utf8ToWindows1252(utf8)); }

LinkValue FromJson(const JsonValue& json, const std::string& source) {
  switch (json.kind) {
    case JsonValue::Kind::Null: return {};
    case JsonValue::Kind::Boolean: return LinkValue::Integer(IOPC_VT_BOOLEAN, json.boolean);
    case JsonValue::Kind::Number: return NumberValue(json.number);
    case JsonValue::Kind::String: return TextValue(json.text);
    default: return TextValue(source);
  }
}

std::string JsonText(const JsonValue& json);

std::string Joined(const std::vector<std::string>& parts, char open, char close) {
  std::string text(1, open);
  for (std::size_t i = 0; i < parts.size(); ++i) text += (i ? "," : "") + parts[i];
  return text + close;
}

// The JSON text of a value read (for an object or array at the path).
std::string JsonText(const JsonValue& json) {
  switch (json.kind) {
    case JsonValue::Kind::Null: return "null";
    case JsonValue::Kind::Boolean: return json.boolean ? "true" : "false";
    case JsonValue::Kind::Number: return json.text;
    case JsonValue::Kind::String: return linklib::JsonQuoted(json.text);
    case JsonValue::Kind::Array: {
      std::vector<std::string> items;
      for (const JsonValue& item : json.items) items.push_back(JsonText(item));
      return Joined(items, '[', ']');
    }
    default: {
      std::vector<std::string> members;
      for (const auto& [name, member] : json.members)
        members.push_back(linklib::JsonQuoted(name) + ":" + JsonText(member));
      return Joined(members, '{', '}');
    }
  }
}

const JsonValue* Walk(const JsonValue& root, const std::vector<std::string>& path) {
  const JsonValue* at = &root;
  for (const std::string& name : path) {
    if (at->kind == JsonValue::Kind::Object) {
      at = at->Member(name);
    } else if (at->kind == JsonValue::Kind::Array) {
      std::size_t index = 0;
      const auto [end, problem] = std::from_chars(name.data(), name.data() + name.size(), index);
      at = problem == std::errc() && end == name.data() + name.size() && index < at->items.size() ? &at->items[index]
                                                                                                  : nullptr;
    } else {
      at = nullptr;
    }
    if (!at) return nullptr;
  }
  return at;
}

std::string Joined(const std::vector<std::string>& path) {
  std::string text;
  for (const std::string& name : path) text += (text.empty() ? "" : ".") + name;
  return text;
}

}  // namespace

std::optional<LinkValue> DecodePayload(const std::string& payload, const std::vector<std::string>& path,
                                       std::string& problem) {
  const std::string trimmed = Trimmed(payload);
  std::string error;
  const std::optional<JsonValue> json = linklib::ParseJson(trimmed, error);
  if (!path.empty()) {
    if (!json) {
      problem = "the payload is not JSON (" + error + ")";
      return std::nullopt;
    }
    const JsonValue* value = Walk(*json, path);
    if (!value) {
      problem = "the payload has no field " + Joined(path);
      return std::nullopt;
    }
    return FromJson(*value, JsonText(*value));
  }
  const std::string lower = Lower(trimmed);
  if (lower == "true" || lower == "false") return LinkValue::Integer(IOPC_VT_BOOLEAN, lower == "true");
  if (json && (json->kind == JsonValue::Kind::Number || json->kind == JsonValue::Kind::String))
    return FromJson(*json, "");
  return TextValue(payload);
}

std::string EncodePayload(const IOPCVariant& value, const std::vector<std::string>& path) {
  std::string text;
  bool quoted = false;
  switch (value.type) {
    case IOPC_VT_INT32: text = std::to_string(value.value.int32Value); break;
    case IOPC_VT_INT64: text = std::to_string(value.value.int64Value); break;
    case IOPC_VT_BOOLEAN: text = value.value.booleanValue ? "true" : "false"; break;
    case IOPC_VT_DOUBLE: {
      char buffer[32];
      const auto [end, failed] = std::to_chars(buffer, buffer + sizeof buffer, value.value.doubleValue);
      text = failed == std::errc() ? std::string(buffer, end) : "0";
      quoted = !std::isfinite(value.value.doubleValue);  // JSON has no such numbers
      break;
    }
    case IOPC_VT_TEXT:
      text = Windows1252ToUtf8(
          std::string_view(value.value.text.bytes ? value.value.text.bytes : "", value.value.text.length));
      quoted = true;
      break;
    default: text = "null"; break;
  }
  if (path.empty()) return value.type == IOPC_VT_EMPTY ? "" : text;
  std::string json = quoted ? linklib::JsonQuoted(text) : text;
  for (auto name = path.rbegin(); name != path.rend(); ++name)
    json = "{" + linklib::JsonQuoted(*name) + ":" + json + "}";
  return json;
}

}  // namespace tintoral::mqtt
