// The OPC UA link library: the data link's C interface over one OpcUaLink.
// Loading the library starts nothing; the link and its helper come with the
// first SignalAdd.
#include <algorithm>
#include <cstring>

#include "instruments/opc/LinkLibrary.h"
#include "linklib/StatusText.h"
#include "linklib/opcua/OpcUaLink.h"

#define OPCUALINK_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

tintoral::opcua::OpcUaLink& TheLink() {
  static tintoral::opcua::OpcUaLink link(tintoral::opcua::DefaultHelperCommand());
  return link;
}

std::string Text(const char* text) { return text ? text : ""; }

}  // namespace

OPCUALINK_EXPORT std::int32_t IOPC_CALL SignalAdd(const char* computerName, const char* serverName,
                                                  const char* itemName, const char* groupName, std::int32_t updateRate,
                                                  std::uint8_t /*reserved*/, std::uint8_t /*propertyKind*/,
                                                  IOPCDataCallback callback, void* context) {
  return TheLink().Add(Text(computerName), Text(serverName), Text(itemName), Text(groupName), updateRate, callback,
                       context);
}

OPCUALINK_EXPORT std::int32_t IOPC_CALL SignalRemove(std::int32_t handle) {
  TheLink().Remove(handle);
  return 0;
}

OPCUALINK_EXPORT std::int32_t IOPC_CALL SignalGetActive(std::int32_t handle) { return TheLink().Active(handle); }

OPCUALINK_EXPORT void IOPC_CALL SignalSendData(std::int32_t handle, const IOPCVariant* value) {
  if (value != nullptr) TheLink().Send(handle, *value);
}

namespace {

// A text into the caller's buffer, cut to fit and zero-terminated; the
// whole text's length.
using tintoral::linklib::CopyStatusText;

}  // namespace

OPCUALINK_EXPORT std::int32_t IOPC_CALL SignalGetStatus(std::int32_t handle, char* buffer, std::int32_t size) {
  return CopyStatusText(TheLink().Status(handle), buffer, size);
}

OPCUALINK_EXPORT std::int32_t IOPC_CALL ServerConnectionGetCount() {
  return static_cast<std::int32_t>(TheLink().ConnectionCount());
}

OPCUALINK_EXPORT std::int32_t IOPC_CALL ServerConnectionGetName(std::int32_t index, char* buffer, std::int32_t size) {
  tintoral::opcua::ServerConnection connection;
  if (index < 0 || !TheLink().Connection(static_cast<std::size_t>(index), connection)) connection.url.clear();
  return CopyStatusText(connection.url, buffer, size);
}

OPCUALINK_EXPORT std::int32_t IOPC_CALL ServerConnectionGetState(std::int32_t index,
                                                                 std::int64_t* sinceUnixMilliseconds, char* buffer,
                                                                 std::int32_t size) {
  tintoral::opcua::ServerConnection connection;
  if (index < 0 || !TheLink().Connection(static_cast<std::size_t>(index), connection)) {
    connection.state = IOPC_CONNECTION_UNKNOWN;
  }
  if (sinceUnixMilliseconds != nullptr) *sinceUnixMilliseconds = connection.sinceUnixMilliseconds;
  CopyStatusText(connection.text, buffer, size);
  return connection.state;
}
