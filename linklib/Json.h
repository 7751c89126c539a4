#pragma once
// A small JSON reader for the link libraries (MQTT payloads, the private
// credentials file): parses a whole text into a tree, or says where it
// stops being JSON. Nesting is limited so that no input exhausts the stack.
#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tintoral::linklib {

struct JsonMember;

struct JsonValue {
  enum class Kind { Null, Boolean, Number, String, Array, Object };
  Kind kind = Kind::Null;
  bool boolean = false;
  double number = 0;
  std::string text;                 // String: UTF-8; Number: as written
  std::vector<JsonValue> items;     // Array
  std::vector<JsonMember> members;  // Object, in order

  // The member of that name (the last one of a repeated name), nullptr when none.
  const JsonValue* Member(const std::string& name) const;
};

// A named member of an object: a struct of its own, as a std::pair of an
// incomplete JsonValue inside JsonValue does not compile with clang.
struct JsonMember {
  std::string name;
  JsonValue value;
};

// nullopt with `error` ("offset N: what") when `text` is not one JSON value
// (white space around it allowed).
std::optional<JsonValue> ParseJson(const std::string& text, std::string& error);

// `text` as a JSON string, quoted and escaped.
std::string JsonQuoted(const std::string& text);

}  // namespace tintoral::linklib
