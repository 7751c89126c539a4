#pragma once
// The pymodbus server of modbus-test-server.py, run by a test on 127.0.0.1
// on a free port: set and read its registers, kill, freeze and restart it.
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "linklib/opcua/HelperProcess.h"

namespace tintoral::test {

// Why the Modbus tests cannot run here ("" when they can).
std::string ModbusSkipReason();

class ModbusTestServer {
 public:
  ModbusTestServer();
  ~ModbusTestServer();

  // Starts the server (again, on the same port) and waits until it listens.
  bool Start();
  void Stop();
  void Kill();
  // SIGSTOP / SIGCONT: connections stay open but nothing answers.
  void Freeze(bool frozen);

  // AREA "co", "di", "ir" or "hr".
  void Set(const std::string& area, int address, const std::vector<int>& values);
  std::vector<int> Get(const std::string& area, int address, int count);
  // Counts `count` registers up by one, `hz` times a second, from now on.
  void CountUp(const std::string& area, int address, int count, int hz);

  std::string ServerName() const { return "modbus-tcp://127.0.0.1:" + std::to_string(port_) + "/1"; }

 private:
  void Command(const std::string& line);
  std::string Answer(const std::string& line, const std::string& prefix);
  void Read();

  int port_ = 0;
  std::unique_ptr<opcua::HelperProcess> process_;
  std::thread reader_;
  std::mutex lock_;
  std::condition_variable changed_;
  std::vector<std::string> lines_;
};

}  // namespace tintoral::test
