// Faults of the OPC UA link's own plumbing, with real helper processes and
// a real node-opcua server: a helper stopped with SIGSTOP, a certificate
// folder or cache folder that cannot be written, a credentials file that
// cannot be read. Each shows as a clear state of the server connection,
// and the link recovers by itself once the fault is gone. Folders are
// "made unwritable" by a file in their way, which stops root too.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

#include "ChildProcesses.h"
#include "OpcUaTestServer.h"
#include "RecordingLink.h"

namespace tintoral::test {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

struct Case {
  const char* name;
  std::vector<std::pair<const char*, std::string>> environment;  // "{}" stands for the case's folder
  std::function<void(const fs::path& folder)> prepare;           // before the helper starts
  std::function<void()> inject;                                  // once connected
  IOPCConnectionState faultState;
  std::string faultText;  // a part of the connection's text, "{}" for the folder
  std::function<void(const fs::path& folder)> repair;
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

std::string InFolder(std::string text, const fs::path& folder) {
  if (const std::size_t at = text.find("{}"); at != std::string::npos) text.replace(at, 2, folder.string());
  return text;
}

void Block(const fs::path& folder) { std::ofstream(folder / "blocked") << "a file where a folder should be"; }
void Unblock(const fs::path& folder) { fs::remove(folder / "blocked"); }

const Case kCases[] = {
    {"HelperStopped",
     {{"TINTORAL_OPCUA_PKI", "{}/pki"}},
     nullptr,
     [] {
       for (const pid_t helper : HelperPids()) kill(helper, SIGSTOP);
     },
     IOPC_CONNECTION_LOST,
     "the helper process was stopped",
     nullptr},
    {"PkiFolderUnwritable",
     {{"TINTORAL_OPCUA_PKI", "{}/blocked/pki"}},
     Block,
     nullptr,
     IOPC_CONNECTION_REFUSED,
     "cannot write the client's certificate folder {}/blocked/pki (ENOTDIR",
     Unblock},
    {"CacheFolderUnwritable",
     {{"XDG_CACHE_HOME", "{}/blocked/cache"}},
     Block,
     nullptr,
     IOPC_CONNECTION_REFUSED,
     "cannot write the client's certificate folder {}/blocked/cache/tintoral/opcua-pki/client",
     Unblock},
    {"CredentialsUnreadable",
     {{"TINTORAL_OPCUA_PKI", "{}/pki"}, {"TINTORAL_OPCUA_CREDENTIALS", "{}/credentials.json"}},
     [](const fs::path& folder) {
       fs::create_directory(folder / "credentials.json");
       fs::permissions(folder / "credentials.json", fs::perms::owner_all);
     },
     nullptr,
     IOPC_CONNECTION_REFUSED,
     "cannot read the credentials file {}/credentials.json (EISDIR)",
     [](const fs::path& folder) {
       fs::remove(folder / "credentials.json");
       std::ofstream(folder / "credentials.json") << "{}";
       fs::permissions(folder / "credentials.json", fs::perms::owner_read | fs::perms::owner_write);
     }},
};

// One server for every case, started by the first (nullptr when it did not start).
OpcUaTestServer* Server() {
  static OpcUaTestServer server;
  static const bool started = server.Start();
  return started ? &server : nullptr;
}

class OpcUaPlumbingFaultTest : public ::testing::TestWithParam<Case> {
 protected:
  void SetUp() override {
    const std::string reason = OpcUaSkipReason();
    if (!reason.empty()) GTEST_SKIP() << reason;
    server_ = Server();
    ASSERT_NE(server_, nullptr) << "the test server did not start";
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    unsetenv("TINTORAL_OPCUA_PKI");
    for (const auto& [name, value] : GetParam().environment) setenv(name, InFolder(value, folder_).c_str(), 1);
  }
  void TearDown() override {
    for (const auto& [name, value] : GetParam().environment) unsetenv(name);
    fs::remove_all(folder_);
  }

  const fs::path folder_ =
      fs::temp_directory_path() / ("tintoral-opcua-plumbing-" + std::to_string(getpid()) + "-" + GetParam().name);
  OpcUaTestServer* server_ = nullptr;
};

TEST_P(OpcUaPlumbingFaultTest, TheFaultShowsOnTheConnectionAndTheLinkRecoversOnceItIsGone) {
  const Case& c = GetParam();
  if (c.prepare) c.prepare(folder_);
  RecordingLink link;
  const std::int32_t handle = link.Add(server_->Endpoint(), "Double");
  const auto goodValue = [&] {
    const std::vector<Delivery> deliveries = link.Deliveries(handle);
    return link.State(server_->Endpoint()) == IOPC_CONNECTION_CONNECTED && !deliveries.empty() &&
           deliveries.back().quality == 0xC0;
  };
  std::vector<pid_t> faulty;
  if (c.inject) {
    ASSERT_TRUE(WaitUntil(goodValue, 60s)) << "connected before the fault";
    faulty = HelperPids();
    c.inject();
  }

  std::string text;
  const std::string expected = InFolder(c.faultText, folder_);
  EXPECT_TRUE(WaitUntil(
      [&] {
        return link.State(server_->Endpoint(), &text) == c.faultState && text.find(expected) != std::string::npos;
      },
      60s))
      << "state " << link.State(server_->Endpoint()) << ": " << text;
  EXPECT_NE(link.Link().Status(handle).find(expected), std::string::npos) << link.Link().Status(handle);
  EXPECT_TRUE(WaitUntil(
      [&] { return !link.Deliveries(handle).empty() && link.Deliveries(handle).back().quality != 0xC0; }, 10s))
      << "the item's quality turns bad";

  if (c.repair) c.repair(folder_);
  EXPECT_TRUE(WaitUntil(goodValue, 60s)) << "recovered: " << text;
  if (faulty.empty()) return;
  const std::vector<pid_t> now = HelperPids();
  EXPECT_NE(now, faulty) << "a new helper took over";
  for (const pid_t helper : now)
    if (std::find(faulty.begin(), faulty.end(), helper) != faulty.end()) kill(helper, SIGKILL);  // left stopped
}

INSTANTIATE_TEST_SUITE_P(Faults, OpcUaPlumbingFaultTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tintoral::test
