#pragma once
// The Modbus TCP link: the items the data link opened, polled by one thread
// per server name (a connection each), group by group at the group's
// UpdateRate (that of its first item; at least every 10 ms). Items of a
// group in one area whose registers touch or overlap are read together, at
// most 125 registers (2,000 bits) a request; a value goes to its item when
// it or its quality changed. Writes are queued and sent by the server's
// thread before its next poll, with the function code of the item's area
// and size (05 a coil, 06 one register, 16 several), and the item is read
// back at once.
//
// Faults: a server that refuses or drops the connection, or does not answer
// within a second, makes every item of it inactive with a bad quality (its
// last value again), and the thread connects again every second. An
// exception response makes the item inactive with its status in words
// (a block of several items that gets one is read item by item, so only
// the faulty ones are marked). Calls only take the lock; none waits for
// the network.
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
#include "linklib/modbus/ModbusAddress.h"
#include "linklib/modbus/ModbusCodec.h"

namespace tintoral::modbus {

// A server connection as the status functions show it.
struct ConnectionInfo {
  std::string name;
  IOPCConnectionState state = IOPC_CONNECTION_CONNECTING;
  std::int64_t sinceUnixMilliseconds = 0;
  std::string text;
};

// Quality words of the classic encoding.
constexpr std::uint16_t kGood = 0xC0;
constexpr std::uint16_t kBadConfiguration = 0x04;
constexpr std::uint16_t kBadNotConnected = 0x08;
constexpr std::uint16_t kBadDeviceFailure = 0x0C;
constexpr std::uint16_t kBadCommunication = 0x18;

class ModbusLink {
 public:
  ModbusLink();
  ~ModbusLink();
  ModbusLink(const ModbusLink&) = delete;
  ModbusLink& operator=(const ModbusLink&) = delete;

  std::int32_t Add(const std::string& serverName, const std::string& itemName, const std::string& groupName,
                   std::int32_t updateRate, IOPCDataCallback callback, void* context);
  void Remove(std::int32_t handle);
  bool Active(std::int32_t handle) const;
  void Send(std::int32_t handle, const IOPCVariant& value);
  std::string Status(std::int32_t handle) const;
  std::size_t ConnectionCount() const;
  bool Connection(std::size_t index, ConnectionInfo& info) const;

 private:
  struct Item;
  struct Server;
  struct Write;
  struct Block;
  struct Delivery;
  using Clock = std::chrono::steady_clock;

  void JoinFinishedLocked();
  void Run(const std::shared_ptr<Server>& server);
  bool Connect(Server& server, std::vector<Delivery>& deliveries);
  void Disconnect(Server& server, const std::string& text, std::vector<Delivery>& deliveries);
  bool DoWrites(Server& server, std::vector<Delivery>& deliveries);
  bool PollDue(Server& server, std::vector<Delivery>& deliveries);
  bool ReadBlock(Server& server, const Block& block, std::vector<Delivery>& deliveries);
  void Deliver(Item& item, const Value& value, std::uint16_t quality, std::vector<Delivery>& deliveries, bool always);
  void SetProblem(Item& item, const std::string& text);
  std::vector<Block> PlanLocked(Server& server, const std::string& group) const;
  static void Call(const std::vector<Delivery>& deliveries);

  mutable std::mutex lock_;
  std::map<std::int32_t, std::shared_ptr<Item>> items_;
  std::vector<std::shared_ptr<Server>> servers_;  // in the order first named
  std::vector<std::pair<std::shared_ptr<Server>, std::thread>> threads_;
  std::int32_t nextHandle_ = 1;
};

}  // namespace tintoral::modbus
