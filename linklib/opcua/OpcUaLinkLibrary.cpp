// The OPC UA link library: the data link's C interface over one OpcUaLink.
// Loading the library starts nothing; the link and its helper come with the
// first SignalAdd.
#include "instruments/opc/LinkLibrary.h"
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
