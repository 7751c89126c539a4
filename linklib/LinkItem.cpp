#include "linklib/LinkItem.h"

#include <chrono>
#include <cstring>

namespace tintoral::linklib {

std::int64_t NowUnixMilliseconds() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

std::uint64_t NowTimestamp() {
  const double days = static_cast<double>(NowUnixMilliseconds()) / 86400000.0 + 25569.0;
  std::uint64_t bits;
  std::memcpy(&bits, &days, sizeof bits);
  return bits;
}

std::string ConnectionProblem(const ConnectionInfo& info) {
  if (info.state == IOPC_CONNECTION_LOST) return "connection lost: " + info.text;
  if (info.state == IOPC_CONNECTION_REFUSED) return "connection refused: " + info.text;
  if (info.state == IOPC_CONNECTION_CONNECTING && !info.text.empty()) return "not connected: " + info.text;
  return {};
}

void Deliver(LinkItem& item, const LinkValue& value, std::uint16_t quality, Deliveries& deliveries) {
  if (item.removed) return;
  item.last = value;
  item.quality = quality;
  item.delivered = true;
  if (item.callback) deliveries.push_back({item.callback, item.context, value, quality, NowTimestamp()});
}

void CallBack(const Deliveries& deliveries) {
  for (const Delivery& delivery : deliveries) {
    const IOPCVariant variant = delivery.value.Variant();
    delivery.callback(delivery.context, &variant, delivery.quality, delivery.timestamp);
  }
}

}  // namespace tintoral::linklib
