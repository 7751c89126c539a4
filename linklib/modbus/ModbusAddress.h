#pragma once
// The names the Modbus TCP link understands, parsed without touching the
// network (the item-name parser is fuzzed):
//
//   server name  modbus-tcp://HOST[:PORT][/UNIT]   port 502, unit 1 by default;
//                HOST may be a bracketed IPv6 address
//   item name    AREA:ADDRESS[:TYPE][:ORDER]
//     AREA     coil | di | ir | hr   (also coils, discrete-inputs,
//              input-registers, holding-registers)
//     ADDRESS  0 ... 65535: the protocol address, counted from 0 (the first
//              holding register, "40001" in the 1-based habit, is hr:0)
//     TYPE     bool | int16 | uint16 | int32 | uint32 | float32 | float64 |
//              stringN (N bytes, 1 ... 246); bool for coils and discrete
//              inputs (their only type and default), uint16 by default for
//              registers, where bool is a register that is not 0
//     ORDER    ABCD (default) | CDAB | BADC | DCBA: the order of the value's
//              bytes in the registers, A the most significant; CDAB puts
//              the least significant register first, BADC swaps the two
//              bytes of each register, DCBA does both. For 64-bit values
//              CDAB reverses all four registers; for 16-bit values only
//              the byte swap counts; strings take AB (default) or BA
// Letters are taken in any case.
#include <cstdint>
#include <optional>
#include <string>

namespace tintoral::modbus {

struct ServerAddress {
  std::string host;
  int port = 502;
  int unit = 1;
};

enum class Area { Coils, DiscreteInputs, InputRegisters, HoldingRegisters };
enum class ValueType { Bool, Int16, UInt16, Int32, UInt32, Float32, Float64, String };

struct ItemAddress {
  Area area = Area::HoldingRegisters;
  int address = 0;
  ValueType type = ValueType::UInt16;
  int stringBytes = 0;     // String only
  bool swapWords = false;  // least significant register first
  bool swapBytes = false;  // low byte first in each register

  // Bits for coils and discrete inputs, registers for the others.
  int Count() const;
  bool IsBitArea() const { return area == Area::Coils || area == Area::DiscreteInputs; }
  bool Writable() const { return area == Area::Coils || area == Area::HoldingRegisters; }
};

// nullopt with `error` saying what is wrong.
std::optional<ServerAddress> ParseServerName(const std::string& serverName, std::string& error);
std::optional<ItemAddress> ParseItemName(const std::string& itemName, std::string& error);

// "holding register 10" and the like, for status texts.
std::string AreaName(Area area);

}  // namespace tintoral::modbus
