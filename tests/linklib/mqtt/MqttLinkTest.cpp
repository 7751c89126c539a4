// The MQTT link against a mosquitto broker started by the test: values of
// plain and JSON payloads, retained values at subscription, writes to the
// topic or a command topic, user and password from the credentials file,
// TLS with a CA from the trust folder, and a broker killed or frozen.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "LinkFixture.h"
#include "MqttBroker.h"
#include "OpcUaTestServer.h"
#include "linklib/mqtt/MqttLink.h"

namespace tintoral::test {
namespace {

using namespace std::chrono_literals;

// The link with a broker of the given access.
class MqttLinkTest : public LinkFixture {
 protected:
  explicit MqttLinkTest(MqttBroker::Access access = MqttBroker::Access::Anonymous) : broker(access) {}
  void SetUp() override {
    if (const std::string reason = MqttSkipReason(); !reason.empty()) GTEST_SKIP() << reason;
    ASSERT_TRUE(broker.Start());
    link = std::make_unique<mqtt::MqttLink>();
  }
  void TearDown() override {
    LinkFixture::TearDown();
    unsetenv("TINTORAL_OPCUA_CREDENTIALS");
  }
  std::int32_t Add(const std::string& itemName) { return AddItem(broker.ServerName(), itemName); }

  MqttBroker broker;
};

TEST_F(MqttLinkTest, RetainedAndNewMessagesBecomeValuesOfEveryPayloadKind) {
  ASSERT_TRUE(broker.Publish("plant/level", "42.5", true));
  ASSERT_TRUE(broker.Publish("plant/pump", "{\"state\":{\"on\":true,\"rpm\":[1200,1350]}}", true));
  const std::int32_t level = Add("plant/level");
  const std::int32_t on = Add("plant/pump|state.on");
  const std::int32_t rpm = Add("plant/pump|state.rpm.1");
  const std::int32_t message = Add("plant/message");
  WaitFor(level, "42.500000/192");
  WaitFor(on, "true/192");
  WaitFor(rpm, "1350/192");
  ASSERT_TRUE(WaitActive(message));
  EXPECT_EQ(State(), IOPC_CONNECTION_CONNECTED);
  ASSERT_TRUE(broker.Publish("plant/message", "Tank full"));
  WaitFor(message, "'Tank full'/192");
  ASSERT_TRUE(broker.Publish("plant/pump", "{\"state\":{}}"));
  WaitFor(on, "true/4");
  EXPECT_EQ(link->Status(on), "the payload has no field state.on");
  ASSERT_TRUE(broker.Publish("plant/pump", "{\"state\":{\"on\":false}}"));
  WaitFor(on, "false/192");
  EXPECT_EQ(link->Status(on), "");
}

TEST_F(MqttLinkTest, WritesArePublishedToTheTopicOrTheCommandTopic) {
  const std::int32_t setpoint = Add("plant/setpoint");
  const std::int32_t valve = Add("plant/valve|open;set=plant/valve/set");
  const std::int32_t command = Add("plant/valve/set");
  ASSERT_TRUE(WaitActive(setpoint) && WaitActive(valve) && WaitActive(command));
  link->Send(setpoint, Number(61.5));
  WaitFor(setpoint, "61.500000/192");  // the broker hands the link its own message back
  link->Send(valve, Number(1));
  WaitFor(command, "'{\"open\":1}'/192");
  const std::int32_t refused = Add("plant/#");
  WaitFor(refused, "empty/4");
  EXPECT_EQ(link->Status(refused), "bad item name: the topic has a wildcard (+ or #): an item is one value");
}

TEST_F(MqttLinkTest, ALostBrokerMakesItemsInactiveAndSubscriptionsComeBackWithIt) {
  const std::int32_t level = Add("plant/level");
  ASSERT_TRUE(WaitActive(level));
  ASSERT_TRUE(broker.Publish("plant/level", "7"));
  WaitFor(level, "7/192");
  broker.Kill();
  WaitFor(level, "7/24");
  EXPECT_EQ(State(), IOPC_CONNECTION_LOST);
  link->Send(level, Number(3));
  WaitUntil([&] { return link->Status(level) == "write failed: not connected"; }, 5s);
  EXPECT_EQ(link->Status(level), "write failed: not connected");
  ASSERT_TRUE(broker.Start());
  ASSERT_TRUE(WaitActive(level)) << "subscribed again";
  ASSERT_TRUE(broker.Publish("plant/level", "8"));
  WaitFor(level, "8/192");

  broker.Freeze(true);
  WaitFor(level, "8/24");
  std::string text;
  EXPECT_EQ(State(&text), IOPC_CONNECTION_LOST);
  EXPECT_EQ(text, "the broker does not answer");
  broker.Freeze(false);
  ASSERT_TRUE(WaitActive(level));
}

class MqttPasswordTest : public MqttLinkTest {
 protected:
  MqttPasswordTest() : MqttLinkTest(MqttBroker::Access::Password) {}
  void UseCredentials(const std::string& json, int mode) {
    file = std::filesystem::temp_directory_path() / ("tintoral-mqtt-credentials-" + std::to_string(getpid()));
    std::ofstream(file) << json;
    chmod(file.c_str(), static_cast<mode_t>(mode));
    setenv("TINTORAL_OPCUA_CREDENTIALS", file.c_str(), 1);
  }
  void TearDown() override {
    link.reset();
    std::filesystem::remove(file);
    MqttLinkTest::TearDown();
  }
  std::filesystem::path file;
};

TEST_F(MqttPasswordTest, TheUserComesFromThePrivateCredentialsFileAndRefusalsSayWhy) {
  const std::string entry = "{\"" + broker.ServerName() + "\": {\"userName\": \"operator\", \"password\": \"";
  UseCredentials(entry + "s3cret\"}}", 0644);
  const std::int32_t level = Add("plant/level");
  std::string text;
  ASSERT_TRUE(WaitUntil([&] { return State(&text) == IOPC_CONNECTION_REFUSED; }, 5s));
  EXPECT_EQ(text, "the credentials file " + file.string() +
                      " is open to other users (mode 0644): make it private with chmod 600");
  link = std::make_unique<mqtt::MqttLink>();
  UseCredentials(entry + "wrong\"}}", 0600);
  const std::int32_t again = Add("plant/level");
  ASSERT_TRUE(WaitUntil([&] { return State(&text) == IOPC_CONNECTION_REFUSED; }, 5s));
  EXPECT_EQ(text, "user name or password refused for user operator");
  EXPECT_FALSE(link->Active(again));
  link = std::make_unique<mqtt::MqttLink>();
  UseCredentials(entry + "s3cret\"}}", 0600);
  const std::int32_t good = Add("plant/level");
  ASSERT_TRUE(WaitActive(good));
  EXPECT_EQ(State(&text), IOPC_CONNECTION_CONNECTED);
  EXPECT_EQ(text, "as operator");
  (void)level;
}

class MqttTlsTest : public MqttLinkTest {
 protected:
  MqttTlsTest() : MqttLinkTest(MqttBroker::Access::Tls) {}
  void TearDown() override {
    link.reset();
    unsetenv("TINTORAL_OPCUA_PKI");
    std::filesystem::remove_all(pki);
    MqttLinkTest::TearDown();
  }
  std::filesystem::path pki =
      std::filesystem::temp_directory_path() / ("tintoral-mqtt-pki-" + std::to_string(getpid()));
};

TEST_F(MqttTlsTest, TheBrokersCaFromTheTrustFolderIsTrusted) {
  setenv("TINTORAL_OPCUA_PKI", pki.c_str(), 1);
  const std::int32_t untrusted = Add("plant/level");
  std::string text;
  ASSERT_TRUE(WaitUntil([&] { return State(&text) == IOPC_CONNECTION_REFUSED; }, 5s));
  EXPECT_EQ(text, "no CA certificate in " + (pki / "trusted/certs").string() +
                      ": put the broker's CA certificate (PEM) there");
  EXPECT_FALSE(link->Active(untrusted));
  std::filesystem::create_directories(pki / "trusted/certs");
  std::filesystem::copy_file(broker.CaCertificate(), pki / "trusted/certs/broker-ca.pem");
  ASSERT_TRUE(broker.Publish("plant/level", "12", true));
  WaitFor(untrusted, "12/192", 10s);  // at the next attempt, within 5 s
}

}  // namespace
}  // namespace tintoral::test
