// The Modbus link's names and values without the network: server and item
// names, the registers of each type and order, and the read requests that
// poll a group.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "linklib/modbus/ModbusAddress.h"
#include "linklib/modbus/ModbusCodec.h"
#include "linklib/modbus/ReadPlan.h"

namespace tintoral::modbus {
namespace {

std::string Described(const std::optional<ServerAddress>& server, const std::string& error) {
  return server ? server->host + " " + std::to_string(server->port) + " " + std::to_string(server->unit) : error;
}

TEST(ModbusNames, ServerNames) {
  const std::pair<const char*, const char*> cases[] = {
      {"modbus-tcp://plc", "plc 502 1"},
      {"MODBUS-TCP://10.0.0.7:1502/17", "10.0.0.7 1502 17"},
      {"modbus-tcp://[::1]:5020/0", "::1 5020 0"},
      {"modbus-tcp://[fe80::1]/3", "fe80::1 502 3"},
      {"modbus-tcp://plc/256", "the unit after '/' is not a number from 0 to 255"},
      {"modbus-tcp://plc:/1", "the port is not a number from 1 to 65535"},
      {"modbus-tcp://plc:70000", "the port is not a number from 1 to 65535"},
      {"modbus-tcp://[::1/1", "the bracketed address is not closed"},
      {"modbus-tcp:///1", "the server name has no host"},
      {"opc.tcp://plc", "the server name does not start with modbus-tcp://"},
  };
  for (const auto& [name, expected] : cases) {
    std::string error;
    EXPECT_EQ(Described(ParseServerName(name, error), error), expected) << name;
  }
}

std::string Described(const std::optional<ItemAddress>& item, const std::string& error) {
  if (!item) return error;
  return std::to_string(static_cast<int>(item->area)) + " " + std::to_string(item->address) + " " +
         std::to_string(static_cast<int>(item->type)) + " " + std::to_string(item->Count()) +
         (item->swapWords ? " w" : "") + (item->swapBytes ? " b" : "");
}

// Area codes: 0 coils, 1 discrete inputs, 2 input registers, 3 holding
// registers; types in ValueType's order.
TEST(ModbusNames, ItemNames) {
  const std::pair<const char*, const char*> cases[] = {
      {"coil:0", "0 0 0 1"},
      {"discrete-inputs:65535", "1 65535 0 1"},
      {"ir:7", "2 7 2 1"},
      {"HR:10:Float32:CDAB", "3 10 5 2 w"},
      {"hr:10:int32:badc", "3 10 3 2 b"},
      {"hr:10:float64:dcba", "3 10 6 4 w b"},
      {"holding-registers:3:bool", "3 3 0 1"},
      {"hr:0:string5:ba", "3 0 7 3 b"},
      {"hr:65534:uint32", "3 65534 4 2"},
      {"hr:65535:uint32", "the value runs past address 65535"},
      {"hr:0:string0", "unknown type 'string0'"},
      {"hr:0:string247", "unknown type 'string247'"},
      {"hr:0:string4:cdab", "unknown byte order 'cdab'"},
      {"hr:0:int16:ab", "unknown byte order 'ab'"},
      {"coil:1:int16", "coils and discrete inputs hold bool values only"},
      {"hr:-1", "the address is not a number from 0 to 65535"},
      {"hr:65536", "the address is not a number from 0 to 65535"},
      {"hr:1x", "the address is not a number from 0 to 65535"},
      {"hr", "the item name is not AREA:ADDRESS[:TYPE][:ORDER]"},
      {"hr:1:int16:abcd:x", "the item name is not AREA:ADDRESS[:TYPE][:ORDER]"},
      {"register:1", "the item name does not start with coil, di, ir or hr"},
      {"", "the item name does not start with coil, di, ir or hr"},
  };
  for (const auto& [name, expected] : cases) {
    std::string error;
    EXPECT_EQ(Described(ParseItemName(name, error), error), expected) << name;
  }
}

IOPCVariant Number(double value) {
  IOPCVariant variant{};
  variant.type = IOPC_VT_DOUBLE;
  variant.value.doubleValue = value;
  return variant;
}

IOPCVariant Text(const char* text) {
  IOPCVariant variant{};
  variant.type = IOPC_VT_TEXT;
  variant.value.text.bytes = text;
  variant.value.text.length = std::strlen(text);
  return variant;
}

ItemAddress Item(const std::string& name) {
  std::string error;
  return *ParseItemName(name, error);
}

std::string Shown(const Value& value) {
  switch (value.type) {
    case IOPC_VT_DOUBLE: return std::to_string(value.real);
    case IOPC_VT_TEXT: return "'" + value.text + "'";
    case IOPC_VT_BOOLEAN: return value.integer ? "true" : "false";
    default: return std::to_string(value.integer) + (value.type == IOPC_VT_INT64 ? "L" : "");
  }
}

struct CodecCase {
  const char* item;
  std::vector<std::uint16_t> registers;
  IOPCVariant written;
  const char* decoded;
};

// Each value encodes to the registers and the registers decode to it.
TEST(ModbusCodec, EveryTypeAndOrderRoundTrips) {
  const CodecCase cases[] = {
      {"hr:0:float32", {0x3FC0, 0x0000}, Number(1.5), "1.500000"},
      {"hr:0:float32:cdab", {0x0000, 0x3FC0}, Number(1.5), "1.500000"},
      {"hr:0:float32:badc", {0xC03F, 0x0000}, Number(1.5), "1.500000"},
      {"hr:0:float32:dcba", {0x0000, 0xC03F}, Number(1.5), "1.500000"},
      {"hr:0:float64:cdab", {0, 0, 0, 0x3FF0}, Number(1), "1.000000"},
      {"hr:0:int16", {0xFFFE}, Number(-2), "-2"},
      {"hr:0:int16:badc", {0xFEFF}, Number(-2), "-2"},
      {"hr:0", {0xFFFE}, Number(65534), "65534"},
      {"hr:0:int32", {0xFFFF, 0xFFFD}, Number(-3), "-3"},
      {"hr:0:uint32", {0x0001, 0x1170}, Number(70000), "70000L"},
      {"hr:0:uint32:cdab", {0x1170, 0x0001}, Text("70000"), "70000L"},
      {"hr:0:bool", {1}, Text("TRUE"), "true"},
      {"hr:0:string4", {0x4142, 0x4300}, Text("ABC"), "'ABC'"},
      {"hr:0:string3:ba", {0x4241, 0x0043}, Text("ABC"), "'ABC'"},
  };
  for (const CodecCase& c : cases) {
    const ItemAddress item = Item(c.item);
    EXPECT_EQ(Shown(DecodeRegisters(item, c.registers.data())), c.decoded) << c.item;
    std::vector<std::uint16_t> words;
    std::string error;
    EXPECT_TRUE(Encode(item, c.written, words, error)) << c.item << ": " << error;
    EXPECT_EQ(words, c.registers) << c.item;
  }
  std::vector<std::uint16_t> bit;
  std::string error;
  ASSERT_TRUE(Encode(Item("coil:4"), Number(2), bit, error));
  EXPECT_EQ(bit, std::vector<std::uint16_t>{1});
  EXPECT_EQ(Shown(DecodeBit(0)), "false");
}

TEST(ModbusCodec, ValuesThatDoNotFitAreRefusedWithTheReason) {
  const std::pair<const char*, IOPCVariant> cases[] = {
      {"hr:0:int16", Text("abc")},
      {"hr:0", Number(65535.6)},
      {"hr:0:uint32", Number(-1)},
      {"hr:0:int32", Number(3e9)},
      {"hr:0:float32", Number(1e39)},
      {"hr:0:string2", Text("ABC")},
      {"hr:0:float64", Number(std::nan(""))},
  };
  const char* const reasons[] = {"\"abc\" is not a int16",
                                 "65535.6 is out of range for uint16",
                                 "-1 is out of range for uint32",
                                 "3000000000 is out of range for int32",
                                 "1e+39 is out of range for float32",
                                 "\"ABC\" is longer than 2 bytes",
                                 "\"nan\" is not a float64"};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    std::vector<std::uint16_t> words;
    std::string error;
    EXPECT_FALSE(Encode(Item(cases[i].first), cases[i].second, words, error)) << cases[i].first;
    EXPECT_EQ(error, reasons[i]) << cases[i].first;
  }
}

std::string Planned(const std::vector<std::string>& names) {
  std::vector<ItemAddress> items;
  for (const std::string& name : names) items.push_back(Item(name));
  std::string text;
  for (const ReadRequest& request : PlanReads(items)) {
    text += (text.empty() ? "" : " ") + std::to_string(static_cast<int>(request.area)) + "@" +
            std::to_string(request.start) + "+" + std::to_string(request.count) + "[";
    for (const std::size_t index : request.items) text += std::to_string(index);
    text += "]";
  }
  return text;
}

TEST(ModbusReadPlan, TouchingAndOverlappingRegistersOfOneAreaAreReadTogetherWithinOneRequestsSize) {
  EXPECT_EQ(Planned({"hr:12", "hr:10:int32", "hr:11", "hr:13:float64", "hr:20", "ir:10"}),
            "2@10+1[5] 3@10+7[1203] 3@20+1[4]");
  EXPECT_EQ(Planned({"hr:0:string246", "hr:123", "hr:124", "hr:125"}), "3@0+125[012] 3@125+1[3]");
  EXPECT_EQ(Planned({"di:0", "coil:0", "coil:1", "coil:3"}), "0@0+2[12] 0@3+1[3] 1@0+1[0]");
  EXPECT_EQ(Planned({}), "");
}

}  // namespace
}  // namespace tintoral::modbus
