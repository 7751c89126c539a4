#pragma once
// A private D-Bus session with assistive technology switched on, as a screen
// reader switches it on: a session bus listening in a private folder (which
// is also the XDG_RUNTIME_DIR of what runs on it), on which the
// accessibility bus launcher and, on that bus, the registry start on demand.
// All of them share the bus's process group; this process adopts them as
// their subreaper, and stopping the object ends and reaps the whole group,
// then removes the folder.
#include <memory>
#include <string>

#include "tests/e2e/support/Process.h"

namespace tintoral::e2e {

class AccessibilityBus {
 public:
  // The Debian Python, which the AT-SPI bindings are installed for.
  static constexpr char kPython[] = "/usr/bin/python3";

  // Empty when everything the bus and an AT-SPI client need is installed,
  // else the packages that are missing.
  static std::string MissingPackages();

  // Throws std::runtime_error when the bus or the accessibility bus does not come up.
  AccessibilityBus();
  ~AccessibilityBus();
  AccessibilityBus(const AccessibilityBus&) = delete;
  AccessibilityBus& operator=(const AccessibilityBus&) = delete;

  // The environment entries that put a program on this session.
  Environment ClientEnvironment() const;

 private:
  void Stop();

  std::string folder_;
  std::unique_ptr<ChildProcess> daemon_;
};

}  // namespace tintoral::e2e
