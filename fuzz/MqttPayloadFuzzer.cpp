// Feeds arbitrary bytes to the MQTT link's parsers: the first line as an
// item name, the rest as a payload read at the item's field path. A parsed
// item names one topic without wildcards; a text written to a field path
// must read back from the payload it makes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "linklib/Json.h"
#include "linklib/mqtt/MqttNames.h"
#include "linklib/mqtt/MqttPayload.h"

using namespace tintoral;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::size_t newline = text.find('\n');
  const std::string itemName = text.substr(0, newline);
  const std::string payload = newline == std::string::npos ? "" : text.substr(newline + 1);
  std::string error;
  mqtt::ParseBrokerName(itemName, error);
  const auto item = mqtt::ParseItemTopic(itemName, error);
  if (!item) return 0;
  if (item->topic.empty() || item->topic.find_first_of("+#") != std::string::npos) std::abort();
  std::string problem;
  mqtt::DecodePayload(payload, item->path, problem);
  if (item->path.empty()) return 0;
  IOPCVariant written{};
  written.type = IOPC_VT_INT32;
  written.value.int32Value = static_cast<std::int32_t>(size);
  const auto back = mqtt::DecodePayload(mqtt::EncodePayload(written, item->path), item->path, problem);
  if (!back || back->type != IOPC_VT_INT32 || back->integer != static_cast<std::int64_t>(size)) std::abort();
  return 0;
}
