// The MQTT link library: the data link's C interface over one MqttLink.
// Loading the library starts nothing; a broker's thread starts with its
// first item.
#include "instruments/opc/LinkLibrary.h"
#include "linklib/StatusText.h"
#include "linklib/mqtt/MqttLink.h"

#define MQTTLINK_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

using tintoral::linklib::CopyStatusText;
using tintoral::mqtt::ConnectionInfo;
using tintoral::mqtt::MqttLink;

MqttLink& TheLink() {
  static MqttLink link;
  return link;
}

std::string Text(const char* text) { return text ? text : ""; }

}  // namespace

MQTTLINK_EXPORT std::int32_t IOPC_CALL SignalAdd(const char* /*computerName*/, const char* serverName,
                                                 const char* itemName, const char* /*groupName*/,
                                                 std::int32_t /*updateRate*/, std::uint8_t /*reserved*/,
                                                 std::uint8_t /*propertyKind*/, IOPCDataCallback callback,
                                                 void* context) {
  return TheLink().Add(Text(serverName), Text(itemName), callback, context);
}

MQTTLINK_EXPORT std::int32_t IOPC_CALL SignalRemove(std::int32_t handle) {
  TheLink().Remove(handle);
  return 0;
}

MQTTLINK_EXPORT std::int32_t IOPC_CALL SignalGetActive(std::int32_t handle) { return TheLink().Active(handle); }

MQTTLINK_EXPORT void IOPC_CALL SignalSendData(std::int32_t handle, const IOPCVariant* value) {
  if (value != nullptr) TheLink().Send(handle, *value);
}

MQTTLINK_EXPORT std::int32_t IOPC_CALL SignalGetStatus(std::int32_t handle, char* buffer, std::int32_t size) {
  return CopyStatusText(TheLink().Status(handle), buffer, size);
}

MQTTLINK_EXPORT std::int32_t IOPC_CALL ServerConnectionGetCount() {
  return static_cast<std::int32_t>(TheLink().ConnectionCount());
}

MQTTLINK_EXPORT std::int32_t IOPC_CALL ServerConnectionGetName(std::int32_t index, char* buffer, std::int32_t size) {
  ConnectionInfo info;
  if (index < 0 || !TheLink().Connection(static_cast<std::size_t>(index), info)) info.name.clear();
  return CopyStatusText(info.name, buffer, size);
}

MQTTLINK_EXPORT std::int32_t IOPC_CALL ServerConnectionGetState(std::int32_t index, std::int64_t* sinceUnixMilliseconds,
                                                                char* buffer, std::int32_t size) {
  ConnectionInfo info;
  if (index < 0 || !TheLink().Connection(static_cast<std::size_t>(index), info)) info.state = IOPC_CONNECTION_UNKNOWN;
  if (sinceUnixMilliseconds != nullptr) *sinceUnixMilliseconds = info.sinceUnixMilliseconds;
  CopyStatusText(info.text, buffer, size);
  return info.state;
}
