#include "runtime/Variant.h"

#include <cmath>
#include <limits>

#include "runtime/Exception.h"
#include "runtime/Identifiers.h"
#include "runtime/NumberText.h"

namespace tintoral {
namespace {

const char* const kTypeNames[] = {"Empty", "Integer", "Int64", "Double", "Boolean", "String"};

[[noreturn]] void CannotConvert(const TVariant& from, const char* to) {
  throw ConvertError(std::string("Could not convert variant of type (") + from.TypeName() + ") into type (" + to + ")");
}

// Nearest integer, halves to the even neighbour; nothing for NaN and values
// outside [min, max].
bool RoundHalfEven(long double x, long double min, long double max, std::int64_t& result) {
  if (std::isnan(x)) return false;
  long double whole = std::floor(x);
  const long double fraction = x - whole;
  if (fraction > 0.5L || (fraction == 0.5L && std::fmod(whole, 2.0L) != 0)) whole += 1;
  if (whole < min || whole > max) return false;
  result = static_cast<std::int64_t>(whole);
  return true;
}

bool IsTrueText(const std::string& text) { return SameText(text, "True"); }
bool IsFalseText(const std::string& text) { return SameText(text, "False"); }

// Integer value of a text: integer digits, or a float text rounded.
std::int64_t TextToRoundedInteger(const TVariant& v, const std::string& text, long double min, long double max,
                                  const char* to) {
  try {
    return TextToInt64(text);
  } catch (const ConvertError&) {
    std::int64_t result = 0;
    if (!RoundHalfEven(TextToFloat(text), min, max, result)) CannotConvert(v, to);
    return result;
  }
}

}  // namespace

std::int64_t TVariant::ToIntegerWithin(long double min, long double max, const char* to) const {
  std::int64_t result = 0;
  switch (Type()) {
    case TVarType::Empty: return 0;
    case TVarType::Integer: return std::get<std::int32_t>(value_);
    case TVarType::Int64: result = std::get<std::int64_t>(value_); break;
    case TVarType::Double:
      if (!RoundHalfEven(std::get<double>(value_), min, max, result)) CannotConvert(*this, to);
      break;
    case TVarType::Boolean: return std::get<bool>(value_) ? -1 : 0;
    case TVarType::String: result = TextToRoundedInteger(*this, std::get<std::string>(value_), min, max, to); break;
  }
  if (result < min || result > max) CannotConvert(*this, to);
  return result;
}

const char* TVariant::TypeName() const { return kTypeNames[value_.index()]; }

std::int32_t TVariant::ToInt() const {
  return static_cast<std::int32_t>(
      ToIntegerWithin(std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max(), "Integer"));
}

std::int64_t TVariant::ToInt64() const {
  // 2^63 is the first long double above the range; -2^63 itself is in it.
  return ToIntegerWithin(-9223372036854775808.0L, 9223372036854775807.0L, "Int64");
}

double TVariant::ToDouble() const {
  switch (Type()) {
    case TVarType::Empty: return 0;
    case TVarType::Integer: return std::get<std::int32_t>(value_);
    case TVarType::Int64: return static_cast<double>(std::get<std::int64_t>(value_));
    case TVarType::Double: return std::get<double>(value_);
    case TVarType::Boolean: return std::get<bool>(value_) ? -1 : 0;
    case TVarType::String: return static_cast<double>(TextToFloat(std::get<std::string>(value_)));
  }
  CannotConvert(*this, "Double");
}

bool TVariant::ToBool() const {
  switch (Type()) {
    case TVarType::Empty: return false;
    case TVarType::Integer: return std::get<std::int32_t>(value_) != 0;
    case TVarType::Int64: return std::get<std::int64_t>(value_) != 0;
    case TVarType::Double: return std::get<double>(value_) != 0;
    case TVarType::Boolean: return std::get<bool>(value_);
    case TVarType::String: {
      const std::string& text = std::get<std::string>(value_);
      if (IsTrueText(text)) return true;
      if (IsFalseText(text)) return false;
      return TextToFloat(text) != 0;
    }
  }
  CannotConvert(*this, "Boolean");
}

std::string TVariant::ToString() const {
  switch (Type()) {
    case TVarType::Empty: return {};
    case TVarType::Integer: return std::to_string(std::get<std::int32_t>(value_));
    case TVarType::Int64: return std::to_string(std::get<std::int64_t>(value_));
    case TVarType::Double: return FloatToText(std::get<double>(value_));
    case TVarType::Boolean: return std::get<bool>(value_) ? "True" : "False";
    case TVarType::String: return std::get<std::string>(value_);
  }
  CannotConvert(*this, "String");
}

std::partial_ordering operator<=>(const TVariant& a, const TVariant& b) {
  const bool aText = a.Type() == TVarType::String;
  const bool bText = b.Type() == TVarType::String;
  if ((aText || a.IsEmpty()) && (bText || b.IsEmpty())) return a.ToString() <=> b.ToString();
  const auto integral = [](const TVariant& v) { return v.Type() != TVarType::Double && v.Type() != TVarType::String; };
  if (integral(a) && integral(b)) return a.ToInt64() <=> b.ToInt64();
  return static_cast<long double>(a.ToDouble()) <=> static_cast<long double>(b.ToDouble());
}

}  // namespace tintoral
