#include "RecordingLink.h"

namespace tintoral::test {
namespace {

std::string Text(const IOPCVariant& value) {
  switch (value.type) {
    case IOPC_VT_INT32: return std::to_string(value.value.int32Value);
    case IOPC_VT_INT64: return std::to_string(value.value.int64Value);
    case IOPC_VT_DOUBLE: return std::to_string(value.value.doubleValue);
    case IOPC_VT_BOOLEAN: return value.value.booleanValue ? "true" : "false";
    case IOPC_VT_TEXT: return std::string(value.value.text.bytes, value.value.text.length);
    default: return "";
  }
}

}  // namespace

RecordingLink::RecordingLink() : link_(std::make_unique<opcua::OpcUaLink>(opcua::DefaultHelperCommand())) {}

RecordingLink::~RecordingLink() { link_.reset(); }

std::int32_t RecordingLink::Add(const std::string& endpoint, const std::string& variable, int updateRate) {
  Slot* slot = nullptr;
  {
    std::lock_guard<std::mutex> guard(lock_);
    slot = &slots_.emplace_back(Slot{this, 0});
  }
  const std::int32_t handle = link_->Add("", endpoint, "ns=1;s=" + variable, "", updateRate, &Receive, slot);
  std::lock_guard<std::mutex> guard(lock_);
  slot->handle = handle;
  return handle;
}

void RecordingLink::Receive(void* context, const IOPCVariant* value, std::uint16_t quality, std::uint64_t) {
  Slot* slot = static_cast<Slot*>(context);
  std::lock_guard<std::mutex> guard(slot->owner->lock_);
  slot->owner->deliveries_.push_back({slot->handle, Delivery{Text(*value), quality}});
}

std::vector<Delivery> RecordingLink::Deliveries(std::int32_t handle) const {
  std::lock_guard<std::mutex> guard(lock_);
  std::vector<Delivery> found;
  for (const auto& [to, delivery] : deliveries_)
    if (to == handle) found.push_back(delivery);
  return found;
}

IOPCConnectionState RecordingLink::State(const std::string& endpoint, std::string* text) const {
  opcua::ServerConnection connection;
  for (std::size_t i = 0; link_->Connection(i, connection); ++i) {
    if (connection.url != endpoint) continue;
    if (text != nullptr) *text = connection.text;
    return connection.state;
  }
  return IOPC_CONNECTION_UNKNOWN;
}

}  // namespace tintoral::test
