#pragma once
// Helpers of the slider tests: a slider set up like the main window's
// (65 x 177, range 0..100, the tick label font of the layout), its paint
// into a bitmap, and a recorder of its position events.
#include <sstream>
#include <string>
#include <vector>

#include "instruments/Slider.h"
#include "tests/platform/graphics/CanvasTestSupport.h"

namespace tintoral::test {

inline void SetUpAsMainWindowSlider(TiSlider& slider, TColor color = clRed) {
  slider.SetBounds(0, 0, 65, 177);
  slider.SetPositionMax(100.0);
  slider.SetTrackColor(color);
  slider.SetPointerIndicatorActiveColor(color);
  TFont font;
  font.SetName("MS Sans Serif");
  font.SetHeight(-11);
  font.SetColor(clWindowText);
  slider.SetTickLabelFont(font);
}

// PaintTo on a fresh bitmap of the slider's size (classic system colours).
struct SliderPicture : Surface {
  explicit SliderPicture(TiSlider& slider) : Surface(slider.Width(), slider.Height(), clFuchsia) {
    slider.PaintTo(canvas);
  }
};

// Every position event of the slider, with the position it reports.
struct PositionEvents {
  std::vector<std::string> log;

  void Record(TiSlider& slider) {
    auto note = [this, &slider](const char* name) {
      return [this, &slider, name](TObject*) {
        std::ostringstream entry;
        entry << name << ' ' << slider.Position();
        log.push_back(entry.str());
      };
    };
    slider.SetOnPositionChange(note("Change"));
    slider.SetOnPositionChangeUser(note("User"));
    slider.SetOnPositionChangeFinished(note("Finished"));
  }
  std::vector<std::string> Take() {
    std::vector<std::string> taken;
    taken.swap(log);
    return taken;
  }
};

}  // namespace tintoral::test
