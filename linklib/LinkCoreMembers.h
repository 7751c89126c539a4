#pragma once
// The members of LinkCore (LinkCore.h), included only where a link
// instantiates it, with its items and servers whole.
#include <algorithm>

#include "linklib/LinkCore.h"

namespace tintoral::linklib {

template <typename Item, typename Server>
void LinkCore<Item, Server>::Remove(std::int32_t handle) {
  std::lock_guard<std::mutex> guard(lock_);
  const auto found = items_.find(handle);
  if (found == items_.end()) return;
  const std::shared_ptr<Item> item = found->second;
  items_.erase(found);
  item->removed = true;
  const auto server =
      std::find_if(servers_.begin(), servers_.end(), [&](const auto& s) { return s->name == item->serverName; });
  if (server == servers_.end()) return;
  auto& items = (*server)->items;
  items.erase(std::remove(items.begin(), items.end(), item), items.end());
  ForgetLocked(**server, *item);
  if (!items.empty()) return;
  (*server)->stop = true;
  (*server)->wake.notify_all();
  servers_.erase(server);
}

template <typename Item, typename Server>
bool LinkCore<Item, Server>::Active(std::int32_t handle) const {
  std::lock_guard<std::mutex> guard(lock_);
  const auto found = items_.find(handle);
  return found != items_.end() && found->second->active;
}

template <typename Item, typename Server>
std::string LinkCore<Item, Server>::Status(std::int32_t handle) const {
  std::lock_guard<std::mutex> guard(lock_);
  const auto found = items_.find(handle);
  if (found == items_.end()) return {};
  const Item& item = *found->second;
  for (const std::string* problem : {&item.writeProblem, &item.nameProblem, &item.valueProblem})
    if (!problem->empty()) return *problem;
  const Server* server = ServerLocked(item.serverName);
  return server ? ConnectionProblem(server->info) : std::string();
}

template <typename Item, typename Server>
std::size_t LinkCore<Item, Server>::ConnectionCount() const {
  std::lock_guard<std::mutex> guard(lock_);
  return servers_.size();
}

template <typename Item, typename Server>
bool LinkCore<Item, Server>::Connection(std::size_t index, ConnectionInfo& info) const {
  std::lock_guard<std::mutex> guard(lock_);
  if (index >= servers_.size()) return false;
  info = servers_[index]->info;
  return true;
}

template <typename Item, typename Server>
Server& LinkCore<Item, Server>::FileLocked(const std::shared_ptr<Item>& item) {
  item->handle = nextHandle_++;
  items_[item->handle] = item;
  Server* server = ServerLocked(item->serverName);
  if (!server) {
    std::shared_ptr<Server> made = NewServerLocked(item->serverName);
    made->info = {item->serverName, IOPC_CONNECTION_CONNECTING, NowUnixMilliseconds(), ""};
    servers_.push_back(made);
    JoinFinishedLocked();
    threads_.emplace_back(made, std::thread([this, made] { Run(made); }));
    server = made.get();
  }
  server->items.push_back(item);
  return *server;
}

template <typename Item, typename Server>
Server* LinkCore<Item, Server>::ServerLocked(const std::string& name) const {
  for (const auto& server : servers_)
    if (server->name == name) return server.get();
  return nullptr;
}

template <typename Item, typename Server>
std::shared_ptr<Item> LinkCore<Item, Server>::SharedItemLocked(std::int32_t handle) const {
  const auto found = items_.find(handle);
  return found == items_.end() ? nullptr : found->second;
}

template <typename Item, typename Server>
void LinkCore<Item, Server>::StopAll() {
  {
    std::lock_guard<std::mutex> guard(lock_);
    for (const auto& server : servers_) {
      server->stop = true;
      server->wake.notify_all();
    }
  }
  for (auto& [server, thread] : threads_)
    if (thread.joinable()) thread.join();
  threads_.clear();
}

template <typename Item, typename Server>
void LinkCore<Item, Server>::JoinFinishedLocked() {
  for (auto thread = threads_.begin(); thread != threads_.end();) {
    if (!thread->first->finished) {
      ++thread;
      continue;
    }
    thread->second.join();
    thread = threads_.erase(thread);
  }
}

}  // namespace tintoral::linklib
