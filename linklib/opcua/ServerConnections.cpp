#include "linklib/opcua/ServerConnections.h"

#include <algorithm>

namespace tintoral::opcua {
namespace {

struct StateName {
  const char* name;
  IOPCConnectionState state;
};

constexpr StateName kStates[] = {{"connecting", IOPC_CONNECTION_CONNECTING},
                                 {"connected", IOPC_CONNECTION_CONNECTED},
                                 {"lost", IOPC_CONNECTION_LOST},
                                 {"refused", IOPC_CONNECTION_REFUSED}};

}  // namespace

void ServerConnections::Use(const std::string& url, std::int64_t nowUnixMilliseconds) {
  if (ServerConnection* connection = Lookup(url)) {
    ++connection->users;
    return;
  }
  connections_.push_back({url, IOPC_CONNECTION_CONNECTING, nowUnixMilliseconds, "", 1});
}

void ServerConnections::Release(const std::string& url) {
  ServerConnection* connection = Lookup(url);
  if (connection != nullptr && --connection->users <= 0)
    connections_.erase(connections_.begin() + (connection - connections_.data()));
}

bool ServerConnections::Update(const std::string& url, const std::string& state, std::int64_t sinceUnixMilliseconds,
                               const std::string& text) {
  ServerConnection* connection = Lookup(url);
  const auto known =
      std::find_if(std::begin(kStates), std::end(kStates), [&](const StateName& s) { return state == s.name; });
  if (connection == nullptr || known == std::end(kStates)) return false;
  connection->state = known->state;
  connection->sinceUnixMilliseconds = sinceUnixMilliseconds;
  connection->text = text;
  return true;
}

void ServerConnections::LoseAll(const std::string& text, std::int64_t nowUnixMilliseconds) {
  for (ServerConnection& connection : connections_) {
    if (connection.state != IOPC_CONNECTION_LOST) connection.sinceUnixMilliseconds = nowUnixMilliseconds;
    connection.state = IOPC_CONNECTION_LOST;
    connection.text = text;
  }
}

const ServerConnection* ServerConnections::At(std::size_t index) const {
  return index < connections_.size() ? &connections_[index] : nullptr;
}

const ServerConnection* ServerConnections::Find(const std::string& url) const {
  const auto found =
      std::find_if(connections_.begin(), connections_.end(), [&](const auto& c) { return c.url == url; });
  return found == connections_.end() ? nullptr : &*found;
}

ServerConnection* ServerConnections::Lookup(const std::string& url) {
  return const_cast<ServerConnection*>(static_cast<const ServerConnections*>(this)->Find(url));
}

std::string ServerConnections::ProblemOf(const std::string& url) const {
  const ServerConnection* connection = Find(url);
  if (connection == nullptr || connection->text.empty()) return "";
  switch (connection->state) {
    case IOPC_CONNECTION_LOST: return "connection lost: " + connection->text;
    case IOPC_CONNECTION_REFUSED: return "connection refused: " + connection->text;
    case IOPC_CONNECTION_CONNECTING: return "not connected: " + connection->text;
    default: return "";
  }
}

}  // namespace tintoral::opcua
