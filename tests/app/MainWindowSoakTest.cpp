// A long random stream of drags, keys and wheel turns on the shown main
// window. After every event each position lies in 0 … 100 and every
// readout, both swatches and the diagram equal what ComputeColorSignals
// gives for the three positions.
//
// TINTORAL_SOAK_EVENTS sets the number of events (default 3000);
// TINTORAL_SOAK_SEED the generator's seed (default 11).
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>

#include "app/ColorSignals.h"
#include "app/MainForm.h"
#include "app/VectorDiagram.h"
#include "instruments/ObjectCanvas.h"
#include "instruments/SevenSegmentAnalog.h"
#include "instruments/SevenSegmentInteger.h"
#include "instruments/Slider.h"
#include "platform/graphics/Bitmap.h"
#include "platform/window/Image.h"
#include "platform/window/KeyCodes.h"
#include "runtime/NumberText.h"
#include "tests/app/AppTestSupport.h"

namespace tintoral {
namespace {

std::uint64_t EnvironmentCount(const char* name, std::uint64_t fallback) {
  const char* text = std::getenv(name);
  return text && *text ? std::strtoull(text, nullptr, 10) : fallback;
}

class MainWindowSoak {
 public:
  explicit MainWindowSoak(std::uint64_t seed) : random_(seed) {
    form_.Show();
    sliders_ = {form_.CursorRojo, form_.CursorVerde, form_.CursorAzul};
    readouts_ = {form_.ValorRojo, form_.ValorVerde, form_.ValorAzul};
  }
  ~MainWindowSoak() { form_.Hide(); }

  // Events after which some position differed from the one before.
  std::uint64_t Moves() const { return moves_; }

  // Runs one gesture (several events for a drag) on a random slider,
  // checking after each event; returns the number of events, 0 on a
  // mismatch (reported through gtest).
  int RunGesture() {
    TiSlider* slider = sliders_[Pick(3)];
    switch (Pick(3)) {
      case 0: return Drag(slider);
      case 1: return Key(slider);
      default: return Wheel(slider);
    }
  }

 private:
  int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }
  // Anywhere on the slider and up to 40 pixels around it.
  int Coordinate(int size) { return std::uniform_int_distribution<int>(-40, size + 40)(random_); }

  int Drag(TiSlider* slider) {
    int events = 0;
    slider->DispatchMouseDown(mbLeft, {ssLeft}, Coordinate(slider->Width()), Coordinate(slider->Height()));
    if (!Check(++events)) return 0;
    for (int moves = 1 + Pick(4); moves > 0; --moves) {
      slider->DispatchMouseMove({ssLeft}, Coordinate(slider->Width()), Coordinate(slider->Height()));
      if (!Check(++events)) return 0;
    }
    slider->DispatchMouseUp(mbLeft, {}, Coordinate(slider->Width()), Coordinate(slider->Height()));
    return Check(++events) ? events : 0;
  }

  int Key(TiSlider* slider) {
    static constexpr std::array<std::uint16_t, 8> kKeys = {VK_UP,    VK_DOWN, VK_LEFT, VK_RIGHT,
                                                           VK_PRIOR, VK_NEXT, VK_HOME, VK_END};
    slider->SetFocus();
    const std::uint16_t key = kKeys[static_cast<std::size_t>(Pick(kKeys.size()))];
    slider->DispatchKeyDown(key, {});
    slider->DispatchKeyUp(key, {});
    return Check(1) ? 1 : 0;
  }

  int Wheel(TiSlider* slider) {
    const int delta = (Pick(2) ? 1 : -1) * 120 * (1 + Pick(3));
    const TPoint centre = slider->ClientToScreen({slider->Width() / 2, slider->Height() / 2});
    slider->DispatchMouseWheel(delta, {}, centre);
    return Check(1) ? 1 : 0;
  }

  bool Check(int event) {
    const double red = form_.CursorRojo->Position(), green = form_.CursorVerde->Position(),
                 blue = form_.CursorAzul->Position();
    const std::array<double, 3> now{red, green, blue};
    moves_ += now != last_;
    last_ = now;
    SCOPED_TRACE(::testing::Message() << "event " << event << " at " << red << ", " << green << ", " << blue);
    for (TiSlider* slider : sliders_) {
      EXPECT_GE(slider->Position(), 0.0) << slider->Name();
      EXPECT_LE(slider->Position(), 100.0) << slider->Name();
    }
    const TColorSignalValues s = ComputeColorSignals(red, green, blue);
    EXPECT_EQ(form_.Panel->BackGroundColor(), s.SwatchColor);
    EXPECT_EQ(form_.PanelY->BackGroundColor(), s.GreySwatchColor);
    EXPECT_EQ(form_.ValorLumi->Value(), s.LumaShown);
    EXPECT_EQ(form_.ValorR_Y->Value(), s.RMinusY);
    EXPECT_EQ(form_.ValorV->Value(), s.V);
    EXPECT_EQ(form_.ValorB_Y->Value(), s.BMinusY);
    EXPECT_EQ(form_.ValorU->Value(), s.U);
    for (std::size_t i = 0; i < sliders_.size(); ++i)
      EXPECT_EQ(readouts_[i]->Value(), RoundHalfAway(sliders_[i]->Position())) << readouts_[i]->Name();
    EXPECT_TRUE(DiagramShows(s));
    return !::testing::Test::HasFailure();
  }

  // The diagram's texts and vector: the bitmap equals a fresh drawing of
  // the expected U and V.
  bool DiagramShows(const TColorSignalValues& s) {
    DrawVectorDiagram(expected_.Canvas(), s.U, s.V);
    const TBitmap& shown = *form_.Vector->Picture().Graphic();
    for (int y = 0; y < kVectorDiagramHeight; ++y)
      for (int x = 0; x < kVectorDiagramWidth; ++x)
        if (shown.Pixel(x, y) != expected_.Pixel(x, y)) return false;
    return true;
  }

  TForm1 form_{nullptr};
  std::mt19937_64 random_;
  std::array<TiSlider*, 3> sliders_{};
  std::array<TiSevenSegmentInteger*, 3> readouts_{};
  TBitmap expected_{kVectorDiagramWidth, kVectorDiagramHeight};
  std::array<double, 3> last_{};
  std::uint64_t moves_ = 0;
};

TEST(MainWindowSoak, EveryEventLeavesTheWindowConsistentWithThePositions) {
  app_testing::RegisterLayoutClasses();
  const std::uint64_t total = EnvironmentCount("TINTORAL_SOAK_EVENTS", 3000);
  MainWindowSoak soak(EnvironmentCount("TINTORAL_SOAK_SEED", 11));
  std::uint64_t events = 0;
  while (events < total) {
    const int ran = soak.RunGesture();
    ASSERT_GT(ran, 0) << "after " << events << " events";
    events += static_cast<std::uint64_t>(ran);
  }
  EXPECT_GT(soak.Moves(), events / 4);  // the stream really moves the sliders
  RecordProperty("events", std::to_string(events));
  RecordProperty("moves", std::to_string(soak.Moves()));
}

}  // namespace
}  // namespace tintoral
