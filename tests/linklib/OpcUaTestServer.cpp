#include "OpcUaTestServer.h"

#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace tintoral::test {
namespace {

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace

// The kernel's pick for a bound socket.
int FreePort() {
  const int probe = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  int port = 0;
  if (bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) == 0)
    port = ntohs(address.sin_port);
  close(probe);
  return port;
}

std::vector<std::string> ListeningAddresses(int port) {
  constexpr const char* kListening = "0A";
  std::vector<std::string> addresses;
  for (const char* table : {"/proc/net/tcp", "/proc/net/tcp6"}) {
    std::ifstream lines(table);
    std::string line;
    std::getline(lines, line);  // the heading
    while (std::getline(lines, line)) {
      std::istringstream fields(line);
      std::string slot, local, remote, state;
      fields >> slot >> local >> remote >> state;
      const std::size_t colon = local.rfind(':');
      if (state == kListening && colon != std::string::npos && std::stoi(local.substr(colon + 1), nullptr, 16) == port)
        addresses.push_back(local.substr(0, colon));
    }
  }
  return addresses;
}

std::string OpcUaSkipReason() {
  if (std::system("node --version >/dev/null 2>&1") != 0)
    return "no node program on PATH (scripts/setup.sh --opcua installs it)";
  if (!std::filesystem::exists(std::filesystem::path(TINTORAL_OPCUA_HELPER_DIR) / "node_modules" / "node-opcua"))
    return "node-opcua is not installed in linklib/opcua/helper (scripts/setup.sh --opcua runs npm ci)";
  return "";
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    QCoreApplication::processEvents();
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

OpcUaTestServer::OpcUaTestServer(std::string script, std::string readyLine, std::vector<std::string> arguments)
    : script_(std::move(script)),
      readyLine_(std::move(readyLine)),
      arguments_(std::move(arguments)),
      port_(FreePort()) {}

std::string OpcUaTestServer::PkiFolder() {
  return (std::filesystem::temp_directory_path() / ("tintoral-opcua-test-pki-" + std::to_string(getuid()))).string();
}

OpcUaTestServer::~OpcUaTestServer() { Stop(); }

bool OpcUaTestServer::Start() {
  Stop();
  {
    std::lock_guard<std::mutex> guard(lock_);
    lines_.clear();
  }
  process_ = std::make_unique<opcua::HelperProcess>();
  std::vector<std::string> arguments = {script_, std::to_string(port_), PkiFolder()};
  arguments.insert(arguments.end(), arguments_.begin(), arguments_.end());
  std::string error;
  if (!process_->Start("node", arguments, error)) return false;
  reader_ = std::thread([this] { Read(); });
  return WaitForLine(readyLine_, std::chrono::seconds(60));
}

void OpcUaTestServer::Stop() {
  if (!process_) return;
  process_->Stop(5000);
  if (reader_.joinable()) reader_.join();
  process_->Close();
  process_.reset();
}

void OpcUaTestServer::Command(const std::string& line) {
  if (process_) process_->Write(line + "\n");
}

void OpcUaTestServer::Freeze(bool frozen) {
  if (process_) kill(process_->Pid(), frozen ? SIGSTOP : SIGCONT);
}

void OpcUaTestServer::Kill() {
  if (!process_) return;
  kill(process_->Pid(), SIGKILL);
  Stop();
}

std::vector<std::string> OpcUaTestServer::Lines(const std::string& prefix) const {
  std::lock_guard<std::mutex> guard(lock_);
  std::vector<std::string> found;
  for (const std::string& line : lines_)
    if (StartsWith(line, prefix)) found.push_back(line);
  return found;
}

bool OpcUaTestServer::WaitForLine(const std::string& prefix, std::chrono::milliseconds timeout) const {
  std::unique_lock<std::mutex> guard(lock_);
  return changed_.wait_for(guard, timeout, [&] {
    for (const std::string& line : lines_)
      if (StartsWith(line, prefix)) return true;
    return false;
  });
}

void OpcUaTestServer::Read() {
  std::string line;
  while (process_->ReadLine(line)) {
    std::lock_guard<std::mutex> guard(lock_);
    lines_.push_back(line);
    changed_.notify_all();
  }
}

}  // namespace tintoral::test
