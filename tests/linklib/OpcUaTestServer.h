#pragma once
// The node-opcua server of opcua-test-server.mjs, run by a test on
// 127.0.0.1 on a free port, and waiting on the GUI thread while values
// travel.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "linklib/opcua/HelperProcess.h"

namespace tintoral::test {

// Why the OPC UA tests cannot run here ("" when they can): no node program
// or no installed node-opcua.
std::string OpcUaSkipReason();

// A port nothing listens on now on 127.0.0.1.
int FreePort();

// The local addresses of the sockets listening on TCP `port`, as the
// kernel lists them in hex (127.0.0.1 is "0100007F", every IPv4 address
// "00000000", every IPv6 address 32 zeros).
std::vector<std::string> ListeningAddresses(int port);

// Runs Qt's events until `condition` holds or `timeout` passes.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout);

class OpcUaTestServer {
 public:
  // A server script taking the port and a PKI folder as its first
  // arguments (then `arguments`), that prints `readyLine` when it listens;
  // on a free port, not started.
  explicit OpcUaTestServer(std::string script = TINTORAL_OPCUA_TEST_SERVER, std::string readyLine = "listening",
                           std::vector<std::string> arguments = {});
  ~OpcUaTestServer();

  // Starts the server and waits until it listens.
  bool Start();
  // Shuts it down and waits for it to exit.
  void Stop();
  void Command(const std::string& line);
  // Stops and continues the server process (SIGSTOP, SIGCONT): a server
  // that no longer answers but keeps its connections.
  void Freeze(bool frozen);
  // Ends the server process with SIGKILL, as a crash would, and waits for it.
  void Kill();

  int Port() const { return port_; }
  std::string Endpoint() const { return "opc.tcp://127.0.0.1:" + std::to_string(port_); }
  // The folder of the servers' certificates.
  static std::string PkiFolder();
  // The lines it printed that start with `prefix`, e.g. "written Double".
  std::vector<std::string> Lines(const std::string& prefix) const;
  bool WaitForLine(const std::string& prefix, std::chrono::milliseconds timeout) const;

 private:
  void Read();

  const std::string script_;
  const std::string readyLine_;
  const std::vector<std::string> arguments_;
  int port_ = 0;
  std::unique_ptr<opcua::HelperProcess> process_;
  std::thread reader_;
  mutable std::mutex lock_;
  mutable std::condition_variable changed_;
  std::vector<std::string> lines_;
};

}  // namespace tintoral::test
