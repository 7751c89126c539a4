#pragma once
// The keys of the main window that act on the whole window, whichever
// control has the focus: F1 opens the About box (as the question-mark button
// does), Ctrl with Plus, Minus or 0 (main or keypad keys) zooms the window
// in, out or back to 1x, F11 switches full screen, F2 opens the test-signal
// window, Ctrl+S saves a picture of the window and Ctrl+C copies its values.
// The test-signal window takes the same keys.
#include <cstdint>

#include "platform/window/KeyCodes.h"

namespace tintoral {

enum class TMainWindowCommand {
  None,
  About,
  ZoomIn,
  ZoomOut,
  ZoomReset,
  FullScreen,
  TestSignals,
  SavePicture,
  CopyValues
};

TMainWindowCommand MainWindowCommandOf(std::uint16_t key, TShiftState shift);

}  // namespace tintoral
