#include "tests/e2e/support/AccessibilityBus.h"

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <thread>
#include <vector>

namespace tintoral::e2e {
namespace {

using Clock = std::chrono::steady_clock;

// Where Debian's at-spi2-core lets the session bus start the accessibility bus.
constexpr char kLauncherService[] = "/usr/share/dbus-1/services/org.a11y.Bus.service";

bool Succeeds(const std::vector<std::string>& argv, const Environment& environment) {
  return RunCommand(argv, environment, std::chrono::seconds(20)).status == 0;
}

bool PythonHasAtspi() {
  return ProgramExists(AccessibilityBus::kPython) &&
         Succeeds({AccessibilityBus::kPython, "-c", "import pyatspi"}, Environment{});
}

// Reaps the group's processes (this process is their subreaper); what has
// not ended after a while is killed.
void ReapGroup(pid_t group) {
  const auto deadline = Clock::now() + std::chrono::seconds(2);
  while (Clock::now() < deadline) {
    const pid_t reaped = waitpid(-group, nullptr, WNOHANG);
    if (reaped < 0) return;  // none left
    if (reaped == 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(-group, SIGKILL);
  while (waitpid(-group, nullptr, 0) > 0) {
  }
}

}  // namespace

std::string AccessibilityBus::MissingPackages() {
  std::string missing;
  const auto need = [&](bool present, const char* package) {
    if (!present) missing += (missing.empty() ? "" : ", ") + std::string(package);
  };
  need(ProgramExists("dbus-daemon") && ProgramExists("dbus-send"), "dbus");
  need(ProgramExists("setsid"), "util-linux");
  need(access(kLauncherService, R_OK) == 0, "at-spi2-core");
  need(PythonHasAtspi(), "python3-pyatspi");
  return missing;
}

AccessibilityBus::AccessibilityBus() {
  // The bus starts the launcher through a helper that leaves it orphaned:
  // adopted here, it can be reaped.
  prctl(PR_SET_CHILD_SUBREAPER, 1);
  std::string folder = (std::filesystem::temp_directory_path() / "tintoral-bus-XXXXXX").string();
  if (!mkdtemp(folder.data())) throw std::runtime_error("Cannot create a folder for the session bus");
  folder_ = folder;
  try {
    // setsid: a new process group for the bus and everything it starts.
    // No display: the registry would watch the keyboard of whatever display
    // it found (and fails on an empty DISPLAY).
    daemon_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"env", "-u", "DISPLAY", "setsid", "dbus-daemon", "--session", "--nofork",
                                 "--address=unix:path=" + folder_ + "/bus"},
        Environment{"XDG_RUNTIME_DIR=" + folder_});
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (!Succeeds({"dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus", "/org/freedesktop/DBus",
                      "org.freedesktop.DBus.GetId"},
                     ClientEnvironment())) {
      if (Clock::now() > deadline) throw std::runtime_error("The session bus did not start");
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    // What a screen reader does at its start: starts the accessibility bus.
    if (!Succeeds({"dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
                   "org.freedesktop.DBus.Properties.Set", "string:org.a11y.Status", "string:IsEnabled",
                   "variant:boolean:true"},
                  ClientEnvironment()))
      throw std::runtime_error("Assistive technology could not be switched on");
  } catch (...) {
    Stop();
    throw;
  }
}

AccessibilityBus::~AccessibilityBus() { Stop(); }

void AccessibilityBus::Stop() {
  if (daemon_) {
    const pid_t group = daemon_->Pid();  // env and setsid ran the bus in their place, as the group's leader
    kill(-group, SIGTERM);
    daemon_->Stop();
    ReapGroup(group);
    daemon_.reset();
  }
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

Environment AccessibilityBus::ClientEnvironment() const {
  return {"DBUS_SESSION_BUS_ADDRESS=unix:path=" + folder_ + "/bus", "XDG_RUNTIME_DIR=" + folder_};
}

}  // namespace tintoral::e2e
