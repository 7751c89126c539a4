#include "LinkFixture.h"

#include "OpcUaTestServer.h"

namespace tintoral::test {
namespace {

std::string TextOf(const IOPCVariant& value) {
  switch (value.type) {
    case IOPC_VT_INT32: return std::to_string(value.value.int32Value);
    case IOPC_VT_INT64: return std::to_string(value.value.int64Value);
    case IOPC_VT_DOUBLE: return std::to_string(value.value.doubleValue);
    case IOPC_VT_BOOLEAN: return value.value.booleanValue ? "true" : "false";
    case IOPC_VT_TEXT: return "'" + std::string(value.value.text.bytes, value.value.text.length) + "'";
    default: return "empty";
  }
}

}  // namespace

std::int32_t LinkFixture::AddItem(const std::string& serverName, const std::string& itemName, const std::string& group,
                                  int updateRate) {
  Slot& slot = slots_.emplace_back(Slot{this, static_cast<int>(slots_.size())});
  const std::int32_t handle = link->Add(serverName, itemName, group, updateRate, &Receive, &slot);
  std::lock_guard<std::mutex> guard(lock_);
  slotOf_[handle] = slot.id;
  return handle;
}

std::string LinkFixture::Last(std::int32_t handle) {
  std::lock_guard<std::mutex> guard(lock_);
  const auto found = last_.find(slotOf_[handle]);
  return found == last_.end() ? "" : found->second;
}

bool LinkFixture::WaitFor(std::int32_t handle, const std::string& expected, std::chrono::milliseconds timeout) {
  const bool arrived = WaitUntil([&] { return Last(handle) == expected; }, timeout);
  if (!arrived) ADD_FAILURE() << "last of " << handle << ": " << Last(handle) << ", expected " << expected;
  return arrived;
}

bool LinkFixture::WaitActive(std::int32_t handle) {
  return WaitUntil([&] { return link->Active(handle); }, std::chrono::seconds(5));
}

IOPCConnectionState LinkFixture::State(std::string* text) {
  linklib::ConnectionInfo info;
  if (!link->Connection(0, info)) return IOPC_CONNECTION_UNKNOWN;
  if (text) *text = info.text;
  return info.state;
}

void LinkFixture::ForgetValues() {
  std::lock_guard<std::mutex> guard(lock_);
  last_.clear();
}

IOPCVariant LinkFixture::Number(double value) {
  IOPCVariant variant{};
  variant.type = IOPC_VT_DOUBLE;
  variant.value.doubleValue = value;
  return variant;
}

void LinkFixture::Receive(void* context, const IOPCVariant* value, std::uint16_t quality, std::uint64_t) {
  const Slot& slot = *static_cast<Slot*>(context);
  std::lock_guard<std::mutex> guard(slot.test->lock_);
  slot.test->last_[slot.id] = TextOf(*value) + "/" + std::to_string(quality);
}

}  // namespace tintoral::test
