#include "linklib/modbus/ModbusAddress.h"

#include <algorithm>
#include <vector>

#include "linklib/NameParts.h"

namespace tintoral::modbus {
namespace {

using linklib::Lower;
using linklib::Split;

constexpr int kMaxStringBytes = 246;  // 123 registers: what one write request carries

// A decimal number of at most 6 digits within [low, high].
std::optional<int> Number(const std::string& text, int low, int high) {
  if (text.empty() || text.size() > 6 ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  const int value = std::stoi(text);
  if (value < low || value > high) return std::nullopt;
  return value;
}

std::optional<Area> AreaOf(const std::string& word) {
  if (word == "coil" || word == "coils") return Area::Coils;
  if (word == "di" || word == "discrete-inputs") return Area::DiscreteInputs;
  if (word == "ir" || word == "input-registers") return Area::InputRegisters;
  if (word == "hr" || word == "holding-registers") return Area::HoldingRegisters;
  return std::nullopt;
}

bool SetType(const std::string& word, ItemAddress& item) {
  static const std::pair<const char*, ValueType> kTypes[] = {
      {"bool", ValueType::Bool},      {"int16", ValueType::Int16},   {"uint16", ValueType::UInt16},
      {"int32", ValueType::Int32},    {"uint32", ValueType::UInt32}, {"float32", ValueType::Float32},
      {"float64", ValueType::Float64}};
  for (const auto& [name, type] : kTypes)
    if (word == name) {
      item.type = type;
      return true;
    }
  if (word.rfind("string", 0) != 0) return false;
  const std::optional<int> bytes = Number(word.substr(6), 1, kMaxStringBytes);
  if (!bytes) return false;
  item.type = ValueType::String;
  item.stringBytes = *bytes;
  return true;
}

bool SetOrder(const std::string& word, ItemAddress& item) {
  const bool text = item.type == ValueType::String;
  if (text ? word == "ab" : word == "abcd") return true;
  if (text ? word == "ba" : word == "badc") item.swapBytes = true;
  else if (!text && word == "cdab") item.swapWords = true;
  else if (!text && word == "dcba") item.swapWords = item.swapBytes = true;
  else return false;
  return true;
}

}  // namespace

int ItemAddress::Count() const {
  switch (type) {
    case ValueType::Int32:
    case ValueType::UInt32:
    case ValueType::Float32: return 2;
    case ValueType::Float64: return 4;
    case ValueType::String: return (stringBytes + 1) / 2;
    default: return 1;
  }
}

std::optional<ServerAddress> ParseServerName(const std::string& serverName, std::string& error) {
  const std::string scheme = "modbus-tcp://";
  if (Lower(serverName.substr(0, scheme.size())) != scheme) {
    error = "the server name does not start with " + scheme;
    return std::nullopt;
  }
  std::string rest = serverName.substr(scheme.size());
  ServerAddress server;
  const std::size_t slash = rest.find('/');
  if (slash != std::string::npos) {
    const std::optional<int> unit = Number(rest.substr(slash + 1), 0, 255);
    if (!unit) {
      error = "the unit after '/' is not a number from 0 to 255";
      return std::nullopt;
    }
    server.unit = *unit;
    rest.resize(slash);
  }
  std::optional<std::string> port;  // the text after the host's ':'
  if (!linklib::SplitHost(rest, server.host, port, error)) return std::nullopt;
  if (server.host.empty()) {
    error = "the server name has no host";
    return std::nullopt;
  }
  if (port) {
    const std::optional<int> number = Number(*port, 1, 65535);
    if (!number) {
      error = "the port is not a number from 1 to 65535";
      return std::nullopt;
    }
    server.port = *number;
  }
  return server;
}

std::optional<ItemAddress> ParseItemName(const std::string& itemName, std::string& error) {
  const std::vector<std::string> parts = Split(Lower(itemName), ':');
  ItemAddress item;
  const std::optional<Area> area = AreaOf(parts[0]);
  if (!area) {
    error = "the item name does not start with coil, di, ir or hr";
    return std::nullopt;
  }
  item.area = *area;
  if (parts.size() < 2 || parts.size() > 4) {
    error = "the item name is not AREA:ADDRESS[:TYPE][:ORDER]";
    return std::nullopt;
  }
  const std::optional<int> address = Number(parts[1], 0, 65535);
  if (!address) {
    error = "the address is not a number from 0 to 65535";
    return std::nullopt;
  }
  item.address = *address;
  item.type = item.IsBitArea() ? ValueType::Bool : ValueType::UInt16;
  if (parts.size() > 2 && !SetType(parts[2], item)) {
    error = "unknown type '" + parts[2] + "'";
    return std::nullopt;
  }
  if (item.IsBitArea() && item.type != ValueType::Bool) {
    error = "coils and discrete inputs hold bool values only";
    return std::nullopt;
  }
  if (parts.size() > 3 && !SetOrder(parts[3], item)) {
    error = "unknown byte order '" + parts[3] + "'";
    return std::nullopt;
  }
  if (item.address + item.Count() > 65536) {
    error = "the value runs past address 65535";
    return std::nullopt;
  }
  return item;
}

std::string AreaName(Area area) {
  switch (area) {
    case Area::Coils: return "coil";
    case Area::DiscreteInputs: return "discrete input";
    case Area::InputRegisters: return "input register";
    default: return "holding register";
  }
}

}  // namespace tintoral::modbus
