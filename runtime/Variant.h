#pragma once
// TVariant: a value of one of a few simple types, converted on demand the way
// the data link and the property files need. Texts are Windows-1252 bytes;
// numbers meet text through the runtime's number text (locale separator).
#include <compare>
#include <concepts>
#include <cstdint>
#include <string>
#include <type_traits>
#include <variant>

namespace tintoral {

enum class TVarType { Empty, Integer, Int64, Double, Boolean, String };

class TVariant {
 public:
  TVariant() = default;
  // Integers of up to 32 bits that fit a signed 32-bit value are Integer,
  // wider ones Int64.
  template <std::integral I>
  requires(!std::same_as<I, bool>) TVariant(I value) : value_(Widen(value)) {}
  TVariant(double value) : value_(value) {}
  TVariant(long double value) : value_(static_cast<double>(value)) {}
  TVariant(bool value) : value_(value) {}
  TVariant(std::string value) : value_(std::move(value)) {}
  TVariant(const char* value) : value_(std::string(value)) {}

  TVarType Type() const { return static_cast<TVarType>(value_.index()); }
  bool IsEmpty() const { return Type() == TVarType::Empty; }
  // "Empty", "Integer", "Int64", "Double", "Boolean" or "String".
  const char* TypeName() const;

  // Conversions; each raises ConvertError "Could not convert variant of type
  // (<from>) into type (<to>)" when the value has no such form, and the
  // number parser's ConvertError for a text that is not a number.
  //  - Empty is 0, False, "".
  //  - A Double becomes an integer rounded to nearest, halves to even.
  //  - True is -1 as a number, False 0; a number is True when not 0.
  //  - A text becomes a number through TextToInt64 / TextToFloat (an integer
  //    target also takes a float text, rounded as above); "True" / "False"
  //    (any case) or a number become a Boolean.
  //  - Numbers become text through the general float text (FloatToText) or
  //    decimal digits; Booleans as "True" / "False".
  std::int32_t ToInt() const;
  std::int64_t ToInt64() const;
  double ToDouble() const;
  bool ToBool() const;
  std::string ToString() const;

  // Numbers (Booleans and Empty included) compare by value, texts byte by
  // byte, Empty equals "" against a text; a text against a number is taken
  // as a number (ConvertError when it is none). NaN compares unordered.
  friend bool operator==(const TVariant& a, const TVariant& b) { return (a <=> b) == 0; }
  friend std::partial_ordering operator<=>(const TVariant& a, const TVariant& b);

 private:
  template <class I>
  static auto Widen(I value) {
    if constexpr (sizeof(I) < 4 || (sizeof(I) == 4 && std::is_signed_v<I>)) return static_cast<std::int32_t>(value);
    else return static_cast<std::int64_t>(value);
  }
  std::int64_t ToIntegerWithin(long double min, long double max, const char* to) const;

  std::variant<std::monostate, std::int32_t, std::int64_t, double, bool, std::string> value_;
};

}  // namespace tintoral
