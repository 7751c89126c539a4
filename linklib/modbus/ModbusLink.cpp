#include "linklib/modbus/ModbusLink.h"

#include <modbus/modbus.h>
#include <pthread.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <set>

#include "linklib/modbus/ReadPlan.h"

namespace tintoral::modbus {
namespace {

constexpr int kMinimumPollMilliseconds = 10;
constexpr int kRetryMilliseconds = 1000;
constexpr int kResponseTimeoutMilliseconds = 1000;

std::int64_t NowUnixMilliseconds() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

// The present time as a date-time double (days since 30 December 1899 UTC),
// its bits as the 8 timestamp bytes.
std::uint64_t NowTimestamp() {
  const double days = static_cast<double>(NowUnixMilliseconds()) / 86400000.0 + 25569.0;
  std::uint64_t bits;
  std::memcpy(&bits, &days, sizeof bits);
  return bits;
}

// The exception code of a failed request, 0 when it failed otherwise.
int ExceptionCode(int error) {
  const int code = error - MODBUS_ENOBASE;
  return code >= MODBUS_EXCEPTION_ILLEGAL_FUNCTION && code <= MODBUS_EXCEPTION_GATEWAY_TARGET ? code : 0;
}

std::string ExceptionText(int code) {
  static const char* const kTexts[] = {"",
                                       "illegal function",
                                       "illegal data address",
                                       "illegal data value",
                                       "server device failure",
                                       "acknowledge",
                                       "server device busy",
                                       "negative acknowledge",
                                       "memory parity error",
                                       "exception 9",
                                       "gateway path unavailable",
                                       "gateway target device failed to respond"};
  return std::string(kTexts[code]) + " (exception " + std::to_string(code) + ")";
}

// Illegal function, address or value: the item's settings do not fit the
// device; anything else: the device's own trouble.
std::uint16_t ExceptionQuality(int code) { return code <= 3 ? kBadConfiguration : kBadDeviceFailure; }

std::string FailureText(int error) {
  if (error == ETIMEDOUT) return "the server does not answer";
  if (error == ECONNREFUSED) return "connection refused";
  return modbus_strerror(error);
}

}  // namespace

struct ModbusLink::Item {
  std::int32_t handle = 0;
  std::string serverName, groupName;
  std::int32_t updateRate = 0;
  std::optional<ItemAddress> address;
  std::string nameProblem;
  IOPCDataCallback callback = nullptr;
  void* context = nullptr;
  bool removed = false;
  bool active = false;
  bool delivered = false;  // anything was delivered
  Value last;
  std::uint16_t quality = 0;
  std::string readProblem, writeProblem;
};

struct ModbusLink::Write {
  std::shared_ptr<Item> item;
  std::vector<std::uint16_t> words;
  std::string refusal;  // not sent, for this reason
};

struct ModbusLink::Block {
  Area area = Area::HoldingRegisters;
  int start = 0, count = 0;
  std::vector<std::shared_ptr<Item>> items;
};

struct ModbusLink::Delivery {
  IOPCDataCallback callback;
  void* context;
  Value value;
  std::uint16_t quality;
  std::uint64_t timestamp;
};

struct ModbusLink::Server {
  std::string name;
  std::optional<ServerAddress> address;
  std::string addressProblem;
  ConnectionInfo info;
  bool everConnected = false;
  std::vector<std::shared_ptr<Item>> items;
  std::map<std::string, Clock::time_point> nextPoll;  // by group
  std::deque<Write> writes;
  bool stop = false;
  bool finished = false;
  std::condition_variable wake;
  modbus_t* context = nullptr;  // the server's thread only
  bool answered = false;        // a request succeeded on this connection
};

ModbusLink::ModbusLink() = default;

ModbusLink::~ModbusLink() {
  {
    std::lock_guard<std::mutex> guard(lock_);
    for (const auto& server : servers_) {
      server->stop = true;
      server->wake.notify_all();
    }
  }
  for (auto& [server, thread] : threads_) thread.join();
}

std::int32_t ModbusLink::Add(const std::string& serverName, const std::string& itemName, const std::string& groupName,
                             std::int32_t updateRate, IOPCDataCallback callback, void* context) {
  auto item = std::make_shared<Item>();
  item->serverName = serverName;
  item->groupName = groupName;
  item->updateRate = std::max(updateRate, kMinimumPollMilliseconds);
  item->address = ParseItemName(itemName, item->nameProblem);
  if (!item->address) item->nameProblem = "bad item name: " + item->nameProblem;
  item->callback = callback;
  item->context = context;
  std::lock_guard<std::mutex> guard(lock_);
  item->handle = nextHandle_++;
  items_[item->handle] = item;
  auto found = std::find_if(servers_.begin(), servers_.end(), [&](const auto& s) { return s->name == serverName; });
  if (found == servers_.end()) {
    auto server = std::make_shared<Server>();
    server->name = serverName;
    server->address = ParseServerName(serverName, server->addressProblem);
    server->info = {serverName, IOPC_CONNECTION_CONNECTING, NowUnixMilliseconds(), ""};
    servers_.push_back(server);
    found = servers_.end() - 1;
    JoinFinishedLocked();
    threads_.emplace_back(server, std::thread([this, server] { Run(server); }));
  }
  (*found)->items.push_back(item);
  (*found)->nextPoll.erase(groupName);  // polled at once
  (*found)->wake.notify_all();
  return item->handle;
}

void ModbusLink::Remove(std::int32_t handle) {
  std::lock_guard<std::mutex> guard(lock_);
  const auto found = items_.find(handle);
  if (found == items_.end()) return;
  const std::shared_ptr<Item> item = found->second;
  items_.erase(found);
  item->removed = true;
  for (auto server = servers_.begin(); server != servers_.end(); ++server) {
    auto& items = (*server)->items;
    items.erase(std::remove(items.begin(), items.end(), item), items.end());
    if (!items.empty() || (*server)->name != item->serverName) continue;
    (*server)->stop = true;
    (*server)->wake.notify_all();
    servers_.erase(server);
    break;
  }
}

bool ModbusLink::Active(std::int32_t handle) const {
  std::lock_guard<std::mutex> guard(lock_);
  const auto found = items_.find(handle);
  return found != items_.end() && found->second->active;
}

void ModbusLink::Send(std::int32_t handle, const IOPCVariant& value) {
  std::lock_guard<std::mutex> guard(lock_);
  const auto found = items_.find(handle);
  if (found == items_.end()) return;
  Item& item = *found->second;
  Write write{found->second, {}, {}};
  std::string error;
  if (!item.address) write.refusal = "write refused: " + item.nameProblem;
  else if (!item.address->Writable())
    write.refusal = "write refused: " + AreaName(item.address->area) + "s are read-only";
  else if (!item.active)
    write.refusal = item.readProblem.empty() ? "write failed: not connected" : "write failed: " + item.readProblem;
  else if (!Encode(*item.address, value, write.words, error)) write.refusal = "write refused: " + error;
  for (const auto& server : servers_)
    if (server->name == item.serverName) {
      server->writes.push_back(std::move(write));
      server->wake.notify_all();
    }
}

std::string ModbusLink::Status(std::int32_t handle) const {
  std::lock_guard<std::mutex> guard(lock_);
  const auto found = items_.find(handle);
  if (found == items_.end()) return {};
  const Item& item = *found->second;
  for (const std::string* problem : {&item.writeProblem, &item.nameProblem, &item.readProblem})
    if (!problem->empty()) return *problem;
  for (const auto& server : servers_) {
    if (server->name != item.serverName) continue;
    const ConnectionInfo& info = server->info;
    if (info.state == IOPC_CONNECTION_LOST) return "connection lost: " + info.text;
    if (info.state == IOPC_CONNECTION_REFUSED) return "connection refused: " + info.text;
    if (info.state == IOPC_CONNECTION_CONNECTING && !info.text.empty()) return "not connected: " + info.text;
  }
  return {};
}

std::size_t ModbusLink::ConnectionCount() const {
  std::lock_guard<std::mutex> guard(lock_);
  return servers_.size();
}

bool ModbusLink::Connection(std::size_t index, ConnectionInfo& info) const {
  std::lock_guard<std::mutex> guard(lock_);
  if (index >= servers_.size()) return false;
  info = servers_[index]->info;
  return true;
}

// The threads of servers no item uses any more, once they have ended.
void ModbusLink::JoinFinishedLocked() {
  for (auto thread = threads_.begin(); thread != threads_.end();) {
    if (!thread->first->finished) {
      ++thread;
      continue;
    }
    thread->second.join();
    thread = threads_.erase(thread);
  }
}

// ---- The server's thread ---------------------------------------------------------

void ModbusLink::Run(const std::shared_ptr<Server>& server) {
  pthread_setname_np(pthread_self(), "modbus-link");  // told apart in CPU figures
  for (;;) {
    std::vector<Delivery> deliveries;
    // Without a connection every queued write is refused, and handed back
    // at once.
    bool connected = server->context || Connect(*server, deliveries);
    connected = DoWrites(*server, deliveries) && connected && PollDue(*server, deliveries);
    Call(deliveries);
    std::unique_lock<std::mutex> guard(lock_);
    if (server->stop) break;
    Clock::time_point next = Clock::now() + std::chrono::milliseconds(kRetryMilliseconds);
    if (connected)
      for (const auto& [group, due] : server->nextPoll) next = std::min(next, due);
    server->wake.wait_until(guard, next, [&] { return server->stop || !server->writes.empty(); });
    if (server->stop) break;
  }
  if (server->context) {
    modbus_close(server->context);
    modbus_free(server->context);
  }
  std::lock_guard<std::mutex> guard(lock_);
  server->finished = true;
}

bool ModbusLink::Connect(Server& server, std::vector<Delivery>& deliveries) {
  int error = 0;
  if (server.address) {
    const std::string port = std::to_string(server.address->port);
    server.context = modbus_new_tcp_pi(server.address->host.c_str(), port.c_str());
    error = server.context ? 0 : errno;
  }
  if (server.context) {
    modbus_set_slave(server.context, server.address->unit);
    modbus_set_response_timeout(server.context, kResponseTimeoutMilliseconds / 1000,
                                (kResponseTimeoutMilliseconds % 1000) * 1000);
    if (modbus_connect(server.context) == 0) {
      server.answered = false;
      return true;
    }
    error = errno;
    modbus_free(server.context);
    server.context = nullptr;
  }
  Disconnect(server, server.address ? FailureText(error) : "bad server name: " + server.addressProblem, deliveries);
  return false;
}

// The connection failed or could not be made: every item inactive with a
// bad quality, and the writes not yet sent fail.
void ModbusLink::Disconnect(Server& server, const std::string& text, std::vector<Delivery>& deliveries) {
  if (server.context) {
    modbus_close(server.context);
    modbus_free(server.context);
    server.context = nullptr;
  }
  std::lock_guard<std::mutex> guard(lock_);
  ConnectionInfo& info = server.info;
  const IOPCConnectionState state = !server.address        ? IOPC_CONNECTION_REFUSED
                                    : server.everConnected ? IOPC_CONNECTION_LOST
                                                           : IOPC_CONNECTION_CONNECTING;
  if (state != info.state) info.sinceUnixMilliseconds = NowUnixMilliseconds();
  info.state = state;
  info.text = text;
  const std::uint16_t quality = !server.address        ? kBadConfiguration
                                : server.everConnected ? kBadCommunication
                                                       : kBadNotConnected;
  for (const auto& item : server.items) {
    item->active = false;
    Deliver(*item, item->last, item->address ? quality : kBadConfiguration, deliveries, false);
  }
  for (Write& write : server.writes)
    if (write.refusal.empty()) write.refusal = "write failed: " + text;
}

bool ModbusLink::DoWrites(Server& server, std::vector<Delivery>& deliveries) {
  for (;;) {
    Write write;
    {
      std::lock_guard<std::mutex> guard(lock_);
      if (server.writes.empty()) return true;
      write = std::move(server.writes.front());
      server.writes.pop_front();
      if (write.item->removed) continue;
      if (write.refusal.empty() && !server.context) write.refusal = "write failed: not connected";
      if (!write.refusal.empty()) {
        write.item->writeProblem = write.refusal;
        Deliver(*write.item, write.item->last, write.item->quality, deliveries, true);
        continue;
      }
    }
    const ItemAddress& address = *write.item->address;
    const int count = static_cast<int>(write.words.size());
    const int result = address.area == Area::Coils ? modbus_write_bit(server.context, address.address, write.words[0])
                       : count == 1
                           ? modbus_write_register(server.context, address.address, write.words[0])
                           : modbus_write_registers(server.context, address.address, count, write.words.data());
    const int error = errno;
    if (result >= 0) {
      {
        std::lock_guard<std::mutex> guard(lock_);
        write.item->writeProblem.clear();
      }
      if (!ReadBlock(server, {address.area, address.address, address.Count(), {write.item}}, deliveries)) return false;
      continue;
    }
    if (const int code = ExceptionCode(error)) {
      std::lock_guard<std::mutex> guard(lock_);
      write.item->writeProblem = "write refused: " + ExceptionText(code);
      Deliver(*write.item, write.item->last, write.item->quality, deliveries, true);
      continue;
    }
    {
      std::lock_guard<std::mutex> guard(lock_);
      server.writes.push_front(std::move(write));  // fails with the others
    }
    Disconnect(server, FailureText(error), deliveries);
    return false;
  }
}

// The group's items with a valid name, in the fewest read requests.
std::vector<ModbusLink::Block> ModbusLink::PlanLocked(Server& server, const std::string& group) const {
  std::vector<std::shared_ptr<Item>> items;
  std::vector<ItemAddress> addresses;
  for (const auto& item : server.items)
    if (item->groupName == group && item->address) {
      items.push_back(item);
      addresses.push_back(*item->address);
    }
  std::vector<Block> blocks;
  for (const ReadRequest& request : PlanReads(addresses)) {
    Block block{request.area, request.start, request.count, {}};
    for (const std::size_t index : request.items) block.items.push_back(items[index]);
    blocks.push_back(std::move(block));
  }
  return blocks;
}

bool ModbusLink::PollDue(Server& server, std::vector<Delivery>& deliveries) {
  std::vector<Block> blocks;
  {
    std::lock_guard<std::mutex> guard(lock_);
    const Clock::time_point now = Clock::now();
    std::set<std::string> seen;
    for (const auto& item : server.items) {
      if (!item->address && !item->delivered) Deliver(*item, {}, kBadConfiguration, deliveries, true);
      if (!seen.insert(item->groupName).second) continue;
      const auto period = std::chrono::milliseconds(item->updateRate);  // the group's first item's
      const auto due = server.nextPoll.try_emplace(item->groupName, now).first;
      if (due->second > now) continue;
      due->second = due->second + period > now ? due->second + period : now + period;
      for (Block& block : PlanLocked(server, item->groupName)) blocks.push_back(std::move(block));
    }
    if (blocks.empty() && !server.answered) {
      server.answered = server.everConnected = true;
      server.info = {server.name, IOPC_CONNECTION_CONNECTED, NowUnixMilliseconds(), ""};
    }
  }
  for (const Block& block : blocks)
    if (!ReadBlock(server, block, deliveries)) return false;
  return true;
}

bool ModbusLink::ReadBlock(Server& server, const Block& block, std::vector<Delivery>& deliveries) {
  std::vector<std::uint16_t> registers(static_cast<std::size_t>(block.count));
  std::vector<std::uint8_t> bits(static_cast<std::size_t>(block.count));
  int result = 0;
  switch (block.area) {
    case Area::Coils: result = modbus_read_bits(server.context, block.start, block.count, bits.data()); break;
    case Area::DiscreteInputs:
      result = modbus_read_input_bits(server.context, block.start, block.count, bits.data());
      break;
    case Area::InputRegisters:
      result = modbus_read_input_registers(server.context, block.start, block.count, registers.data());
      break;
    default: result = modbus_read_registers(server.context, block.start, block.count, registers.data()); break;
  }
  const int error = errno;
  if (result == block.count) {
    std::lock_guard<std::mutex> guard(lock_);
    if (!server.answered) {
      server.answered = server.everConnected = true;
      server.info = {server.name, IOPC_CONNECTION_CONNECTED, NowUnixMilliseconds(), ""};
    }
    for (const auto& item : block.items) {
      const int offset = item->address->address - block.start;
      const Value value = block.area == Area::Coils || block.area == Area::DiscreteInputs
                              ? DecodeBit(bits[static_cast<std::size_t>(offset)])
                              : DecodeRegisters(*item->address, &registers[static_cast<std::size_t>(offset)]);
      const bool wasActive = item->active;
      item->active = true;
      item->readProblem.clear();
      Deliver(*item, value, kGood, deliveries, !wasActive);
    }
    return true;
  }
  const int code = ExceptionCode(error);
  if (code == 0) {
    Disconnect(server, FailureText(error), deliveries);
    return false;
  }
  if (block.items.size() > 1) {  // only the items at fault are marked
    for (const auto& item : block.items)
      if (!ReadBlock(server, {block.area, item->address->address, item->address->Count(), {item}}, deliveries))
        return false;
    return true;
  }
  std::lock_guard<std::mutex> guard(lock_);
  Item& item = *block.items.front();
  item.active = false;
  item.readProblem = "read refused: " + ExceptionText(code);
  Deliver(item, item.last, ExceptionQuality(code), deliveries, false);
  return true;
}

// Called with the lock held. A value goes out when it or its quality
// changed (or when `always`); a bad quality keeps the last value.
void ModbusLink::Deliver(Item& item, const Value& value, std::uint16_t quality, std::vector<Delivery>& deliveries,
                         bool always) {
  if (item.removed) return;
  if (!always && item.delivered && value == item.last && quality == item.quality) return;
  item.last = value;
  item.quality = quality;
  item.delivered = true;
  if (item.callback) deliveries.push_back({item.callback, item.context, value, quality, NowTimestamp()});
}

void ModbusLink::Call(const std::vector<Delivery>& deliveries) {
  for (const Delivery& delivery : deliveries) {
    const IOPCVariant variant = delivery.value.Variant();
    delivery.callback(delivery.context, &variant, delivery.quality, delivery.timestamp);
  }
}

}  // namespace tintoral::modbus
