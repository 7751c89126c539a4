// The link interface (instruments/opc/LinkLibrary.h) over TheLink(),
// compiled into each link library that defines it.
#include "linklib/LinkExports.h"

#include "instruments/opc/LinkLibrary.h"
#include "linklib/StatusText.h"

#define LINK_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

using tintoral::linklib::ConnectionInfo;
using tintoral::linklib::CopyStatusText;
using tintoral::linklib::TheLink;

std::string Text(const char* text) { return text ? text : ""; }

}  // namespace

LINK_EXPORT std::int32_t IOPC_CALL SignalAdd(const char* /*computerName*/, const char* serverName, const char* itemName,
                                             const char* groupName, std::int32_t updateRate, std::uint8_t /*reserved*/,
                                             std::uint8_t /*propertyKind*/, IOPCDataCallback callback, void* context) {
  return TheLink().Add(Text(serverName), Text(itemName), Text(groupName), updateRate, callback, context);
}

LINK_EXPORT std::int32_t IOPC_CALL SignalRemove(std::int32_t handle) {
  TheLink().Remove(handle);
  return 0;
}

LINK_EXPORT std::int32_t IOPC_CALL SignalGetActive(std::int32_t handle) { return TheLink().Active(handle); }

LINK_EXPORT void IOPC_CALL SignalSendData(std::int32_t handle, const IOPCVariant* value) {
  if (value != nullptr) TheLink().Send(handle, *value);
}

LINK_EXPORT std::int32_t IOPC_CALL SignalGetStatus(std::int32_t handle, char* buffer, std::int32_t size) {
  return CopyStatusText(TheLink().Status(handle), buffer, size);
}

LINK_EXPORT std::int32_t IOPC_CALL ServerConnectionGetCount() {
  return static_cast<std::int32_t>(TheLink().ConnectionCount());
}

LINK_EXPORT std::int32_t IOPC_CALL ServerConnectionGetName(std::int32_t index, char* buffer, std::int32_t size) {
  ConnectionInfo info;
  if (index < 0 || !TheLink().Connection(static_cast<std::size_t>(index), info)) info.name.clear();
  return CopyStatusText(info.name, buffer, size);
}

LINK_EXPORT std::int32_t IOPC_CALL ServerConnectionGetState(std::int32_t index, std::int64_t* sinceUnixMilliseconds,
                                                            char* buffer, std::int32_t size) {
  ConnectionInfo info;
  if (index < 0 || !TheLink().Connection(static_cast<std::size_t>(index), info)) info.state = IOPC_CONNECTION_UNKNOWN;
  if (sinceUnixMilliseconds != nullptr) *sinceUnixMilliseconds = info.sinceUnixMilliseconds;
  CopyStatusText(info.text, buffer, size);
  return info.state;
}
