#include "linklib/mqtt/MqttLink.h"

#include <mosquitto.h>
#include <mqtt_protocol.h>
#include <pthread.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <deque>
#include <map>
#include <optional>
#include <set>

#include "linklib/Credentials.h"
#include "linklib/LinkCoreMembers.h"
#include "linklib/mqtt/MqttPayload.h"
#include "linklib/mqtt/TrustBundle.h"

namespace tintoral::mqtt {

using linklib::kBadCommunication;
using linklib::kBadConfiguration;
using linklib::kBadNotConnected;
using linklib::kGood;
using linklib::LinkValue;
using linklib::NowUnixMilliseconds;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kKeepAliveSeconds = 5;  // the least the client library takes; the watchdog is quicker
constexpr auto kLoopStep = std::chrono::milliseconds(50);
constexpr auto kQuietBeforeWatchdog = std::chrono::seconds(1);
constexpr auto kWatchdogAnswer = std::chrono::seconds(2);
constexpr auto kConnectAnswer = std::chrono::seconds(3);
constexpr auto kRetry = std::chrono::seconds(1);
constexpr auto kRetryAfterRefusal = std::chrono::seconds(5);

std::string ClientId() {
  static std::atomic<int> next{0};
  return "tintoral-" + std::to_string(getpid()) + "-" + std::to_string(++next) + "-" +
         std::to_string(NowUnixMilliseconds() % 100000);
}

struct LibraryUse {
  LibraryUse() { mosquitto_lib_init(); }
  ~LibraryUse() { mosquitto_lib_cleanup(); }
};

}  // namespace

struct MqttItem : linklib::LinkItem {
  std::optional<ItemTopic> topic;
};

struct MqttBroker : linklib::LinkServer<MqttItem> {
  MqttLink* link = nullptr;
  std::optional<BrokerAddress> address;
  std::string addressProblem;
  // Below: touched under the link's lock, also by the client's callbacks.
  mosquitto* client = nullptr;
  bool socketOpen = false;  // a connection was made, CONNACK or not
  bool acknowledged = false;
  std::string userName;
  std::map<int, std::string> subscriptions;                               // message id -> topic, until acknowledged
  std::map<int, std::shared_ptr<MqttItem>> writes;                        // message id -> item, until acknowledged
  std::deque<std::pair<std::shared_ptr<MqttItem>, std::string>> refused;  // handed back by the thread
  linklib::Deliveries deliveries;                                         // from the callbacks, called by the thread
  Clock::time_point connectedAt, lastHeard;
  int watchdogMessage = 0;  // a watchdog subscription in flight
  Clock::time_point watchdogSent;
  std::string refusal;  // the CONNACK's refusal, kept over the disconnection that follows
};

}  // namespace tintoral::mqtt

template class tintoral::linklib::LinkCore<tintoral::mqtt::MqttItem, tintoral::mqtt::MqttBroker>;

namespace tintoral::mqtt {

MqttLink::MqttLink() { static LibraryUse library; }

MqttLink::~MqttLink() { StopAll(); }

std::int32_t MqttLink::Add(const std::string& serverName, const std::string& itemName, const std::string& /*groupName*/,
                           std::int32_t /*updateRate*/, IOPCDataCallback callback, void* context) {
  auto item = std::make_shared<MqttItem>();
  item->serverName = serverName;
  item->topic = ParseItemTopic(itemName, item->nameProblem);
  if (!item->topic) item->nameProblem = "bad item name: " + item->nameProblem;
  item->callback = callback;
  item->context = context;
  std::lock_guard<std::mutex> guard(lock_);
  MqttBroker& broker = FileLocked(item);
  if (!item->topic) {
    broker.refused.emplace_back(item, "");  // its bad quality, from the thread
  } else if (broker.acknowledged) {
    SubscribeLocked(broker, item->topic->topic);
  }
  broker.wake.notify_all();
  return item->handle;
}

std::shared_ptr<MqttBroker> MqttLink::NewServerLocked(const std::string& name) {
  auto broker = std::make_shared<MqttBroker>();
  broker->link = this;
  broker->name = name;
  broker->address = ParseBrokerName(name, broker->addressProblem);
  return broker;
}

// A topic no item uses any more is unsubscribed.
void MqttLink::ForgetLocked(MqttBroker& broker, const MqttItem& item) {
  if (!item.topic || !broker.acknowledged) return;
  const bool topicUsed = std::any_of(broker.items.begin(), broker.items.end(), [&](const auto& other) {
    return other->topic && other->topic->topic == item.topic->topic;
  });
  if (!topicUsed) mosquitto_unsubscribe(broker.client, nullptr, item.topic->topic.c_str());
}

void MqttLink::Send(std::int32_t handle, const IOPCVariant& value) {
  std::lock_guard<std::mutex> guard(lock_);
  const std::shared_ptr<MqttItem> item = SharedItemLocked(handle);
  MqttBroker* broker = item ? ServerLocked(item->serverName) : nullptr;
  if (!broker) return;
  std::string refusal;
  if (!item->topic) {
    refusal = "write refused: " + item->nameProblem;
  } else if (!item->active || !broker->acknowledged) {
    refusal = "write failed: not connected";
  } else {
    const std::string payload = EncodePayload(value, item->topic->path);
    int message = 0;
    const int result = mosquitto_publish(broker->client, &message, item->topic->WriteTopic().c_str(),
                                         static_cast<int>(payload.size()), payload.data(), 1, item->topic->retain);
    if (result == MOSQ_ERR_SUCCESS) {
      broker->writes[message] = item;
      item->writeProblem.clear();
      return;
    }
    refusal = std::string("write failed: ") + mosquitto_strerror(result);
  }
  broker->refused.emplace_back(item, refusal);
  broker->wake.notify_all();
}

// ---- The broker's thread ---------------------------------------------------------------

void MqttLink::Run(const std::shared_ptr<MqttBroker>& broker) {
  pthread_setname_np(pthread_self(), "mqtt-link");  // told apart in CPU figures
  const std::string clientId = ClientId();
  mosquitto* client = mosquitto_new(clientId.c_str(), true, broker.get());
  if (client) {
    mosquitto_threaded_set(client, true);
    if (broker->address && broker->address->version5)
      mosquitto_int_option(client, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V5);
    mosquitto_connect_callback_set(client, &MqttLink::OnConnect);
    mosquitto_subscribe_callback_set(client, &MqttLink::OnSubscribe);
    mosquitto_message_callback_set(client, &MqttLink::OnMessage);
    mosquitto_publish_v5_callback_set(client, &MqttLink::OnPublish);
  }
  {
    std::lock_guard<std::mutex> guard(lock_);
    broker->client = client;
  }
  for (;;) {
    Deliveries deliveries;
    Clock::duration pause = Clock::duration::zero();
    if (!client) {
      Lose(*broker, IOPC_CONNECTION_REFUSED, "the MQTT client could not be made", deliveries);
      pause = kRetryAfterRefusal;
    } else if (!broker->socketOpen) {
      if (!Connect(*broker, deliveries))
        pause = broker->info.state == IOPC_CONNECTION_REFUSED ? kRetryAfterRefusal : kRetry;
    } else {
      const int result = mosquitto_loop(client, static_cast<int>(kLoopStep.count()), 1);
      std::lock_guard<std::mutex> guard(lock_);
      deliveries.swap(broker->deliveries);
      if (result != MOSQ_ERR_SUCCESS) {
        const std::string refusal = broker->refusal;
        const bool refused = !refusal.empty();
        const std::string text =
            refused ? refusal
            : result == MOSQ_ERR_TLS
                ? "the TLS handshake failed (is the broker's CA certificate in " + TrustFolder() + "?)"
                : "connection lost (" + std::string(mosquitto_strerror(result)) + ")";
        lock_.unlock();
        Lose(*broker, refused || result == MOSQ_ERR_TLS ? IOPC_CONNECTION_REFUSED : IOPC_CONNECTION_LOST, text,
             deliveries);
        lock_.lock();
        pause = refused ? kRetryAfterRefusal : kRetry;
      }
    }
    Watch(*broker, deliveries);
    HandBackRefused(*broker, deliveries);
    linklib::CallBack(deliveries);
    std::unique_lock<std::mutex> guard(lock_);
    if (broker->stop) break;
    if (pause != Clock::duration::zero())
      broker->wake.wait_for(guard, pause, [&] { return broker->stop || !broker->refused.empty(); });
    if (broker->stop) break;
  }
  if (client) {
    if (broker->socketOpen) mosquitto_disconnect(client);
    mosquitto_destroy(client);
  }
  std::lock_guard<std::mutex> guard(lock_);
  broker->client = nullptr;
  broker->finished = true;
}

bool MqttLink::Connect(MqttBroker& broker, Deliveries& deliveries) {
  if (!broker.address) {
    Lose(broker, IOPC_CONNECTION_REFUSED, "bad server name: " + broker.addressProblem, deliveries);
    return false;
  }
  std::string refusal;
  const std::optional<linklib::Credentials> credentials = linklib::ReadCredentials(broker.name, refusal);
  std::optional<TrustBundle> bundle;
  if (credentials && broker.address->tls) {
    bundle.emplace();
    if (!bundle->Ready()) refusal = bundle->Problem();
  }
  if (!refusal.empty()) {
    Lose(broker, IOPC_CONNECTION_REFUSED, refusal, deliveries);
    return false;
  }
  const auto text = [](const std::string& value) { return value.empty() ? nullptr : value.c_str(); };
  mosquitto_username_pw_set(broker.client, text(credentials->userName), text(credentials->password));
  if (bundle)
    mosquitto_tls_set(broker.client, bundle->Path().c_str(), nullptr, text(credentials->clientCertificate),
                      text(credentials->clientKey), nullptr);
  {
    std::lock_guard<std::mutex> guard(lock_);
    broker.userName = credentials->userName;
    broker.refusal.clear();
    broker.acknowledged = false;
  }
  const int result =
      mosquitto_connect(broker.client, broker.address->host.c_str(), broker.address->port, kKeepAliveSeconds);
  if (result != MOSQ_ERR_SUCCESS) {
    const std::string reason = result == MOSQ_ERR_ERRNO ? std::strerror(errno) : mosquitto_strerror(result);
    Lose(broker, broker.everConnected ? IOPC_CONNECTION_LOST : IOPC_CONNECTION_CONNECTING, reason, deliveries);
    return false;
  }
  std::lock_guard<std::mutex> guard(lock_);
  broker.socketOpen = true;
  broker.connectedAt = broker.lastHeard = Clock::now();
  broker.watchdogMessage = 0;
  return true;
}

// The connection is gone or could not be made: every item inactive with a
// bad quality, the writes in flight unconfirmed.
void MqttLink::Lose(MqttBroker& broker, IOPCConnectionState state, const std::string& text, Deliveries& deliveries) {
  std::lock_guard<std::mutex> guard(lock_);
  if (broker.socketOpen && broker.client) mosquitto_disconnect(broker.client);
  broker.socketOpen = broker.acknowledged = false;
  broker.subscriptions.clear();
  broker.writes.clear();
  if (state != broker.info.state) broker.info.sinceUnixMilliseconds = NowUnixMilliseconds();
  broker.info.state = state;
  broker.info.text = text;
  const std::uint16_t quality = state == IOPC_CONNECTION_REFUSED ? kBadConfiguration
                                : broker.everConnected           ? kBadCommunication
                                                                 : kBadNotConnected;
  for (const auto& item : broker.items) {
    const bool changed = item->active || item->quality != quality;
    item->active = false;
    if (changed) linklib::Deliver(*item, item->last, quality, deliveries);
  }
}

// A connection that was made but not acknowledged in time, or that has
// been silent and does not answer the watchdog, is lost.
void MqttLink::Watch(MqttBroker& broker, Deliveries& deliveries) {
  std::unique_lock<std::mutex> guard(lock_);
  if (!broker.socketOpen) return;
  const Clock::time_point now = Clock::now();
  std::string lost;
  if (!broker.acknowledged) {
    if (now - broker.connectedAt > kConnectAnswer) lost = "the broker does not answer";
  } else if (broker.watchdogMessage != 0) {
    if (now - broker.watchdogSent > kWatchdogAnswer) lost = "the broker does not answer";
  } else if (now - broker.lastHeard > kQuietBeforeWatchdog) {
    const std::string topic = "tintoral/watchdog/" + std::to_string(reinterpret_cast<std::uintptr_t>(&broker));
    if (mosquitto_subscribe(broker.client, &broker.watchdogMessage, topic.c_str(), 0) == MOSQ_ERR_SUCCESS)
      broker.watchdogSent = now;
    else broker.watchdogMessage = 0;
  }
  if (lost.empty()) return;
  guard.unlock();
  Lose(broker, broker.everConnected ? IOPC_CONNECTION_LOST : IOPC_CONNECTION_CONNECTING, lost, deliveries);
}

void MqttLink::HandBackRefused(MqttBroker& broker, Deliveries& deliveries) {
  std::lock_guard<std::mutex> guard(lock_);
  for (auto& [item, refusal] : broker.refused) {
    if (!refusal.empty()) item->writeProblem = refusal;
    linklib::Deliver(*item, item->last, item->topic ? item->quality : kBadConfiguration, deliveries);
  }
  broker.refused.clear();
}

void MqttLink::SubscribeLocked(MqttBroker& broker, const std::string& topic) {
  int message = 0;
  if (mosquitto_subscribe(broker.client, &message, topic.c_str(), 1) == MOSQ_ERR_SUCCESS)
    broker.subscriptions[message] = topic;
}

// ---- The client's callbacks, on the broker's thread ----------------------------------------

void MqttLink::OnConnect(mosquitto*, void* context, int code) {
  MqttBroker& broker = *static_cast<MqttBroker*>(context);
  std::lock_guard<std::mutex> guard(broker.link->lock_);
  broker.lastHeard = Clock::now();
  if (code != 0) {
    const bool credentialsRefused =
        code == 4 || code == 5 || code == MQTT_RC_BAD_USERNAME_OR_PASSWORD || code == MQTT_RC_NOT_AUTHORIZED;
    broker.refusal = !credentialsRefused       ? std::string("the broker refused: ") + mosquitto_connack_string(code)
                     : broker.userName.empty() ? "the broker wants a user name and password"
                                               : "user name or password refused for user " + broker.userName;
    return;
  }
  broker.acknowledged = broker.everConnected = true;
  broker.info = {broker.name, IOPC_CONNECTION_CONNECTED, NowUnixMilliseconds(),
                 broker.userName.empty() ? "" : "as " + broker.userName};
  std::set<std::string> topics;
  for (const auto& item : broker.items)
    if (item->topic && topics.insert(item->topic->topic).second) SubscribeLocked(broker, item->topic->topic);
}

void MqttLink::OnSubscribe(mosquitto*, void* context, int message, int count, const int* granted) {
  MqttBroker& broker = *static_cast<MqttBroker*>(context);
  std::lock_guard<std::mutex> guard(broker.link->lock_);
  broker.lastHeard = Clock::now();
  if (message == broker.watchdogMessage) {
    broker.watchdogMessage = 0;
    return;
  }
  const auto found = broker.subscriptions.find(message);
  if (found == broker.subscriptions.end()) return;
  const bool refused = count < 1 || granted[0] >= 0x80;
  for (const auto& item : broker.items) {
    if (!item->topic || item->topic->topic != found->second) continue;
    item->active = !refused;
    item->valueProblem = refused ? "subscription refused by the broker" : "";
    if (refused) linklib::Deliver(*item, item->last, kBadConfiguration, broker.deliveries);
  }
  broker.subscriptions.erase(found);
}

void MqttLink::OnMessage(mosquitto*, void* context, const mosquitto_message* message) {
  MqttBroker& broker = *static_cast<MqttBroker*>(context);
  const std::string topic = message->topic ? message->topic : "";
  const std::string payload(static_cast<const char*>(message->payload), static_cast<std::size_t>(message->payloadlen));
  std::lock_guard<std::mutex> guard(broker.link->lock_);
  broker.lastHeard = Clock::now();
  for (const auto& item : broker.items) {
    if (!item->topic || item->topic->topic != topic) continue;
    std::string problem;
    const std::optional<LinkValue> value = DecodePayload(payload, item->topic->path, problem);
    item->valueProblem = problem;
    linklib::Deliver(*item, value ? *value : item->last, value ? kGood : kBadConfiguration, broker.deliveries);
  }
}

// MQTT 5 acknowledges a publication with a reason: a refusal hands the
// item's value back.
void MqttLink::OnPublish(mosquitto*, void* context, int message, int reason, const mqtt5__property*) {
  MqttBroker& broker = *static_cast<MqttBroker*>(context);
  std::lock_guard<std::mutex> guard(broker.link->lock_);
  broker.lastHeard = Clock::now();
  const auto found = broker.writes.find(message);
  if (found == broker.writes.end()) return;
  if (reason >= 0x80) {
    found->second->writeProblem = std::string("write refused: ") + mosquitto_reason_string(reason);
    linklib::Deliver(*found->second, found->second->last, found->second->quality, broker.deliveries);
  }
  broker.writes.erase(found);
}

}  // namespace tintoral::mqtt
