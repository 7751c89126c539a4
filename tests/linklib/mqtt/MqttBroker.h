#pragma once
// A mosquitto broker run by a test on 127.0.0.1 on a free port, with a
// configuration made for it: anonymous, with a password file
// (mosquitto_passwd), or TLS with a CA and certificates made by openssl.
// Also publishes as another client would (mosquitto_pub).
#include <filesystem>
#include <memory>
#include <string>

#include "linklib/opcua/HelperProcess.h"

namespace tintoral::test {

// Why the MQTT tests cannot run here ("" when they can).
std::string MqttSkipReason();

class MqttBroker {
 public:
  enum class Access { Anonymous, Password, Tls };
  explicit MqttBroker(Access access = Access::Anonymous);
  ~MqttBroker();

  // Starts the broker (again, on the same port) and waits until it listens.
  bool Start();
  void Stop();
  void Kill();
  void Freeze(bool frozen);

  // Publishes as another client, QoS 1.
  bool Publish(const std::string& topic, const std::string& payload, bool retain = false) const;

  std::string ServerName() const;
  // Password access: the one user.
  static constexpr const char* kUser = "operator";
  static constexpr const char* kPassword = "s3cret";
  // TLS: the CA's certificate, to be put into the trust folder.
  std::filesystem::path CaCertificate() const { return folder_ / "ca.pem"; }

 private:
  void WriteConfiguration() const;

  const Access access_;
  const int port_;
  const std::filesystem::path folder_;
  std::unique_ptr<opcua::HelperProcess> process_;
};

}  // namespace tintoral::test
