#pragma once
// The part of a link library that does not depend on its protocol: items
// by handle, one server (and thread) per server name in the order first
// named, the threads of servers no item uses any more joined, and the
// status functions. A protocol's link derives from LinkCore, makes its own
// items and servers, and runs each server's thread; its destructor calls
// StopAll() while it is whole. The members are in LinkCoreMembers.h, which
// only the file that instantiates a link's LinkCore includes.
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "linklib/LinkItem.h"

namespace tintoral::linklib {

// The link interface's calls on one link (LinkExports.cpp exports them).
class Link {
 public:
  virtual ~Link() = default;
  virtual std::int32_t Add(const std::string& serverName, const std::string& itemName, const std::string& groupName,
                           std::int32_t updateRate, IOPCDataCallback callback, void* context) = 0;
  virtual void Remove(std::int32_t handle) = 0;
  virtual bool Active(std::int32_t handle) const = 0;
  virtual void Send(std::int32_t handle, const IOPCVariant& value) = 0;
  virtual std::string Status(std::int32_t handle) const = 0;
  virtual std::size_t ConnectionCount() const = 0;
  virtual bool Connection(std::size_t index, ConnectionInfo& info) const = 0;
};

// Item derives from LinkItem, Server from LinkServer<Item>.
template <typename Item, typename Server>
class LinkCore : public Link {
 public:
  ~LinkCore() override { StopAll(); }

  void Remove(std::int32_t handle) override;
  bool Active(std::int32_t handle) const override;
  // The item's own problem, else its connection's.
  std::string Status(std::int32_t handle) const override;
  std::size_t ConnectionCount() const override;
  bool Connection(std::size_t index, ConnectionInfo& info) const override;

 protected:
  // Called with the lock held: the item gets its handle and joins its
  // server, which is made (and its thread started) when first named.
  Server& FileLocked(const std::shared_ptr<Item>& item);

  Server* ServerLocked(const std::string& name) const;
  std::shared_ptr<Item> SharedItemLocked(std::int32_t handle) const;

  // Stops every server's thread and waits for it to end.
  void StopAll();

  // Called with the lock held, once the server's name is first used.
  virtual std::shared_ptr<Server> NewServerLocked(const std::string& name) = 0;
  // The server's thread: returns once the server's `stop` is set.
  virtual void Run(const std::shared_ptr<Server>& server) = 0;
  // Called with the lock held after an item left its server.
  virtual void ForgetLocked(Server& /*server*/, const Item& /*item*/) {}

  mutable std::mutex lock_;

 private:
  // The threads of servers no item uses any more, once they have ended.
  void JoinFinishedLocked();

  std::map<std::int32_t, std::shared_ptr<Item>> items_;
  std::vector<std::shared_ptr<Server>> servers_;  // in the order first named
  std::vector<std::pair<std::shared_ptr<Server>, std::thread>> threads_;
  std::int32_t nextHandle_ = 1;
};

}  // namespace tintoral::linklib
