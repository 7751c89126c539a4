#pragma once
// What every link library keeps for its items and server connections, and
// how values reach the data link: a link thread collects deliveries under
// the link's lock and calls them back after letting it go.
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "instruments/opc/LinkLibrary.h"
#include "linklib/LinkValue.h"

namespace tintoral::linklib {

// Quality words of the classic encoding.
constexpr std::uint16_t kGood = 0xC0;
constexpr std::uint16_t kBadConfiguration = 0x04;
constexpr std::uint16_t kBadNotConnected = 0x08;
constexpr std::uint16_t kBadDeviceFailure = 0x0C;
constexpr std::uint16_t kBadCommunication = 0x18;

std::int64_t NowUnixMilliseconds();
// The present time as a date-time double (days since 30 December 1899 UTC),
// its bits as the 8 timestamp bytes.
std::uint64_t NowTimestamp();

// A server connection as the status functions show it.
struct ConnectionInfo {
  std::string name;
  IOPCConnectionState state = IOPC_CONNECTION_CONNECTING;
  std::int64_t sinceUnixMilliseconds = 0;
  std::string text;
};

// The item status a connection gives ("" while it is fine).
std::string ConnectionProblem(const ConnectionInfo& info);

struct LinkItem {
  std::int32_t handle = 0;
  std::string serverName;
  IOPCDataCallback callback = nullptr;
  void* context = nullptr;
  bool removed = false;
  bool active = false;
  bool delivered = false;  // anything was delivered
  LinkValue last;
  std::uint16_t quality = 0;
  std::string nameProblem, valueProblem, writeProblem;
};

// One server name of a link, served by a thread of its own.
template <typename Item>
struct LinkServer {
  std::string name;
  ConnectionInfo info;
  bool everConnected = false;
  std::vector<std::shared_ptr<Item>> items;
  bool stop = false;
  bool finished = false;
  std::condition_variable wake;
};

struct Delivery {
  IOPCDataCallback callback;
  void* context;
  LinkValue value;
  std::uint16_t quality;
  std::uint64_t timestamp;
};
using Deliveries = std::vector<Delivery>;

// Called with the link's lock held: the value becomes the item's last and
// is queued for its callback (nothing for an item already removed).
void Deliver(LinkItem& item, const LinkValue& value, std::uint16_t quality, Deliveries& deliveries);
// Called without the lock.
void CallBack(const Deliveries& deliveries);

}  // namespace tintoral::linklib
