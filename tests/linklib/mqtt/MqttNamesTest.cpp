// The MQTT link's names and payloads without the network: broker and item
// names, payloads read as values (plain and at a JSON field path), and
// values written as payloads.
#include <gtest/gtest.h>

#include <cstring>

#include "linklib/mqtt/MqttNames.h"
#include "linklib/mqtt/MqttPayload.h"

namespace tintoral::mqtt {
namespace {

TEST(MqttNames, BrokerNames) {
  const std::pair<const char*, const char*> cases[] = {
      {"mqtt://broker", "broker 1883"},
      {"MQTTS://10.0.0.2", "10.0.0.2 8883 tls"},
      {"mqtt://[::1]:1884/?version=5", "::1 1884 v5"},
      {"mqtt://b:1885?version=3.1.1", "b 1885"},
      {"mqtt://b?version=4", "unknown option 'version=4' (version=5 or version=3.1.1)"},
      {"mqtt://:1883", "the server name has no host"},
      {"mqtt://b:0", "the port is not a number from 1 to 65535"},
      {"modbus-tcp://b", "the server name does not start with mqtt:// or mqtts://"},
  };
  for (const auto& [name, expected] : cases) {
    std::string error;
    const auto broker = ParseBrokerName(name, error);
    const std::string shown = broker ? broker->host + " " + std::to_string(broker->port) + (broker->tls ? " tls" : "") +
                                           (broker->version5 ? " v5" : "")
                                     : error;
    EXPECT_EQ(shown, expected) << name;
  }
}

TEST(MqttNames, ItemNames) {
  const std::pair<const char*, const char*> cases[] = {
      {"plant/level", "plant/level [] plant/level"},
      {"plant/pump|state.rpm.0;retain", "plant/pump [state,rpm,0,] plant/pump retain"},
      {"plant/valve;set=plant/valve/set", "plant/valve [] plant/valve/set"},
      {"plant/+/level", "the topic has a wildcard (+ or #): an item is one value"},
      {"a;set=b/#", "the command topic has a wildcard (+ or #): an item is one value"},
      {"|x", "the topic is empty"},
      {"a|x..y", "the field path has an empty name"},
      {"a;qos=2", "unknown option 'qos=2' (retain or set=TOPIC)"},
  };
  for (const auto& [name, expected] : cases) {
    std::string error;
    const auto item = ParseItemTopic(name, error);
    std::string shown = error;
    if (item) {
      shown = item->topic + " [";
      for (const std::string& part : item->path) shown += part + ",";
      shown += "] " + item->WriteTopic() + (item->retain ? " retain" : "");
    }
    EXPECT_EQ(shown, expected) << name;
  }
  // A value written at a deeper field path would make a payload no reader takes.
  std::string deep = "a|x";
  for (int i = 0; i < 64; ++i) deep += ".x";
  std::string error;
  EXPECT_FALSE(ParseItemTopic(deep, error));
  EXPECT_EQ(error, "the field path has more than 64 names");
  EXPECT_TRUE(ParseItemTopic(deep.substr(0, deep.size() - 2), error)) << "64 names";
}

std::string Shown(const std::optional<linklib::LinkValue>& value, const std::string& problem) {
  if (!value) return problem;
  switch (value->type) {
    case IOPC_VT_INT32: return "int " + std::to_string(value->integer);
    case IOPC_VT_DOUBLE: return "double " + std::to_string(value->real);
    case IOPC_VT_BOOLEAN: return value->integer ? "true" : "false";
    case IOPC_VT_TEXT: return "text " + value->text;
    default: return "empty";
  }
}

TEST(MqttPayload, PayloadsAreReadAsTheValueTheyHold) {
  const std::tuple<const char*, std::vector<std::string>, const char*> cases[] = {
      {" 42\n", {}, "int 42"},
      {"-0.25", {}, "double -0.250000"},
      {"3000000000", {}, "double 3000000000.000000"},
      {"TRUE", {}, "true"},
      {"\"caf\\u00e9\"", {}, "text caf\xE9"},
      {"caf\xC3\xA9 au lait", {}, "text caf\xE9 au lait"},
      {"{\"a\":1}", {}, "text {\"a\":1}"},
      {"", {}, "text "},
      {"{\"a\":{\"b\":[5,{\"c\":null}]}}", {"a", "b", "1", "c"}, "empty"},
      {"{\"a\":{\"b\":[5,6]}}", {"a", "b"}, "text [5,6]"},
      {"{\"a\":1,\"a\":2}", {"a"}, "int 2"},
      {"{\"a\":1}", {"b"}, "the payload has no field b"},
      {"[1,2]", {"5"}, "the payload has no field 5"},
      {"7", {"a"}, "the payload has no field a"},
      {"{\"a\":", {"a"}, "the payload is not JSON (offset 5: a value is missing)"},
  };
  for (const auto& [payload, path, expected] : cases) {
    std::string problem;
    EXPECT_EQ(Shown(DecodePayload(payload, path, problem), problem), expected) << payload;
  }
}

TEST(MqttPayload, WrittenValuesArePublishedAsTextOrAsJsonAtTheirPath) {
  IOPCVariant number{};
  number.type = IOPC_VT_DOUBLE;
  number.value.doubleValue = 61.5;
  IOPCVariant text{};
  text.type = IOPC_VT_TEXT;
  text.value.text.bytes = "caf\xE9 \"1\"";
  text.value.text.length = std::strlen(text.value.text.bytes);
  IOPCVariant flag{};
  flag.type = IOPC_VT_BOOLEAN;
  flag.value.booleanValue = 1;
  EXPECT_EQ(EncodePayload(number, {}), "61.5");
  EXPECT_EQ(EncodePayload(text, {}), "caf\xC3\xA9 \"1\"");
  EXPECT_EQ(EncodePayload(flag, {"valve", "open"}), "{\"valve\":{\"open\":true}}");
  EXPECT_EQ(EncodePayload(text, {"note"}), "{\"note\":\"caf\xC3\xA9 \\\"1\\\"\"}");
}

}  // namespace
}  // namespace tintoral::mqtt
