#include "MqttBroker.h"

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "OpcUaTestServer.h"

namespace tintoral::test {
namespace {

bool Run(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

}  // namespace

std::string MqttSkipReason() {
  if (!Run("command -v mosquitto || test -x /usr/sbin/mosquitto"))
    return "no mosquitto broker (scripts/setup.sh installs it)";
  if (!Run("command -v mosquitto_pub")) return "no mosquitto_pub (scripts/setup.sh installs mosquitto-clients)";
  return "";
}

MqttBroker::MqttBroker(Access access)
    : access_(access),
      port_(FreePort()),
      folder_(std::filesystem::temp_directory_path() /
              ("tintoral-mqtt-" + std::to_string(getpid()) + "-" + std::to_string(port_))) {
  std::filesystem::create_directories(folder_);
  const std::string f = folder_.string() + "/";
  if (access_ == Access::Password)
    Run("mosquitto_passwd -c -b " + Quoted(f + "passwords") + " " + kUser + " " + kPassword);
  if (access_ == Access::Tls) {
    Run("openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj /CN=TestCA -keyout " + Quoted(f + "ca.key") +
        " -out " + Quoted(f + "ca.pem"));
    Run("openssl req -newkey rsa:2048 -nodes -subj /CN=127.0.0.1 -keyout " + Quoted(f + "server.key") + " -out " +
        Quoted(f + "server.csr"));
    std::ofstream(f + "san.ext") << "subjectAltName=IP:127.0.0.1\n";
    Run("openssl x509 -req -days 1 -in " + Quoted(f + "server.csr") + " -CA " + Quoted(f + "ca.pem") + " -CAkey " +
        Quoted(f + "ca.key") + " -CAcreateserial -extfile " + Quoted(f + "san.ext") + " -out " +
        Quoted(f + "server.pem"));
    // Started as root, the broker reads its key as the user it drops to.
    std::filesystem::permissions(folder_ / "server.key", std::filesystem::perms::others_read,
                                 std::filesystem::perm_options::add);
  }
  WriteConfiguration();
}

MqttBroker::~MqttBroker() {
  Stop();
  std::filesystem::remove_all(folder_);
}

void MqttBroker::WriteConfiguration() const {
  std::ofstream configuration(folder_ / "mosquitto.conf");
  // Every QoS 1 message queued for a slow client is kept (the default keeps
  // 1,000 and drops the rest).
  configuration << "listener " << port_ << " 127.0.0.1\npersistence false\nlog_dest none\n"
                << "max_queued_messages 0\n";
  if (access_ == Access::Password)
    configuration << "allow_anonymous false\npassword_file " << (folder_ / "passwords").string() << "\n";
  else configuration << "allow_anonymous true\n";
  if (access_ == Access::Tls)
    configuration << "cafile " << CaCertificate().string() << "\ncertfile " << (folder_ / "server.pem").string()
                  << "\nkeyfile " << (folder_ / "server.key").string() << "\n";
}

bool MqttBroker::Start() {
  Stop();
  process_ = std::make_unique<opcua::HelperProcess>();
  std::string error;
  const std::string program = Run("command -v mosquitto") ? "mosquitto" : "/usr/sbin/mosquitto";
  if (!process_->Start(program, {"-c", (folder_ / "mosquitto.conf").string()}, error)) return false;
  for (int attempt = 0; attempt < 200; ++attempt) {
    if (!ListeningAddresses(port_).empty()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  return false;
}

void MqttBroker::Stop() {
  if (!process_) return;
  Freeze(false);
  kill(process_->Pid(), SIGTERM);
  process_->Stop(3000);
  process_->Close();
  process_.reset();
}

void MqttBroker::Kill() {
  if (!process_) return;
  kill(process_->Pid(), SIGKILL);
  Stop();
}

void MqttBroker::Freeze(bool frozen) {
  if (process_) kill(process_->Pid(), frozen ? SIGSTOP : SIGCONT);
}

bool MqttBroker::Publish(const std::string& topic, const std::string& payload, bool retain) const {
  std::string command = "mosquitto_pub -h 127.0.0.1 -p " + std::to_string(port_) + " -q 1 -t " + Quoted(topic) +
                        " -m " + Quoted(payload) + (retain ? " -r" : "");
  if (access_ == Access::Password) command += std::string(" -u ") + kUser + " -P " + kPassword;
  if (access_ == Access::Tls) command += " --cafile " + Quoted(CaCertificate().string());
  return Run(command);
}

std::string MqttBroker::ServerName() const {
  return std::string(access_ == Access::Tls ? "mqtts" : "mqtt") + "://127.0.0.1:" + std::to_string(port_);
}

}  // namespace tintoral::test
