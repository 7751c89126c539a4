#pragma once
// Values in Modbus registers: decoding the registers an item covers into
// the value the data link receives, and encoding a value written to an
// item into registers (ModbusAddress.h gives types and orders).
#include <cstdint>
#include <string>
#include <vector>

#include "instruments/opc/LinkLibrary.h"
#include "linklib/LinkValue.h"
#include "linklib/modbus/ModbusAddress.h"

namespace tintoral::modbus {

// A decoded value, kept by the link between polls.
using Value = linklib::LinkValue;

// `registers` holds item.Count() registers as read.
Value DecodeRegisters(const ItemAddress& item, const std::uint16_t* registers);
Value DecodeBit(std::uint8_t bit);

// The registers (or, for a bit area, the one bit as 0 or 1) that write
// `value` to the item; false with `error` when the value does not fit the
// item's type (not a number, out of range, a text too long).
bool Encode(const ItemAddress& item, const IOPCVariant& value, std::vector<std::uint16_t>& words, std::string& error);

}  // namespace tintoral::modbus
