#include "linklib/modbus/ModbusCodec.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>

namespace tintoral::modbus {
namespace {

// The item's registers in big-endian order (ABCD), undoing its own order.
std::uint64_t BigEndianBits(const ItemAddress& item, const std::uint16_t* registers) {
  const int count = item.Count();
  std::uint64_t bits = 0;
  for (int i = 0; i < count; ++i) {
    std::uint16_t word = registers[item.swapWords ? count - 1 - i : i];
    if (item.swapBytes) word = static_cast<std::uint16_t>((word >> 8) | (word << 8));
    bits = (bits << 16) | word;
  }
  return bits;
}

std::vector<std::uint16_t> RegistersOf(const ItemAddress& item, std::uint64_t bits) {
  const int count = item.Count();
  std::vector<std::uint16_t> words(static_cast<std::size_t>(count));
  for (int i = count - 1; i >= 0; --i) {
    std::uint16_t word = static_cast<std::uint16_t>(bits & 0xFFFF);
    bits >>= 16;
    if (item.swapBytes) word = static_cast<std::uint16_t>((word >> 8) | (word << 8));
    words[static_cast<std::size_t>(item.swapWords ? count - 1 - i : i)] = word;
  }
  return words;
}

Value Integer(IOPCVariantType type, std::int64_t number) { return Value::Integer(type, number); }

Value Real(double number) { return Value::Real(number); }

Value Text(const ItemAddress& item, const std::uint16_t* registers) {
  Value value;
  value.type = IOPC_VT_TEXT;
  for (int i = 0; i < item.stringBytes; ++i) {
    const std::uint16_t word = registers[i / 2];
    const bool high = (i % 2 == 0) != item.swapBytes;
    const char c = static_cast<char>(high ? word >> 8 : word & 0xFF);
    if (c == '\0') break;
    value.text += c;
  }
  return value;
}

// The number a written value stands for: numbers and Booleans as they are,
// texts parsed ("true", "false" or a decimal number).
std::optional<double> NumberOf(const IOPCVariant& value) {
  switch (value.type) {
    case IOPC_VT_INT32: return value.value.int32Value;
    case IOPC_VT_INT64: return static_cast<double>(value.value.int64Value);
    case IOPC_VT_DOUBLE: return value.value.doubleValue;
    case IOPC_VT_BOOLEAN: return value.value.booleanValue != 0 ? 1 : 0;
    case IOPC_VT_TEXT: {
      std::string text(value.value.text.bytes ? value.value.text.bytes : "", value.value.text.length);
      for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      if (text == "true") return 1;
      if (text == "false") return 0;
      double number = 0;
      const char* end = text.data() + text.size();
      const auto [stop, problem] = std::from_chars(text.data(), end, number);
      if (problem != std::errc() || stop != end) return std::nullopt;
      return number;
    }
    default: return std::nullopt;
  }
}

std::string TextOf(const IOPCVariant& value) {
  if (value.type == IOPC_VT_TEXT)
    return std::string(value.value.text.bytes ? value.value.text.bytes : "", value.value.text.length);
  const std::optional<double> number = NumberOf(value);
  if (!number) return {};
  if (std::abs(*number) < 1e15 && *number == std::trunc(*number))
    return std::to_string(static_cast<std::int64_t>(*number));  // whole numbers without an exponent
  char buffer[32];
  const auto [end, problem] = std::to_chars(buffer, buffer + sizeof buffer, *number);
  return problem == std::errc() ? std::string(buffer, end) : std::string();
}

template <class T>
std::uint64_t BitsOfFloat(T number) {
  if constexpr (sizeof(T) == 4) {
    std::uint32_t bits;
    std::memcpy(&bits, &number, 4);
    return bits;
  } else {
    std::uint64_t bits;
    std::memcpy(&bits, &number, 8);
    return bits;
  }
}

const char* TypeName(ValueType type) {
  switch (type) {
    case ValueType::Bool: return "bool";
    case ValueType::Int16: return "int16";
    case ValueType::UInt16: return "uint16";
    case ValueType::Int32: return "int32";
    case ValueType::UInt32: return "uint32";
    case ValueType::Float32: return "float32";
    case ValueType::Float64: return "float64";
    default: return "string";
  }
}

}  // namespace

Value DecodeBit(std::uint8_t bit) { return Integer(IOPC_VT_BOOLEAN, bit != 0); }

Value DecodeRegisters(const ItemAddress& item, const std::uint16_t* registers) {
  const std::uint64_t bits = item.type == ValueType::String ? 0 : BigEndianBits(item, registers);
  switch (item.type) {
    case ValueType::Bool: return Integer(IOPC_VT_BOOLEAN, bits != 0);
    case ValueType::Int16: return Integer(IOPC_VT_INT32, static_cast<std::int16_t>(bits));
    case ValueType::UInt16: return Integer(IOPC_VT_INT32, static_cast<std::uint16_t>(bits));
    case ValueType::Int32: return Integer(IOPC_VT_INT32, static_cast<std::int32_t>(bits));
    case ValueType::UInt32: return Integer(IOPC_VT_INT64, static_cast<std::uint32_t>(bits));
    case ValueType::Float32: {
      float number;
      const std::uint32_t low = static_cast<std::uint32_t>(bits);
      std::memcpy(&number, &low, 4);
      return Real(number);
    }
    case ValueType::Float64: {
      double number;
      std::memcpy(&number, &bits, 8);
      return Real(number);
    }
    default: return Text(item, registers);
  }
}

bool Encode(const ItemAddress& item, const IOPCVariant& value, std::vector<std::uint16_t>& words, std::string& error) {
  if (item.type == ValueType::String) {
    const std::string text = TextOf(value);
    if (text.size() > static_cast<std::size_t>(item.stringBytes)) {
      error = "\"" + text + "\" is longer than " + std::to_string(item.stringBytes) + " bytes";
      return false;
    }
    words.assign(static_cast<std::size_t>(item.Count()), 0);
    for (std::size_t i = 0; i < text.size(); ++i) {
      const bool high = (i % 2 == 0) != item.swapBytes;
      const auto byte = static_cast<std::uint16_t>(static_cast<unsigned char>(text[i]));
      words[i / 2] = static_cast<std::uint16_t>(words[i / 2] | (high ? byte << 8 : byte));
    }
    return true;
  }
  const std::optional<double> number = NumberOf(value);
  if (!number || std::isnan(*number)) {
    error = "\"" + TextOf(value) + "\" is not a " + TypeName(item.type);
    return false;
  }
  std::uint64_t bits = 0;
  const auto inRange = [&](double low, double high) {
    const double rounded = std::round(*number);
    if (rounded < low || rounded > high) {
      error = TextOf(value) + " is out of range for " + TypeName(item.type);
      return false;
    }
    bits = static_cast<std::uint64_t>(static_cast<std::int64_t>(rounded));
    return true;
  };
  switch (item.type) {
    case ValueType::Bool: bits = *number != 0; break;
    case ValueType::Int16:
      if (!inRange(-32768, 32767)) return false;
      break;
    case ValueType::UInt16:
      if (!inRange(0, 65535)) return false;
      break;
    case ValueType::Int32:
      if (!inRange(-2147483648.0, 2147483647.0)) return false;
      break;
    case ValueType::UInt32:
      if (!inRange(0, 4294967295.0)) return false;
      break;
    case ValueType::Float32:
      if (std::isfinite(*number) && std::abs(*number) > std::numeric_limits<float>::max()) {
        error = TextOf(value) + " is out of range for float32";
        return false;
      }
      bits = BitsOfFloat(static_cast<float>(*number));
      break;
    default: bits = BitsOfFloat(*number); break;
  }
  if (item.IsBitArea()) words.assign(1, bits != 0);
  else words = RegistersOf(item, bits & (item.Count() == 4 ? ~0ULL : (1ULL << (16 * item.Count())) - 1));
  return true;
}

}  // namespace tintoral::modbus
