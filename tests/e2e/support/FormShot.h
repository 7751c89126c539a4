#pragma once
// Golden pictures of the program's main window: the formshot tool renders the
// window's layout off-screen, as the program builds it, with the sliders at
// the given positions (each set through its setter, so the window's handlers
// run as they do when the user moves a slider).
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/support/Process.h"

namespace tintoral {
class TBitmap;
}

namespace tintoral::e2e {

// A slider and the position to render it at.
struct SliderPosition {
  std::string slider;  // "CursorRojo"
  double position = 0;
};

class FormShot {
 public:
  // `program`: path of formshot; `layout`: the form file; `locale`: the
  // locale whose decimal separator the numbers use (none: the environment's).
  FormShot(std::string program, std::string layout, std::optional<std::string> locale, Environment environment);

  // Renders the window's client area; throws std::runtime_error when
  // formshot fails.
  void Render(const std::vector<SliderPosition>& positions, TBitmap& into) const;

 private:
  std::string program_;
  std::string layout_;
  std::optional<std::string> locale_;
  Environment environment_;
};

}  // namespace tintoral::e2e
