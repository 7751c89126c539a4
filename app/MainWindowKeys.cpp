#include "app/MainWindowKeys.h"

namespace tintoral {

// Ctrl+Plus usually comes with Shift (the plus sign is shifted on most
// layouts), so Shift does not matter with Ctrl; Alt+Ctrl makes other
// characters (AltGr) and is left alone. F1 and F11 count without modifiers.
TMainWindowCommand MainWindowCommandOf(std::uint16_t key, TShiftState shift) {
  const bool ctrl = shift.Contains(ssCtrl) && !shift.Contains(ssAlt);
  const bool plain = !shift.Contains(ssCtrl) && !shift.Contains(ssAlt) && !shift.Contains(ssShift);
  if (ctrl) {
    switch (key) {
      case VK_OEM_PLUS:
      case VK_ADD: return TMainWindowCommand::ZoomIn;
      case VK_OEM_MINUS:
      case VK_SUBTRACT: return TMainWindowCommand::ZoomOut;
      case '0':
      case VK_NUMPAD0: return TMainWindowCommand::ZoomReset;
      case 'S': return TMainWindowCommand::SavePicture;
      case 'C': return TMainWindowCommand::CopyValues;
      default: return TMainWindowCommand::None;
    }
  }
  if (plain && key == VK_F1) return TMainWindowCommand::About;
  if (plain && key == VK_F11) return TMainWindowCommand::FullScreen;
  if (plain && key == VK_F2) return TMainWindowCommand::TestSignals;
  return TMainWindowCommand::None;
}

}  // namespace tintoral
