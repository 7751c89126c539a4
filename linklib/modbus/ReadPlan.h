#pragma once
// Which read requests poll a group of items: items of one area whose
// registers (or bits) touch or overlap are read together, at most 125
// registers or 2,000 bits a request, the fewest requests that cover them.
#include <cstddef>
#include <vector>

#include "linklib/modbus/ModbusAddress.h"

namespace tintoral::modbus {

constexpr int kMaxRegistersPerRead = 125;
constexpr int kMaxBitsPerRead = 2000;

struct ReadRequest {
  Area area = Area::HoldingRegisters;
  int start = 0, count = 0;
  std::vector<std::size_t> items;  // indices into the planned list
};

// Requests by area and address.
std::vector<ReadRequest> PlanReads(const std::vector<ItemAddress>& items);

}  // namespace tintoral::modbus
