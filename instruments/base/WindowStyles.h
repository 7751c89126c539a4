#pragma once
// Extended window-style bits of windowed controls. The window layer has no
// such styles of its own, so the bits are kept here, beside the controls,
// and dropped when a control is destroyed. Nothing in the window layer
// reads them; they record what an instrument asked for.
#include <cstdint>

namespace tintoral {

class TWinControl;

constexpr std::uint32_t WS_EX_TRANSPARENT = 0x20;
constexpr std::uint32_t WS_EX_CONTROLPARENT = 0x10000;

std::uint32_t ExtendedWindowStyle(const TWinControl& control);
void SetExtendedWindowStyle(TWinControl& control, std::uint32_t style);
inline void AddExtendedWindowStyle(TWinControl& control, std::uint32_t bits) {
  SetExtendedWindowStyle(control, ExtendedWindowStyle(control) | bits);
}
inline void RemoveExtendedWindowStyle(TWinControl& control, std::uint32_t bits) {
  SetExtendedWindowStyle(control, ExtendedWindowStyle(control) & ~bits);
}

}  // namespace tintoral
