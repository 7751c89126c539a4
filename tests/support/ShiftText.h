#pragma once
// A shift state as the tests' event logs write it: "Shift+Ctrl", "-" for none.
#include <string>

#include "platform/window/KeyCodes.h"

namespace tintoral::test {

inline std::string ShiftText(TShiftState s) {
  std::string text;
  const char* names[] = {"Shift", "Alt", "Ctrl", "Left", "Right", "Middle", "Double"};
  for (int i = 0; i <= ssDouble; ++i)
    if (s.Contains(static_cast<TShiftStateElement>(i))) text += std::string(text.empty() ? "" : "+") + names[i];
  return text.empty() ? "-" : text;
}

}  // namespace tintoral::test
