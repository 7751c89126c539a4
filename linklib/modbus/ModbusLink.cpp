#include "linklib/modbus/ModbusLink.h"

#include <modbus/modbus.h>
#include <pthread.h>

#include <algorithm>
#include <cerrno>
#include <deque>
#include <map>
#include <optional>
#include <set>

#include "linklib/LinkCoreMembers.h"
#include "linklib/modbus/ReadPlan.h"

namespace tintoral::modbus {

using linklib::kBadCommunication;
using linklib::kBadConfiguration;
using linklib::kBadDeviceFailure;
using linklib::kBadNotConnected;
using linklib::kGood;
using linklib::NowUnixMilliseconds;

namespace {

constexpr int kMinimumPollMilliseconds = 10;
constexpr int kRetryMilliseconds = 1000;
constexpr int kResponseTimeoutMilliseconds = 1000;

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

struct ModbusItem : linklib::LinkItem {
  std::string groupName;
  std::int32_t updateRate = 0;
  std::optional<ItemAddress> address;
};

struct ModbusWrite {
  std::shared_ptr<ModbusItem> item;
  std::vector<std::uint16_t> words;
  std::string refusal;  // not sent, for this reason
};

struct ModbusLink::Block {
  Area area = Area::HoldingRegisters;
  int start = 0, count = 0;
  std::vector<std::shared_ptr<ModbusItem>> items;
};

struct ModbusServer : linklib::LinkServer<ModbusItem> {
  std::optional<ServerAddress> address;
  std::string addressProblem;
  std::map<std::string, std::chrono::steady_clock::time_point> nextPoll;  // by group
  std::deque<ModbusWrite> writes;
  modbus_t* context = nullptr;  // the server's thread only
  bool answered = false;        // a request succeeded on this connection
};

}  // namespace tintoral::modbus

template class tintoral::linklib::LinkCore<tintoral::modbus::ModbusItem, tintoral::modbus::ModbusServer>;

namespace tintoral::modbus {

ModbusLink::ModbusLink() = default;

ModbusLink::~ModbusLink() { StopAll(); }

std::int32_t ModbusLink::Add(const std::string& serverName, const std::string& itemName, const std::string& groupName,
                             std::int32_t updateRate, IOPCDataCallback callback, void* context) {
  auto item = std::make_shared<ModbusItem>();
  item->serverName = serverName;
  item->groupName = groupName;
  item->updateRate = std::max(updateRate, kMinimumPollMilliseconds);
  item->address = ParseItemName(itemName, item->nameProblem);
  if (!item->address) item->nameProblem = "bad item name: " + item->nameProblem;
  item->callback = callback;
  item->context = context;
  std::lock_guard<std::mutex> guard(lock_);
  ModbusServer& server = FileLocked(item);
  server.nextPoll.erase(groupName);  // polled at once
  server.wake.notify_all();
  return item->handle;
}

std::shared_ptr<ModbusServer> ModbusLink::NewServerLocked(const std::string& name) {
  auto server = std::make_shared<ModbusServer>();
  server->name = name;
  server->address = ParseServerName(name, server->addressProblem);
  return server;
}

void ModbusLink::Send(std::int32_t handle, const IOPCVariant& value) {
  std::lock_guard<std::mutex> guard(lock_);
  const std::shared_ptr<ModbusItem> found = SharedItemLocked(handle);
  if (!found) return;
  ModbusItem& item = *found;
  ModbusWrite write{found, {}, {}};
  std::string error;
  if (!item.address) write.refusal = "write refused: " + item.nameProblem;
  else if (!item.address->Writable())
    write.refusal = "write refused: " + AreaName(item.address->area) + "s are read-only";
  else if (!item.active)
    write.refusal = item.valueProblem.empty() ? "write failed: not connected" : "write failed: " + item.valueProblem;
  else if (!Encode(*item.address, value, write.words, error)) write.refusal = "write refused: " + error;
  if (ModbusServer* server = ServerLocked(item.serverName)) {
    server->writes.push_back(std::move(write));
    server->wake.notify_all();
  }
}

// ---- The server's thread ---------------------------------------------------------

void ModbusLink::Run(const std::shared_ptr<ModbusServer>& server) {
  pthread_setname_np(pthread_self(), "modbus-link");  // told apart in CPU figures
  for (;;) {
    Deliveries deliveries;
    // Without a connection every queued write is refused, and handed back
    // at once.
    bool connected = server->context || Connect(*server, deliveries);
    connected = DoWrites(*server, deliveries) && connected && PollDue(*server, deliveries);
    linklib::CallBack(deliveries);
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

bool ModbusLink::Connect(ModbusServer& server, Deliveries& deliveries) {
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
void ModbusLink::Disconnect(ModbusServer& server, const std::string& text, Deliveries& deliveries) {
  if (server.context) {
    modbus_close(server.context);
    modbus_free(server.context);
    server.context = nullptr;
  }
  std::lock_guard<std::mutex> guard(lock_);
  linklib::ConnectionInfo& info = server.info;
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
  for (ModbusWrite& write : server.writes)
    if (write.refusal.empty()) write.refusal = "write failed: " + text;
}

bool ModbusLink::DoWrites(ModbusServer& server, Deliveries& deliveries) {
  for (;;) {
    ModbusWrite write;
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
std::vector<ModbusLink::Block> ModbusLink::PlanLocked(ModbusServer& server, const std::string& group) const {
  std::vector<std::shared_ptr<ModbusItem>> items;
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

bool ModbusLink::PollDue(ModbusServer& server, Deliveries& deliveries) {
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
    if (blocks.empty()) MarkAnsweredLocked(server);
  }
  for (const Block& block : blocks)
    if (!ReadBlock(server, block, deliveries)) return false;
  return true;
}

bool ModbusLink::ReadBlock(ModbusServer& server, const Block& block, Deliveries& deliveries) {
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
    MarkAnsweredLocked(server);
    for (const auto& item : block.items) {
      const int offset = item->address->address - block.start;
      const Value value = block.area == Area::Coils || block.area == Area::DiscreteInputs
                              ? DecodeBit(bits[static_cast<std::size_t>(offset)])
                              : DecodeRegisters(*item->address, &registers[static_cast<std::size_t>(offset)]);
      const bool wasActive = item->active;
      item->active = true;
      item->valueProblem.clear();
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
  ModbusItem& item = *block.items.front();
  item.active = false;
  item.valueProblem = "read refused: " + ExceptionText(code);
  Deliver(item, item.last, ExceptionQuality(code), deliveries, false);
  return true;
}

// The first request answered on a connection makes the server connected.
void ModbusLink::MarkAnsweredLocked(ModbusServer& server) {
  if (server.answered) return;
  server.answered = server.everConnected = true;
  server.info = {server.name, IOPC_CONNECTION_CONNECTED, NowUnixMilliseconds(), ""};
}

// Called with the lock held. A value goes out when it or its quality
// changed (or when `always`); a bad quality keeps the last value.
void ModbusLink::Deliver(ModbusItem& item, const Value& value, std::uint16_t quality, Deliveries& deliveries,
                         bool always) {
  if (!always && item.delivered && value == item.last && quality == item.quality) return;
  linklib::Deliver(item, value, quality, deliveries);
}

}  // namespace tintoral::modbus
