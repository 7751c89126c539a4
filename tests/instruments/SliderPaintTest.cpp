// The slider's pixels: the main window's slider at position 50 pixel by
// pixel, the white-background rule, the indicator colours and the focus
// rectangle. The many style combinations are covered by golden images
// (tests/instruments/golden/SliderStyles*).
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "platform/window/Form.h"
#include "platform/window/KeyCodes.h"
#include "tests/instruments/SliderTestSupport.h"

namespace tintoral {
namespace {

using test::AreaPixels;
using test::PixelSet;
using test::SetUpAsMainWindowSlider;
using test::SliderPicture;

constexpr TColor Face = 0xC0C0C0;  // classic button face
constexpr TColor Shadow = 0x808080;
constexpr TColor Highlight = 0xFFFFFF;

class MainWindowSliderPaint : public ::testing::Test {
 protected:
  MainWindowSliderPaint() {
    SetUpAsMainWindowSlider(slider);
    slider.SetPosition(50);
  }
  TiSlider slider{nullptr};
};

TEST_F(MainWindowSliderPaint, TrackEdgesAtPositionFifty) {
  SliderPicture p(slider);
  const struct {
    int x, y;
    TColor color;
    const char* what;
  } pixels[] = {
      {10, 50, clRed, "track fill"},
      {2, 100, Shadow, "outer shadow, left"},
      {10, 5, Shadow, "outer shadow, top"},
      {21, 5, Shadow, "outer shadow starts beyond the fill"},
      {3, 100, Shadow, "inner line, left"},
      {10, 6, Shadow, "inner line, top"},
      {20, 100, Highlight, "highlight, right"},
      {10, 171, Highlight, "highlight, bottom"},
      {20, 5, Highlight, "highlight over the shadow's corner"},
      {19, 100, clSilver, "silver, right"},
      {10, 170, clSilver, "silver, bottom"},
      {1, 100, Face, "background left of the track"},
      {21, 100, Face, "background right of the track"},
      {10, 172, Face, "background below the track"},
  };
  for (const auto& px : pixels) EXPECT_EQ(p.At(px.x, px.y), px.color) << px.what << " at " << px.x << "," << px.y;
}

TEST_F(MainWindowSliderPaint, LedIdleAndWhileTheMouseIsHeld) {
  for (const bool held : {false, true}) {
    if (held) slider.DispatchMouseDown(mbLeft, {ssLeft}, 30, 30);
    SliderPicture p(slider);
    const TColor indicator = held ? clRed : clBlack;
    PixelSet expectedIndicator = AreaPixels(5, 85, 17, 92);
    PixelSet grey;
    for (int y = 86; y <= 92; ++y) grey.insert({5, y});
    for (int x = 5; x < 17; ++x) grey.insert({x, 85});
    for (const auto& g : grey) expectedIndicator.erase(g);
    expectedIndicator.erase({7, 87});
    expectedIndicator.erase({8, 87});

    PixelSet indicatorPixels, greyPixels;
    for (const auto& [x, y] : AreaPixels(4, 84, 19, 94)) {
      if (p.At(x, y) == indicator) indicatorPixels.insert({x, y});
      if (p.At(x, y) == clGray) greyPixels.insert({x, y});
    }
    EXPECT_EQ(indicatorPixels, expectedIndicator) << held;
    EXPECT_EQ(greyPixels, grey) << held;
    EXPECT_EQ(p.At(7, 87), clWhite);
    EXPECT_EQ(p.At(8, 87), clWhite);
    EXPECT_EQ(p.At(9, 87), indicator);
    EXPECT_EQ(p.At(4, 84), Face);
    EXPECT_EQ(p.At(18, 93), Face);
    EXPECT_EQ(p.At(17, 90), Face);
  }
}

TEST_F(MainWindowSliderPaint, ScaleRunsFromRow164ToRow12BesideColumn21) {
  SliderPicture p(slider);
  const TiScalePlacement at = slider.ScalePlacement(slider.Geometry());
  EXPECT_EQ(at.FirstPixel, 164);
  EXPECT_EQ(at.LastPixel, 12);
  EXPECT_EQ(at.EdgePixel, 21);
  EXPECT_EQ(slider.Scale().FirstPixel(), 0);  // painting changes no setting of the scale
  // Major ticks of 0 and 100 from column 21 + 5, seven pixels long.
  for (int y : {164, 12}) {
    EXPECT_EQ(p.At(25, y), Face) << y;
    EXPECT_EQ(p.At(26, y), clBlack) << y;
    EXPECT_EQ(p.At(32, y), clBlack) << y;
    EXPECT_EQ(p.At(33, y), Face) << y;
  }
}

TEST_F(MainWindowSliderPaint, OnlyAWhiteBackgroundTurnsTheInnerLineBlack) {
  const struct {
    TColor background;
    TColor inner;
  } cases[] = {{clWhite, clBlack}, {clBtnFace, Shadow}, {0xFFFFFE, Shadow}};
  for (const auto& c : cases) {
    slider.SetBackGroundColor(c.background);
    SliderPicture p(slider);
    EXPECT_EQ(p.At(10, 6), c.inner) << c.background;
    EXPECT_EQ(p.At(3, 100), c.inner) << c.background;
    EXPECT_EQ(p.At(10, 5), Shadow) << c.background;
  }
}

// The pixel in the middle of the pointer for each style, idle, while a key
// is held and while the mouse is held: only the LED shows a held key.
TEST_F(MainWindowSliderPaint, IndicatorColoursFollowTheGesture) {
  slider.SetPointerIndicatorActiveColor(clLime);
  slider.SetPointerIndicatorInactiveColor(clNavy);
  const struct {
    TiSliderPointerStyle style;
    TColor idle, keyHeld, mouseHeld;
  } cases[] = {
      {ispsLed, clNavy, clLime, clLime}, {ispsLightBar, clNavy, clNavy, clLime}, {ispsBarColor, clNavy, clNavy, clLime},
      {ispsBar, Face, Face, Highlight},  {ispsPointer, Face, Face, Highlight},
  };
  for (const auto& c : cases) {
    slider.SetPointerStyle(c.style);
    const auto middle = [&] {
      SliderPicture p(slider);
      const TRect r = slider.PointerRect();
      return p.At((r.Left + r.Right) / 2 - 1, (r.Top + r.Bottom) / 2);
    };
    EXPECT_EQ(middle(), c.idle) << c.style;
    slider.DispatchKeyDown('A', {});
    EXPECT_EQ(middle(), c.keyHeld) << c.style;
    slider.DispatchKeyUp('A', {});
    slider.DispatchMouseDown(mbLeft, {ssLeft}, 30, 30);
    EXPECT_EQ(middle(), c.mouseHeld) << c.style;
    slider.DispatchMouseUp(mbLeft, {}, 30, 30);
  }
}

TEST_F(MainWindowSliderPaint, ALeftPointingArrowIsLitAlongTheTopAndTheUpperSlantOnly) {
  slider.SetPointerStyle(ispsPointer);
  slider.SetOrientationTickMarks(iosTopLeft);
  SliderPicture p(slider);
  const auto [l, t, r, b] = slider.PointerRect();
  const int mid = (t + b) / 2;
  EXPECT_EQ(p.At(r - 2, t), clWhite);        // top edge
  EXPECT_EQ(p.At(l, mid), clBlack);          // the tip ends the white line
  EXPECT_EQ(p.At(l + 1, mid - 1), clWhite);  // upper slant
  EXPECT_EQ(p.At(l + 2, mid + 2), clBlack);  // lower slant
  EXPECT_EQ(p.At(r, mid), clBlack);          // right edge
  EXPECT_EQ(p.At(r - 2, b), clBlack);        // bottom edge
  EXPECT_EQ(p.At(l - 1, mid), Face);         // nothing beyond the tip
}

TEST(SliderFocusPaint, TheFocusRectangleNeedsFocusAndShowFocusRect) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 200, 200);
  auto* slider = new TiSlider(&form);
  slider->SetParent(&form);
  SetUpAsMainWindowSlider(*slider);
  const auto corner = [&] {
    SliderPicture p(*slider);
    return p.At(0, 0);
  };
  EXPECT_EQ(corner(), Face);  // not focused
  slider->SetFocus();
  EXPECT_EQ(corner(), 0x3F3F3F);  // inverted button face
  slider->SetShowFocusRect(false);
  EXPECT_EQ(corner(), Face);
}

// Geometry inputs at the ends of int are held to the coordinate limit: the
// rectangles stay near the control instead of wrapping round.
TEST(SliderGeometry, ExtremeInputsKeepTheRectanglesNearTheControl) {
  using Setter = void (TiSlider::*)(int);
  const Setter setters[] = {&TiSlider::SetEndsMargin,      &TiSlider::SetPointerHeight,  &TiSlider::SetPointerWidth,
                            &TiSlider::SetOffsetX,         &TiSlider::SetOffsetY,        &TiSlider::SetTickMargin,
                            &TiSlider::SetTickMajorLength, &TiSlider::SetTickLabelMargin};
  const auto near = [](const TRect& r) {
    const long long reach = 8LL * kCoordinateLimit;
    for (long long v : {r.Left, r.Top, r.Right, r.Bottom})
      if (v < -reach || v > reach) return false;
    return true;
  };
  for (const Setter set : setters)
    for (const int value : {INT_MAX, INT_MIN})
      for (const bool autoCenter : {false, true}) {
        TiSlider slider(nullptr);
        SetUpAsMainWindowSlider(slider);
        slider.SetAutoCenter(autoCenter);
        slider.SetPosition(50);
        (slider.*set)(value);
        const test::SliderPicture picture(slider);
        EXPECT_TRUE(near(slider.TrackRect())) << value;
        EXPECT_TRUE(near(slider.PointerRect())) << value;
        EXPECT_GE(slider.PointerOffset(), 0) << value;
        EXPECT_LE(slider.PointerOffset(), std::max(slider.UsableLength(), 0)) << value;
      }
}

}  // namespace
}  // namespace tintoral
