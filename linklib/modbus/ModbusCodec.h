#pragma once
// Values in Modbus registers: decoding the registers an item covers into
// the value the data link receives, and encoding a value written to an
// item into registers (ModbusAddress.h gives types and orders).
#include <cstdint>
#include <string>
#include <vector>

#include "instruments/opc/LinkLibrary.h"
#include "linklib/modbus/ModbusAddress.h"

namespace tintoral::modbus {

// A decoded value, kept by the link between polls.
struct Value {
  IOPCVariantType type = IOPC_VT_EMPTY;
  std::int64_t integer = 0;  // INT32, INT64 and BOOLEAN
  double real = 0;           // DOUBLE
  std::string text;          // TEXT: the string's bytes up to the first NUL

  bool operator==(const Value&) const = default;
  // The value as the data link takes it; valid while this Value lives.
  IOPCVariant Variant() const;
};

// `registers` holds item.Count() registers as read.
Value DecodeRegisters(const ItemAddress& item, const std::uint16_t* registers);
Value DecodeBit(std::uint8_t bit);

// The registers (or, for a bit area, the one bit as 0 or 1) that write
// `value` to the item; false with `error` when the value does not fit the
// item's type (not a number, out of range, a text too long).
bool Encode(const ItemAddress& item, const IOPCVariant& value, std::vector<std::uint16_t>& words, std::string& error);

}  // namespace tintoral::modbus
