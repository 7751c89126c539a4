#pragma once
// The MQTT link: one client per server name, each on a thread of its own
// that connects, subscribes every item's topic (QoS 1) and turns messages
// into values; a retained message gives the value at subscription. An item
// is active from its subscription's acknowledgement until the connection
// goes. Writes publish at QoS 1 to the item's topic or command topic.
//
// Faults: a broker that refuses the connection (user, password, TLS, a
// credentials file open to others), drops it, or does not answer within
// 3 s (a subscription to the client's own watchdog topic goes out after
// each second without traffic) makes every item of it inactive with a bad
// quality (its last value again); the thread connects again every second
// (every 5 s after a refusal) and subscribes everything again. Calls only
// take the lock and hand work to the client; none waits for the network.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "instruments/opc/LinkLibrary.h"
#include "linklib/LinkValue.h"
#include "linklib/mqtt/MqttNames.h"

struct mosquitto;
struct mosquitto_message;
struct mqtt5__property;

namespace tintoral::mqtt {

struct ConnectionInfo {
  std::string name;
  IOPCConnectionState state = IOPC_CONNECTION_CONNECTING;
  std::int64_t sinceUnixMilliseconds = 0;
  std::string text;
};

class MqttLink {
 public:
  MqttLink();
  ~MqttLink();
  MqttLink(const MqttLink&) = delete;
  MqttLink& operator=(const MqttLink&) = delete;

  std::int32_t Add(const std::string& serverName, const std::string& itemName, IOPCDataCallback callback,
                   void* context);
  void Remove(std::int32_t handle);
  bool Active(std::int32_t handle) const;
  void Send(std::int32_t handle, const IOPCVariant& value);
  std::string Status(std::int32_t handle) const;
  std::size_t ConnectionCount() const;
  bool Connection(std::size_t index, ConnectionInfo& info) const;

 private:
  struct Item;
  struct Broker;
  struct Delivery;
  using Clock = std::chrono::steady_clock;

  void Run(const std::shared_ptr<Broker>& broker);
  bool Connect(Broker& broker, std::vector<Delivery>& deliveries);
  void Lose(Broker& broker, IOPCConnectionState state, const std::string& text, std::vector<Delivery>& deliveries);
  void Watch(Broker& broker, std::vector<Delivery>& deliveries);
  void HandBackRefused(Broker& broker, std::vector<Delivery>& deliveries);
  void SubscribeLocked(Broker& broker, const std::string& topic);
  void Deliver(Item& item, const linklib::LinkValue& value, std::uint16_t quality, std::vector<Delivery>& deliveries);
  void JoinFinishedLocked();
  static void Call(const std::vector<Delivery>& deliveries);

  static void OnConnect(mosquitto*, void* broker, int code);
  static void OnSubscribe(mosquitto*, void* broker, int mid, int count, const int* granted);
  static void OnMessage(mosquitto*, void* broker, const mosquitto_message* message);
  static void OnPublish(mosquitto*, void* broker, int mid, int reason, const mqtt5__property* properties);

  mutable std::mutex lock_;
  std::map<std::int32_t, std::shared_ptr<Item>> items_;
  std::vector<std::shared_ptr<Broker>> brokers_;  // in the order first named
  std::vector<std::pair<std::shared_ptr<Broker>, std::thread>> threads_;
  std::int32_t nextHandle_ = 1;
};

}  // namespace tintoral::mqtt
