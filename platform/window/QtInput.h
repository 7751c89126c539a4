#pragma once
// Translation of Qt input into the window layer's vocabulary
// (platform-internal).
#include <QString>
#include <Qt>
#include <cstdint>
#include <string>

#include "platform/window/KeyCodes.h"

namespace tintoral {

// The virtual-key code of a Qt key (0 when it has none). `keypad` marks keys
// of the numeric keypad.
std::uint16_t VirtualKeyFromQt(int qtKey, bool keypad);
// Shift, Ctrl and Alt from the modifiers; ssLeft, ssRight, ssMiddle from the buttons.
TShiftState ShiftStateFromQt(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);
// False for buttons other than left, right and middle.
bool MouseButtonFromQt(Qt::MouseButton qtButton, TMouseButton& button);
// The Windows-1252 bytes of a key's text; characters without a byte are dropped.
std::string KeyTextToWindows1252(const QString& text);

}  // namespace tintoral
