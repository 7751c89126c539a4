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
#include <cstdint>
#include <memory>
#include <string>

#include "linklib/LinkCore.h"
#include "linklib/mqtt/MqttNames.h"

struct mosquitto;
struct mosquitto_message;
struct mqtt5__property;

namespace tintoral::mqtt {

struct MqttItem;
struct MqttBroker;

}  // namespace tintoral::mqtt

// Instantiated in MqttLink.cpp, where the item and server are whole.
extern template class tintoral::linklib::LinkCore<tintoral::mqtt::MqttItem, tintoral::mqtt::MqttBroker>;

namespace tintoral::mqtt {

class MqttLink : public linklib::LinkCore<MqttItem, MqttBroker> {
 public:
  MqttLink();
  ~MqttLink() override;
  MqttLink(const MqttLink&) = delete;
  MqttLink& operator=(const MqttLink&) = delete;

  // The group and its update rate do not apply: every message is a value.
  std::int32_t Add(const std::string& serverName, const std::string& itemName, const std::string& groupName,
                   std::int32_t updateRate, IOPCDataCallback callback, void* context) override;
  void Send(std::int32_t handle, const IOPCVariant& value) override;

 private:
  using Deliveries = linklib::Deliveries;

  std::shared_ptr<MqttBroker> NewServerLocked(const std::string& name) override;
  void Run(const std::shared_ptr<MqttBroker>& broker) override;
  void ForgetLocked(MqttBroker& broker, const MqttItem& item) override;
  bool Connect(MqttBroker& broker, Deliveries& deliveries);
  void Lose(MqttBroker& broker, IOPCConnectionState state, const std::string& text, Deliveries& deliveries);
  void Watch(MqttBroker& broker, Deliveries& deliveries);
  void HandBackRefused(MqttBroker& broker, Deliveries& deliveries);
  static void SubscribeLocked(MqttBroker& broker, const std::string& topic);

  static void OnConnect(mosquitto*, void* broker, int code);
  static void OnSubscribe(mosquitto*, void* broker, int mid, int count, const int* granted);
  static void OnMessage(mosquitto*, void* broker, const mosquitto_message* message);
  static void OnPublish(mosquitto*, void* broker, int mid, int reason, const mqtt5__property* properties);
};

}  // namespace tintoral::mqtt
