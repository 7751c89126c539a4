#include "ModbusTestServer.h"

#include <signal.h>

#include <cstdlib>
#include <sstream>

#include "OpcUaTestServer.h"

namespace tintoral::test {

std::string ModbusSkipReason() {
  if (std::system("/usr/bin/python3 -c 'import pymodbus' >/dev/null 2>&1") != 0)
    return "no pymodbus for /usr/bin/python3 (scripts/setup.sh installs python3-pymodbus)";
  return "";
}

ModbusTestServer::ModbusTestServer() : port_(FreePort()) {}

ModbusTestServer::~ModbusTestServer() { Stop(); }

bool ModbusTestServer::Start() {
  Stop();
  {
    std::lock_guard<std::mutex> guard(lock_);
    lines_.clear();
  }
  process_ = std::make_unique<opcua::HelperProcess>();
  std::string error;
  if (!process_->Start("/usr/bin/python3", {TINTORAL_MODBUS_TEST_SERVER, std::to_string(port_)}, error)) return false;
  reader_ = std::thread([this] { Read(); });
  std::unique_lock<std::mutex> guard(lock_);
  return changed_.wait_for(guard, std::chrono::seconds(30), [&] {
    for (const std::string& line : lines_)
      if (line == "listening") return true;
    return false;
  });
}

void ModbusTestServer::Stop() {
  if (!process_) return;
  Freeze(false);
  process_->Stop(3000);
  if (reader_.joinable()) reader_.join();
  process_->Close();
  process_.reset();
}

void ModbusTestServer::Kill() {
  if (!process_) return;
  kill(process_->Pid(), SIGKILL);
  Stop();
}

void ModbusTestServer::Freeze(bool frozen) {
  if (process_) kill(process_->Pid(), frozen ? SIGSTOP : SIGCONT);
}

void ModbusTestServer::Command(const std::string& line) {
  if (process_) process_->Write(line + "\n");
}

void ModbusTestServer::Set(const std::string& area, int address, const std::vector<int>& values) {
  std::string line = "set " + area + " " + std::to_string(address);
  for (int value : values) line += " " + std::to_string(value);
  Command(line);
}

void ModbusTestServer::CountUp(const std::string& area, int address, int count, int hz) {
  Command("count " + area + " " + std::to_string(address) + " " + std::to_string(count) + " " + std::to_string(hz));
}

// Sends the line and waits for the next line that starts with `prefix`.
std::string ModbusTestServer::Answer(const std::string& line, const std::string& prefix) {
  std::unique_lock<std::mutex> guard(lock_);
  const std::size_t seen = lines_.size();
  guard.unlock();
  Command(line);
  guard.lock();
  std::string answer;
  changed_.wait_for(guard, std::chrono::seconds(5), [&] {
    for (std::size_t i = seen; i < lines_.size(); ++i)
      if (lines_[i].rfind(prefix, 0) == 0) {
        answer = lines_[i].substr(prefix.size());
        return true;
      }
    return false;
  });
  return answer;
}

std::vector<int> ModbusTestServer::Get(const std::string& area, int address, int count) {
  const std::string head = area + " " + std::to_string(address);
  std::istringstream values(Answer("get " + head + " " + std::to_string(count), "got " + head));
  std::vector<int> result;
  for (int value; values >> value;) result.push_back(value);
  return result;
}

void ModbusTestServer::Read() {
  std::string line;
  while (process_->ReadLine(line)) {
    std::lock_guard<std::mutex> guard(lock_);
    lines_.push_back(line);
    changed_.notify_all();
  }
}

}  // namespace tintoral::test
