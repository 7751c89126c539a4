// The OPC UA link's mappings and protocol values, without a helper.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "linklib/opcua/ItemMapping.h"
#include "linklib/opcua/LinkProtocol.h"

namespace tintoral::opcua {
namespace {

TEST(ItemMappingTest, EndpointUrlFromComputerAndServerNames) {
  const struct {
    const char* computer;
    const char* server;
    const char* url;
  } cases[] = {
      {"Local", "", "opc.tcp://127.0.0.1:4840"},
      {"LOCAL", "Plant/Line1", "opc.tcp://127.0.0.1:4840/Plant/Line1"},
      {"", "/Plant", "opc.tcp://127.0.0.1:4840/Plant"},
      {"press-7", "Plant", "opc.tcp://press-7:4840/Plant"},
      {" press-7 ", "", "opc.tcp://press-7:4840"},
      {"press-7", "opc.tcp://10.0.0.5:48010/ua", "opc.tcp://10.0.0.5:48010/ua"},
      {"Local", "  OPC.TCP://host:1/x ", "OPC.TCP://host:1/x"},
      {"", "opc.tcp://[::1]:4840", "opc.tcp://[::1]:4840"},
      // In no form the link can reach: refused (no URL).
      {"Local", "http://plant:4840", nullptr},
      {"Local", "modbus-tcp://plc", nullptr},
      {"Local", "opc.tcp://", nullptr},
      {"Local", "opc.tcp://:4840/x", nullptr},
      {"Local", "opc.tcp://host:0", nullptr},
      {"Local", "opc.tcp://host:65536", nullptr},
      {"Local", "opc.tcp://host:48x0", nullptr},
      {"Local", "opc.tcp://plant one:4840", nullptr},
      {"press 7", "Plant", nullptr},
      {"press-7:4841", "Plant", nullptr},
  };
  for (const auto& c : cases)
    EXPECT_EQ(EndpointUrl(c.computer, c.server), c.url ? std::optional<std::string>(c.url) : std::nullopt)
        << c.computer << "|" << c.server;
}

TEST(ItemMappingTest, ClassicQualityOfStatusCodes) {
  const struct {
    std::uint32_t statusCode;
    std::uint16_t quality;
  } cases[] = {
      {0x00000000, 0xC0}, {0x00960000, 0xD8}, {0x00A20000, 0xC0},  // good, local override, other good
      {0x40000000, 0x40}, {0x40900000, 0x44}, {0x40950000, 0x58},  // uncertain
      {0x80000000, 0x00}, {0x80340000, 0x04}, {0x808A0000, 0x08},  // bad, node unknown, not connected
      {0x80310000, 0x18}, {0x808D0000, 0x1C}, {0x80AE0000, 0x00},  // no communication, out of service
      {0xC0000000, 0x00},
  };
  for (const auto& c : cases) EXPECT_EQ(ClassicQuality(c.statusCode), c.quality) << std::hex << c.statusCode;
}

TEST(ItemMappingTest, TimestampIsADateTimeInDays) {
  EXPECT_EQ(DateTimeOfStamp(DateTimeStamp(0)), 25569.0);                                  // 1 January 1970
  EXPECT_DOUBLE_EQ(DateTimeOfStamp(DateTimeStamp(1700000000000.0)), 45244.925925925927);  // 14 Nov 2023 22:13:20
}

TEST(LinkProtocolTest, FieldsSurviveEscaping) {
  const std::vector<std::string> fields = {"write", "7", "text", "a\tb\\c\nd\re", ""};
  const std::string line = JoinLine(fields);
  EXPECT_EQ(line.find('\n'), line.size() - 1);
  EXPECT_EQ(SplitLine(line.substr(0, line.size() - 1)), fields);
}

TEST(LinkProtocolTest, ValuesBothWays) {
  IOPCVariant number{};
  number.type = IOPC_VT_DOUBLE;
  number.value.doubleValue = 0.1;
  EXPECT_EQ(ToWire(number).text, "0.1");
  const std::string euro = "\x80 5";  // Windows-1252
  IOPCVariant text{};
  text.type = IOPC_VT_TEXT;
  text.value.text = {euro.data(), euro.size()};
  EXPECT_EQ(ToWire(text).text, "\u20AC 5");

  const ReceivedValue received(WireValue{"text", "\u20AC 5"});
  const ReceivedValue copy = received;
  ASSERT_EQ(copy.Value().type, IOPC_VT_TEXT);
  EXPECT_EQ(std::string(copy.Value().value.text.bytes, copy.Value().value.text.length), euro);
  EXPECT_NE(copy.Value().value.text.bytes, received.Value().value.text.bytes);

  EXPECT_EQ(ReceivedValue(WireValue{"i64", "-9007199254740993"}).Value().value.int64Value, -9007199254740993LL);
  EXPECT_TRUE(std::isinf(ReceivedValue(WireValue{"f64", "-Infinity"}).Value().value.doubleValue));
  EXPECT_EQ(ReceivedValue(WireValue{"i32", "12x"}).Value().type, IOPC_VT_EMPTY);
  EXPECT_EQ(ReceivedValue(WireValue{"f64", "1,5"}).Value().type, IOPC_VT_EMPTY);
}

}  // namespace
}  // namespace tintoral::opcua
