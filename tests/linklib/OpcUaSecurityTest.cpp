// The OPC UA link's secure connections, against a node-opcua server that
// offers Sign and SignAndEncrypt (Basic256Sha256) to one user name: every
// security setting of the credentials file, and every refusal as a clear
// state of the server connection and status of its items, never a hang.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "OpcUaTestServer.h"
#include "RecordingLink.h"

namespace tintoral::test {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// An environment variable for the helpers that a test starts.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const std::string& value) : name_(name) { setenv(name, value.c_str(), 1); }
  ~ScopedVariable() { unsetenv(name_); }

 private:
  const char* name_;
};

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class OpcUaSecurityTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string reason = OpcUaSkipReason();
    if (!reason.empty()) GTEST_SKIP() << reason;
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    ASSERT_TRUE(server_.Start());
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string WriteCredentials(const std::string& json, fs::perms permissions) {
    const fs::path file = folder_ / "credentials.json";
    std::ofstream(file) << json;
    fs::permissions(file, permissions);
    return file.string();
  }
  std::string ClientPki() const { return (folder_ / "pki").string(); }

  const fs::path folder_ = fs::temp_directory_path() / ("tintoral-opcua-security-" + std::to_string(getpid()));
  OpcUaTestServer server_{TINTORAL_OPCUA_TEST_SERVER, "listening", {"secure"}};
};

constexpr fs::perms kPrivate = fs::perms::owner_read | fs::perms::owner_write;

TEST_F(OpcUaSecurityTest, EachModeAndEachRefusalShowsOnItsConnection) {
  const fs::path trusted = fs::path(ClientPki()) / "trusted" / "certs";
  fs::create_directories(trusted);
  fs::copy_file(OpcUaTestServer::PkiFolder() + "/secure-server/own/certs/certificate.pem", trusted / "server.pem");
  const std::string base = server_.Endpoint() + "/";
  const std::string user = R"("userName": "operator", "password": "s3cret")";
  const ScopedVariable credentials(
      "TINTORAL_OPCUA_CREDENTIALS",
      WriteCredentials(
          "{\"" + base + "sign\": {\"securityMode\": \"Sign\", " + user + "},\n\"" + base +
              "encrypt\": {\"securityMode\": \"SignAndEncrypt\", \"securityPolicy\": \"Basic256Sha256\", " + user +
              "},\n\"" + base +
              "wrong\": {\"securityMode\": \"Sign\", \"userName\": \"operator\", \"password\": \"guess\"},\n\"" + base +
              "anonymous\": {\"securityMode\": \"SignAndEncrypt\"},\n\"" + base + "none\": {}}",
          kPrivate));
  const ScopedVariable pki("TINTORAL_OPCUA_PKI", ClientPki());
  struct Case {
    const char* path;
    IOPCConnectionState state;
    const char* text;
  };
  const Case cases[] = {
      {"sign", IOPC_CONNECTION_CONNECTED, "Sign Basic256Sha256, user operator"},
      {"encrypt", IOPC_CONNECTION_CONNECTED, "SignAndEncrypt Basic256Sha256, user operator"},
      {"wrong", IOPC_CONNECTION_REFUSED, "user name or password refused"},
      {"anonymous", IOPC_CONNECTION_REFUSED, "the server wants a user name and password"},
      {"none", IOPC_CONNECTION_REFUSED, "security mode None (policy None) is not offered by the server"},
  };
  RecordingLink link;
  std::vector<std::int32_t> handles;
  for (const Case& c : cases) handles.push_back(link.Add(base + c.path, "Double"));
  const auto settled = [&] {
    for (const Case& c : cases)
      if (link.State(base + c.path) == IOPC_CONNECTION_CONNECTING) return false;
    return true;
  };
  ASSERT_TRUE(WaitUntil(settled, 60s));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].path);
    std::string text;
    EXPECT_EQ(link.State(base + cases[i].path, &text), cases[i].state);
    EXPECT_TRUE(Contains(text, cases[i].text)) << text;
    const bool connected = cases[i].state == IOPC_CONNECTION_CONNECTED;
    EXPECT_TRUE(WaitUntil(
        [&] {
          const auto deliveries = link.Deliveries(handles[i]);
          return !deliveries.empty() && (deliveries.back().quality == 0xC0) == connected;
        },
        10s));
    EXPECT_EQ(link.Link().Status(handles[i]), connected ? "" : "connection refused: " + text);
  }
  link.Link().Send(handles[1], IOPCVariant{IOPC_VT_DOUBLE, {.doubleValue = 2.5}});
  EXPECT_TRUE(server_.WaitForLine("written Double 2.5", 10s)) << "a write on the encrypted channel";
}

// The operator's way: each refusal says what to do, and once it is done the
// link connects by itself.
TEST_F(OpcUaSecurityTest, AnOpenCredentialsFileAndAnUnknownCertificateAreRefusedUntilPutRight) {
  const std::string file =
      WriteCredentials(R"({"*": {"securityMode": "SignAndEncrypt", "userName": "operator", "password": "s3cret"}})",
                       kPrivate | fs::perms::group_read | fs::perms::others_read);
  const ScopedVariable credentials("TINTORAL_OPCUA_CREDENTIALS", file);
  const ScopedVariable pki("TINTORAL_OPCUA_PKI", ClientPki());
  RecordingLink link;
  const std::int32_t handle = link.Add(server_.Endpoint(), "Double");
  std::string text;
  ASSERT_TRUE(WaitUntil([&] { return link.State(server_.Endpoint(), &text) == IOPC_CONNECTION_REFUSED; }, 60s));
  EXPECT_EQ(text,
            "the credentials file " + file + " is open to other users (mode 0644): make it private with chmod 600");
  EXPECT_EQ(link.Link().Status(handle), "connection refused: " + text);

  fs::permissions(file, kPrivate);
  ASSERT_TRUE(WaitUntil(
      [&] { return link.State(server_.Endpoint(), &text) == IOPC_CONNECTION_REFUSED && Contains(text, " move "); },
      60s))
      << text;
  const std::size_t move = text.find(" move ") + 6;
  const std::size_t into = text.find(" into ", move);
  ASSERT_NE(into, std::string::npos) << text;
  const fs::path certificate = text.substr(move, into - move);
  const fs::path trusted = text.substr(into + 6);
  EXPECT_EQ(trusted, fs::path(ClientPki()) / "trusted" / "certs");
  fs::rename(certificate, trusted / certificate.filename());
  EXPECT_TRUE(WaitUntil([&] { return link.State(server_.Endpoint()) == IOPC_CONNECTION_CONNECTED; }, 60s));
  EXPECT_TRUE(WaitUntil(
      [&] {
        const auto deliveries = link.Deliveries(handle);
        return !deliveries.empty() && deliveries.back().quality == 0xC0;
      },
      10s));
}

}  // namespace
}  // namespace tintoral::test
