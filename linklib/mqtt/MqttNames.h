#pragma once
// The names the MQTT link understands, parsed without touching the network
// (the item-name parser is fuzzed):
//
//   server name  mqtt://HOST[:PORT][?version=5]    port 1883
//                mqtts://HOST[:PORT][?version=5]   TLS, port 8883
//                MQTT 3.1.1 unless version=5; HOST may be a bracketed IPv6 address
//   item name    TOPIC[|FIELD.PATH][;retain][;set=COMMAND/TOPIC]
//     TOPIC      the topic whose messages are the item's values (no
//                wildcards: an item is one value)
//     FIELD.PATH the value inside a JSON payload: member names and array
//                indices from 0, separated by dots ("reading.values.0")
//     retain     writes are published retained
//     set=TOPIC  writes go to this command topic instead of TOPIC
#include <optional>
#include <string>
#include <vector>

namespace tintoral::mqtt {

struct BrokerAddress {
  std::string host;
  int port = 1883;
  bool tls = false;
  bool version5 = false;
};

struct ItemTopic {
  std::string topic;
  std::vector<std::string> path;  // empty: the whole payload
  bool retain = false;
  std::string commandTopic;  // empty: the topic

  const std::string& WriteTopic() const { return commandTopic.empty() ? topic : commandTopic; }
};

std::optional<BrokerAddress> ParseBrokerName(const std::string& serverName, std::string& error);
std::optional<ItemTopic> ParseItemTopic(const std::string& itemName, std::string& error);

}  // namespace tintoral::mqtt
