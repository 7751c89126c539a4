#include "linklib/mqtt/MqttNames.h"

#include <algorithm>

#include "linklib/Json.h"
#include "linklib/NameParts.h"

namespace tintoral::mqtt {
namespace {

using linklib::Lower;
using linklib::Split;

bool HasWildcard(const std::string& topic) { return topic.find_first_of("+#") != std::string::npos; }

std::optional<std::string> TopicProblem(const std::string& topic, const char* what) {
  if (topic.empty()) return std::string(what) + " is empty";
  if (HasWildcard(topic)) return std::string(what) + " has a wildcard (+ or #): an item is one value";
  return std::nullopt;
}

}  // namespace

std::optional<BrokerAddress> ParseBrokerName(const std::string& serverName, std::string& error) {
  BrokerAddress broker;
  const std::string lower = Lower(serverName);
  std::size_t start = 0;
  if (lower.rfind("mqtt://", 0) == 0) {
    start = 7;
  } else if (lower.rfind("mqtts://", 0) == 0) {
    start = 8;
    broker.tls = true;
    broker.port = 8883;
  } else {
    error = "the server name does not start with mqtt:// or mqtts://";
    return std::nullopt;
  }
  std::string rest = serverName.substr(start);
  if (const std::size_t query = rest.find('?'); query != std::string::npos) {
    const std::string option = Lower(rest.substr(query + 1));
    if (option != "version=5" && option != "version=3.1.1") {
      error = "unknown option '" + rest.substr(query + 1) + "' (version=5 or version=3.1.1)";
      return std::nullopt;
    }
    broker.version5 = option == "version=5";
    rest.resize(query);
  }
  if (!rest.empty() && rest.back() == '/') rest.pop_back();
  std::optional<std::string> port;  // the text after the host's ':'
  if (!linklib::SplitHost(rest, broker.host, port, error)) return std::nullopt;
  if (broker.host.empty() || broker.host.find('/') != std::string::npos) {
    error = "the server name has no host";
    return std::nullopt;
  }
  if (port) {
    const bool digits = !port->empty() && port->size() <= 5 &&
                        std::all_of(port->begin(), port->end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits || std::stoi(*port) < 1 || std::stoi(*port) > 65535) {
      error = "the port is not a number from 1 to 65535";
      return std::nullopt;
    }
    broker.port = std::stoi(*port);
  }
  return broker;
}

std::optional<ItemTopic> ParseItemTopic(const std::string& itemName, std::string& error) {
  const std::vector<std::string> parts = Split(itemName, ';');
  ItemTopic item;
  const std::size_t bar = parts[0].find('|');
  item.topic = parts[0].substr(0, bar);
  if (const auto problem = TopicProblem(item.topic, "the topic")) {
    error = *problem;
    return std::nullopt;
  }
  if (bar != std::string::npos) {
    item.path = Split(parts[0].substr(bar + 1), '.');
    if (std::any_of(item.path.begin(), item.path.end(), [](const std::string& name) { return name.empty(); })) {
      error = "the field path has an empty name";
      return std::nullopt;
    }
    // A value written at a deeper path would make a payload no reader takes.
    if (item.path.size() > static_cast<std::size_t>(linklib::kJsonDeepestNesting)) {
      error = "the field path has more than " + std::to_string(linklib::kJsonDeepestNesting) + " names";
      return std::nullopt;
    }
  }
  for (std::size_t i = 1; i < parts.size(); ++i) {
    if (parts[i] == "retain") {
      item.retain = true;
    } else if (parts[i].rfind("set=", 0) == 0) {
      item.commandTopic = parts[i].substr(4);
      if (const auto problem = TopicProblem(item.commandTopic, "the command topic")) {
        error = *problem;
        return std::nullopt;
      }
    } else {
      error = "unknown option '" + parts[i] + "' (retain or set=TOPIC)";
      return std::nullopt;
    }
  }
  return item;
}

}  // namespace tintoral::mqtt
