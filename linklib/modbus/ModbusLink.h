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
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "linklib/LinkCore.h"
#include "linklib/modbus/ModbusAddress.h"
#include "linklib/modbus/ModbusCodec.h"

namespace tintoral::modbus {

struct ModbusItem;
struct ModbusServer;

}  // namespace tintoral::modbus

// Instantiated in ModbusLink.cpp, where the item and server are whole.
extern template class tintoral::linklib::LinkCore<tintoral::modbus::ModbusItem, tintoral::modbus::ModbusServer>;

namespace tintoral::modbus {

class ModbusLink : public linklib::LinkCore<ModbusItem, ModbusServer> {
 public:
  ModbusLink();
  ~ModbusLink() override;
  ModbusLink(const ModbusLink&) = delete;
  ModbusLink& operator=(const ModbusLink&) = delete;

  std::int32_t Add(const std::string& serverName, const std::string& itemName, const std::string& groupName,
                   std::int32_t updateRate, IOPCDataCallback callback, void* context) override;
  void Send(std::int32_t handle, const IOPCVariant& value) override;

 private:
  struct Block;
  using Clock = std::chrono::steady_clock;
  using Deliveries = linklib::Deliveries;

  std::shared_ptr<ModbusServer> NewServerLocked(const std::string& name) override;
  void Run(const std::shared_ptr<ModbusServer>& server) override;
  bool Connect(ModbusServer& server, Deliveries& deliveries);
  void Disconnect(ModbusServer& server, const std::string& text, Deliveries& deliveries);
  bool DoWrites(ModbusServer& server, Deliveries& deliveries);
  bool PollDue(ModbusServer& server, Deliveries& deliveries);
  bool ReadBlock(ModbusServer& server, const Block& block, Deliveries& deliveries);
  void MarkAnsweredLocked(ModbusServer& server);
  static void Deliver(ModbusItem& item, const Value& value, std::uint16_t quality, Deliveries& deliveries, bool always);
  std::vector<Block> PlanLocked(ModbusServer& server, const std::string& group) const;
};

}  // namespace tintoral::modbus
