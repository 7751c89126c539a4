#pragma once
// Qt aborts the program when its X11 platform cannot reach the display. A
// program probes the display before it creates its QApplication, to say so
// in one line and exit instead.
//
// The probe's connection stays open for the probe's lifetime: an X server
// that starts afresh when its last client leaves (Xvfb's default) would
// otherwise reset between the probe and Qt's own connection, and Qt's would
// fail. Keep the probe until the QApplication exists (or for the run).
#include <optional>
#include <string>

struct xcb_connection_t;

namespace tintoral {

class TDisplayProbe {
 public:
  // When Qt would open the X11 platform (QT_QPA_PLATFORM empty or "xcb",
  // and no Wayland display given), connects to the display named by
  // DISPLAY.
  TDisplayProbe();
  ~TDisplayProbe();
  TDisplayProbe(const TDisplayProbe&) = delete;
  TDisplayProbe& operator=(const TDisplayProbe&) = delete;

  // A one-line description of the failure; nothing when the display is
  // reachable or another platform is in use.
  const std::optional<std::string>& Problem() const { return problem_; }

 private:
  xcb_connection_t* connection_ = nullptr;
  std::optional<std::string> problem_;
};

}  // namespace tintoral
