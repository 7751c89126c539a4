#include "linklib/Json.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace tintoral::linklib {
namespace {

constexpr int kMaxDepth = 64;

class Parser {
 public:
  explicit Parser(const std::string& text) : text_(text) {}

  std::optional<JsonValue> Document(std::string& error) {
    JsonValue value;
    if (Value(value, 0)) {
      SkipSpace();
      if (at_ == text_.size()) return value;
      problem_ = "text after the value";
    }
    error = "offset " + std::to_string(at_) + ": " + problem_;
    return std::nullopt;
  }

 private:
  bool Fail(const char* problem) {
    problem_ = problem;
    return false;
  }
  void SkipSpace() {
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\n' || text_[at_] == '\r'))
      ++at_;
  }
  bool Word(const char* word) {
    const std::string expected(word);
    if (text_.compare(at_, expected.size(), expected) != 0) return Fail("not a JSON value");
    at_ += expected.size();
    return true;
  }

  bool Value(JsonValue& value, int depth) {
    if (depth > kMaxDepth) return Fail("nested too deep");
    SkipSpace();
    if (at_ >= text_.size()) return Fail("a value is missing");
    switch (text_[at_]) {
      case '{': return Object(value, depth);
      case '[': return Array(value, depth);
      case '"': value.kind = JsonValue::Kind::String; return String(value.text);
      case 't':
        value.kind = JsonValue::Kind::Boolean;
        value.boolean = true;
        return Word("true");
      case 'f': value.kind = JsonValue::Kind::Boolean; return Word("false");
      case 'n': return Word("null");
      default: return Number(value);
    }
  }

  bool Number(JsonValue& value) {
    const std::size_t start = at_;
    if (at_ < text_.size() && text_[at_] == '-') ++at_;
    const auto digits = [&] {
      const std::size_t from = at_;
      while (at_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[at_]))) ++at_;
      return at_ > from;
    };
    if (!digits()) return Fail("not a JSON value");
    if (at_ < text_.size() && text_[at_] == '.' && (++at_, !digits())) return Fail("digits expected after '.'");
    if (at_ < text_.size() && (text_[at_] == 'e' || text_[at_] == 'E')) {
      ++at_;
      if (at_ < text_.size() && (text_[at_] == '+' || text_[at_] == '-')) ++at_;
      if (!digits()) return Fail("digits expected in the exponent");
    }
    value.kind = JsonValue::Kind::Number;
    value.text = text_.substr(start, at_ - start);
    std::from_chars(value.text.data(), value.text.data() + value.text.size(), value.number);
    return true;
  }

  bool Hex4(unsigned& code) {
    if (at_ + 4 > text_.size()) return Fail("\\u needs four hex digits");
    code = 0;
    for (int i = 0; i < 4; ++i) {
      const char c = text_[at_++];
      const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                        : (c >= 'a' && c <= 'f')                    ? c - 'a' + 10
                        : (c >= 'A' && c <= 'F')                    ? c - 'A' + 10
                                                                    : -1;
      if (digit < 0) return Fail("\\u needs four hex digits");
      code = code * 16 + static_cast<unsigned>(digit);
    }
    return true;
  }

  static void AppendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (code >> 18));
      out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }

  bool Escape(std::string& out) {
    if (at_ >= text_.size()) return Fail("unfinished string");
    const char c = text_[at_++];
    static const std::string kFrom = "\"\\/bfnrt", kTo = "\"\\/\b\f\n\r\t";
    if (const std::size_t simple = kFrom.find(c); simple != std::string::npos) {
      out += kTo[simple];
      return true;
    }
    unsigned code = 0;
    if (c != 'u' || !Hex4(code)) return Fail("unknown escape");
    if (code >= 0xD800 && code < 0xDC00 && text_.compare(at_, 2, "\\u") == 0) {
      at_ += 2;
      unsigned low = 0;
      if (!Hex4(low)) return false;
      if (low >= 0xDC00 && low < 0xE000) code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
    }
    AppendUtf8(out, code);
    return true;
  }

  bool String(std::string& out) {
    ++at_;  // the opening quote
    for (;;) {
      if (at_ >= text_.size()) return Fail("unfinished string");
      const char c = text_[at_++];
      if (c == '"') return true;
      if (static_cast<unsigned char>(c) < 0x20) return Fail("control character in a string");
      if (c != '\\') out += c;
      else if (!Escape(out)) return false;
    }
  }

  bool Array(JsonValue& value, int depth) {
    value.kind = JsonValue::Kind::Array;
    ++at_;
    SkipSpace();
    if (at_ < text_.size() && text_[at_] == ']') return ++at_, true;
    for (;;) {
      value.items.emplace_back();
      if (!Value(value.items.back(), depth + 1)) return false;
      SkipSpace();
      if (at_ < text_.size() && text_[at_] == ',') ++at_;
      else if (at_ < text_.size() && text_[at_] == ']') return ++at_, true;
      else return Fail("',' or ']' expected");
    }
  }

  bool Object(JsonValue& value, int depth) {
    value.kind = JsonValue::Kind::Object;
    ++at_;
    SkipSpace();
    if (at_ < text_.size() && text_[at_] == '}') return ++at_, true;
    for (;;) {
      SkipSpace();
      if (at_ >= text_.size() || text_[at_] != '"') return Fail("a member name expected");
      std::string name;
      if (!String(name)) return false;
      SkipSpace();
      if (at_ >= text_.size() || text_[at_] != ':') return Fail("':' expected");
      ++at_;
      value.members.push_back({std::move(name), JsonValue{}});
      if (!Value(value.members.back().value, depth + 1)) return false;
      SkipSpace();
      if (at_ < text_.size() && text_[at_] == ',') ++at_;
      else if (at_ < text_.size() && text_[at_] == '}') return ++at_, true;
      else return Fail("',' or '}' expected");
    }
  }

  const std::string& text_;
  std::size_t at_ = 0;
  const char* problem_ = "";
};

}  // namespace

const JsonValue* JsonValue::Member(const std::string& name) const {
  for (auto member = members.rbegin(); member != members.rend(); ++member)
    if (member->name == name) return &member->value;
  return nullptr;
}

std::optional<JsonValue> ParseJson(const std::string& text, std::string& error) { return Parser(text).Document(error); }

std::string JsonQuoted(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) {
    switch (c) {
      case '"': quoted += "\\\""; break;
      case '\\': quoted += "\\\\"; break;
      case '\n': quoted += "\\n"; break;
      case '\r': quoted += "\\r"; break;
      case '\t': quoted += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
          quoted += escaped;
        } else {
          quoted += c;
        }
    }
  }
  return quoted + "\"";
}

}  // namespace tintoral::linklib
