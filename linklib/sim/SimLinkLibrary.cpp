// The simulation link library: the link interface (LinkLibrary.h) over a
// server simulated in the process (SimServer.h), for designing and showing
// panels without a server. The simulation file named by the environment
// variable TINTORAL_SIM_FILE (SimFile.h) gives items their generators and
// is read again whenever it changes. Its mistakes go to stderr and, with the
// lines that match no linked item, to LinkGetSetupProblems; the lines that
// read apply all the same.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "linklib/StatusText.h"
#include "linklib/sim/SimServer.h"

#define SIMLINK_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

using tintoral::linklib::CopyStatusText;
using tintoral::sim::SimServer;

std::unique_ptr<SimServer> StartServer() {
  const char* path = std::getenv("TINTORAL_SIM_FILE");
  if (!path || !*path) return std::make_unique<SimServer>(std::vector<tintoral::sim::SimItemSettings>{});
  tintoral::sim::SimFileContents contents = tintoral::sim::ReadSimFile(path);
  for (const std::string& error : contents.errors) std::fprintf(stderr, "simulation: %s\n", error.c_str());
  auto server = std::make_unique<SimServer>(std::move(contents.items), std::move(contents.errors));
  server->WatchFile(path);
  return server;
}

SimServer& TheServer() {
  static const std::unique_ptr<SimServer> server = StartServer();
  return *server;
}

std::string Text(const char* text) { return text ? text : ""; }

}  // namespace

SIMLINK_EXPORT std::int32_t IOPC_CALL SignalAdd(const char*, const char* serverName, const char* itemName, const char*,
                                                std::int32_t, std::uint8_t, std::uint8_t, IOPCDataCallback callback,
                                                void* context) {
  return TheServer().Add(Text(serverName), Text(itemName), callback, context);
}

SIMLINK_EXPORT std::int32_t IOPC_CALL SignalRemove(std::int32_t handle) {
  TheServer().Remove(handle);
  return 0;
}

SIMLINK_EXPORT std::int32_t IOPC_CALL SignalGetActive(std::int32_t handle) { return TheServer().Active(handle); }

SIMLINK_EXPORT void IOPC_CALL SignalSendData(std::int32_t handle, const IOPCVariant* value) {
  if (value) TheServer().Send(handle, tintoral::sim::SimValue::From(*value));
}

SIMLINK_EXPORT std::int32_t IOPC_CALL SignalGetStatus(std::int32_t handle, char* buffer, std::int32_t size) {
  return CopyStatusText(TheServer().Status(handle), buffer, size);
}

SIMLINK_EXPORT std::int32_t IOPC_CALL ServerConnectionGetCount() {
  return static_cast<std::int32_t>(TheServer().Servers().size());
}

// Items that name no server (only a group) are on the "simulation" server.
SIMLINK_EXPORT std::int32_t IOPC_CALL ServerConnectionGetName(std::int32_t index, char* buffer, std::int32_t size) {
  const std::vector<std::string> servers = TheServer().Servers();
  const bool known = index >= 0 && index < static_cast<std::int32_t>(servers.size());
  const std::string name = known ? servers[static_cast<std::size_t>(index)] : std::string();
  return CopyStatusText(known && name.empty() ? "simulation" : name, buffer, size);
}

// A simulated server is connected from the simulation's start on.
SIMLINK_EXPORT std::int32_t IOPC_CALL ServerConnectionGetState(std::int32_t index, std::int64_t* since, char* buffer,
                                                               std::int32_t size) {
  const bool known = index >= 0 && index < static_cast<std::int32_t>(TheServer().Servers().size());
  if (since) *since = known ? static_cast<std::int64_t>(TheServer().StartedUnixMilliseconds()) : 0;
  CopyStatusText(known ? "simulated" : "", buffer, size);
  return known ? IOPC_CONNECTION_CONNECTED : IOPC_CONNECTION_UNKNOWN;
}

SIMLINK_EXPORT std::int32_t IOPC_CALL LinkGetSetupProblems(char* buffer, std::int32_t size) {
  std::string text;
  for (const std::string& problem : TheServer().SetupProblems()) text += (text.empty() ? "" : "\n") + problem;
  return CopyStatusText(text, buffer, size);
}

SIMLINK_EXPORT std::int32_t IOPC_CALL EditorServerGetData(const char*, char* buffer, std::int32_t size) {
  std::string text;
  for (const std::string& server : TheServer().KnownServers()) text += server + "\n";
  return CopyStatusText(text, buffer, size);
}

// One flat branch: every item of the server. A tab or line break in an
// item's name would break the line, so such an item is left out.
SIMLINK_EXPORT std::int32_t IOPC_CALL EditorItemGetBranchItems(const char*, const char* serverName, const char* branch,
                                                               std::int32_t, char* buffer, std::int32_t size) {
  std::string text;
  if (Text(branch).empty())
    for (const std::string& item : TheServer().KnownItems(Text(serverName)))
      if (item.find_first_of("\t\r\n") == std::string::npos) text += "I\t" + item + "\t" + item + "\n";
  return CopyStatusText(text, buffer, size);
}
