#pragma once
// The server connections of the OPC UA link as the data link's status
// functions show them: one per endpoint URL that items use, numbered in the
// order the first item named them, each with its state, the time since when
// it holds and a text. Not thread-safe: the link guards it with its lock.
#include <cstdint>
#include <string>
#include <vector>

#include "instruments/opc/LinkLibrary.h"

namespace tintoral::opcua {

struct ServerConnection {
  std::string url;
  IOPCConnectionState state = IOPC_CONNECTION_CONNECTING;
  std::int64_t sinceUnixMilliseconds = 0;
  std::string text;  // Windows-1252
  int users = 0;     // items that use it
};

class ServerConnections {
 public:
  // An item uses, or no longer uses, the server at `url`; a new server is
  // connecting since `nowUnixMilliseconds`, and one no item uses is dropped.
  void Use(const std::string& url, std::int64_t nowUnixMilliseconds);
  void Release(const std::string& url);
  // A state the helper reported ("connecting", "connected", "lost" or
  // "refused"); false for an unknown server or state.
  bool Update(const std::string& url, const std::string& state, std::int64_t sinceUnixMilliseconds,
              const std::string& text);
  // Every connection is lost (the helper ended).
  void LoseAll(const std::string& text, std::int64_t nowUnixMilliseconds);

  std::size_t Count() const { return connections_.size(); }
  const ServerConnection* At(std::size_t index) const;
  const ServerConnection* Find(const std::string& url) const;
  // What the connection's state means for its items: "" while connected or
  // connecting without a problem, else e.g. "connection lost: ...".
  std::string ProblemOf(const std::string& url) const;

 private:
  ServerConnection* Lookup(const std::string& url);
  std::vector<ServerConnection> connections_;
};

}  // namespace tintoral::opcua
