// The slider's model: construction, setters, form streams and geometry.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "instruments/InstrumentClasses.h"
#include "platform/window/Form.h"
#include "runtime/ClassBuilder.h"
#include "runtime/FormReader.h"
#include "runtime/FormWriter.h"
#include "tests/instruments/SliderTestSupport.h"

namespace tintoral {
namespace {

using test::SetUpAsMainWindowSlider;
using test::SliderPicture;
using test::Surface;

// ---- Construction and setters ---------------------------------------------------

TEST(SliderModel, ConstructionSetsSizeTabStopAndTheOwnedBitmaps) {
  TiSlider slider(nullptr);
  EXPECT_EQ(slider.BoundsRect(), (TRect{0, 0, 70, 200}));
  EXPECT_TRUE(slider.TabStop());
  EXPECT_EQ(slider.PointerInset(), 2);
  EXPECT_TRUE(slider.PointerBitmap().Transparent());
  EXPECT_EQ(slider.PointerBitmap().TransparentMode(), tmAuto);
  ASSERT_NE(slider.BackGroundPicture(), nullptr);
  EXPECT_EQ(slider.TrackRect(), (TRect{2, 5, 21, 195}));  // from the size alone, before any paint
}

TEST(SliderModel, PointerStyleKeepsTheInsetInStep) {
  TiSlider slider(nullptr);
  for (auto style : {ispsPointer, ispsBar, ispsLightBar, ispsBarColor, ispsBitmap}) {
    slider.SetPointerStyle(style);
    EXPECT_EQ(slider.PointerInset(), 0) << style;
  }
  slider.SetPointerStyle(ispsLed);
  EXPECT_EQ(slider.PointerInset(), 2);
}

TEST(SliderModel, OrientationSwapsTheSizeAtRunTimeThenTellsTheHandler) {
  TiSlider slider(nullptr);
  slider.SetBounds(0, 0, 65, 177);
  std::string seen;
  slider.SetOnOrientationChange(
      [&](TObject*) { seen = std::to_string(slider.Width()) + "x" + std::to_string(slider.Height()); });
  slider.SetOrientation(ioHorizontal);
  EXPECT_EQ(seen, "177x65");
  seen.clear();
  slider.SetOrientation(ioHorizontal);  // unchanged: nothing
  EXPECT_EQ(seen, "");
}

TEST(SliderModel, ThePointerBitmapIsCopiedAndKeepsAutomaticTransparency) {
  TiSlider slider(nullptr);
  TBitmap picture(3, 2);
  picture.SetTransparentColor(clRed);  // fixed mode in the source
  slider.SetPointerBitmap(picture);
  EXPECT_EQ(slider.PointerBitmap().Width(), 3);
  EXPECT_TRUE(slider.PointerBitmap().Transparent());
  EXPECT_EQ(slider.PointerBitmap().TransparentMode(), tmAuto);
}

// ---- Form streams -----------------------------------------------------------------

class SliderStreams : public ::testing::Test {
 protected:
  void SetUp() override { RegisterInstruments(); }
  static std::unique_ptr<TiSlider> Read(const std::string& body) {
    auto* component = ReadComponentText("object S: TiSlider\n" + body + "end\n");
    return std::unique_ptr<TiSlider>(dynamic_cast<TiSlider*>(component));
  }
};

TEST_F(SliderStreams, CompanionsAreWrittenAfterPositionMax2WhateverTheirValues) {
  TiSlider slider(nullptr);
  const std::string text = WriteComponentText(slider);
  const auto max2 = text.find("PositionMax_2 = ");
  const auto arrow2 = text.find("KeyArrowStepSize_2 = ");
  const auto page2 = text.find("KeyPageStepSize_2 = ");
  ASSERT_NE(max2, std::string::npos) << text;
  EXPECT_LT(max2, arrow2) << text;
  EXPECT_LT(arrow2, page2) << text;
  EXPECT_EQ(text.find("KeyArrowStepSize ="), std::string::npos) << "default values are not written\n" << text;
}

TEST_F(SliderStreams, CompanionsAloneRestoreTheSteps) {
  const auto slider = Read("  KeyArrowStepSize_2 = 0.25\n  KeyPageStepSize_2 = 0\n");
  ASSERT_TRUE(slider);
  EXPECT_EQ(slider->KeyArrowStepSize(), 0.25);
  EXPECT_EQ(slider->KeyPageStepSize(), 0.0);
}

TEST_F(SliderStreams, OrientationReadFromAStreamKeepsTheStoredSize) {
  const auto slider = Read("  Width = 177\n  Height = 65\n  Orientation = ioHorizontal\n");
  ASSERT_TRUE(slider);
  EXPECT_EQ(slider->Orientation(), ioHorizontal);
  EXPECT_EQ(slider->Width(), 177);
  EXPECT_EQ(slider->Height(), 65);
}

// The layout of the main window's green slider, with its handler.
class TSliderHostForm : public TForm {
  TINTORAL_CLASS(TSliderHostForm, TForm)

 public:
  TSliderHostForm() : TForm(nullptr) {}
  void CursorVerdePositionChange(TObject*) { ++changes; }
  int changes = 0;
};

const TClassInfo& TSliderHostForm::StaticClass() {
  static const TClassInfo info = DescribeClass<TSliderHostForm>("TSliderHostForm", TForm::StaticClass(), [](auto& b) {
    b.Method("CursorVerdePositionChange", &TSliderHostForm::CursorVerdePositionChange);
  });
  return info;
}

constexpr char MainWindowSliderForm[] = R"(object Host: TSliderHostForm
  object CursorVerde: TiSlider
    Left = 88
    Top = 48
    Width = 65
    Height = 177
    PositionMax = 100.000000000000000000
    CurrentMax = 100.000000000000000000
    OnPositionChange = CursorVerdePositionChange
    PointerIndicatorActiveColor = clGreen
    KeyArrowStepSize = 1.000000000000000000
    KeyPageStepSize = 10.000000000000000000
    MouseWheelStepSize = 1.000000000000000000
    TrackColor = clGreen
    TabOrder = 0
    TickLabelFont.Charset = DEFAULT_CHARSET
    TickLabelFont.Color = clWindowText
    TickLabelFont.Height = -11
    TickLabelFont.Name = 'MS Sans Serif'
    TickLabelFont.Style = []
    PositionMax_2 = 100.000000000000000000
    KeyArrowStepSize_2 = 1.000000000000000000
    KeyPageStepSize_2 = 10.000000000000000000
  end
end
)";

TEST_F(SliderStreams, TheMainWindowSliderReadsAsLaidOut) {
  TSliderHostForm host;
  ReadRootComponentText(MainWindowSliderForm, host);
  auto* slider = dynamic_cast<TiSlider*>(host.FindComponent("CursorVerde"));
  ASSERT_NE(slider, nullptr);
  EXPECT_EQ(slider->BoundsRect(), (TRect{88, 48, 153, 225}));
  EXPECT_EQ(slider->PositionMax(), 100.0);
  EXPECT_EQ(slider->CurrentMax(), 100.0);
  EXPECT_EQ(slider->Position(), 0.0);
  EXPECT_EQ(slider->TrackColor(), clGreen);
  EXPECT_EQ(slider->PointerIndicatorActiveColor(), clGreen);
  EXPECT_EQ(slider->KeyPageStepSize(), 10.0);
  EXPECT_EQ(slider->TickLabelFont().Name(), "MS Sans Serif");
  EXPECT_EQ(slider->TickLabelFont().Height(), -11);
  EXPECT_EQ(slider->TabOrder(), 0);
  EXPECT_EQ(host.changes, 0);  // reading fires nothing
  slider->SetPosition(40);
  EXPECT_EQ(host.changes, 1);
}

// ---- Geometry ---------------------------------------------------------------------

class MainWindowSliderGeometry : public ::testing::Test {
 protected:
  MainWindowSliderGeometry() { SetUpAsMainWindowSlider(slider); }
  void PaintAt(double position) {
    slider.SetPosition(position);
    SliderPicture picture(slider);
  }
  TiSlider slider{nullptr};
};

TEST_F(MainWindowSliderGeometry, TrackAndPointerAtZeroHalfAndFull) {
  EXPECT_EQ(slider.UsableLength(), 153);
  const struct {
    double position;
    TRect pointer;
  } cases[] = {{0, {4, 160, 19, 170}}, {50, {4, 84, 19, 94}}, {100, {4, 7, 19, 17}}};
  for (const auto& c : cases) {
    PaintAt(c.position);
    EXPECT_EQ(slider.TrackRect(), (TRect{2, 5, 21, 172})) << c.position;
    EXPECT_EQ(slider.PointerRect(), c.pointer) << c.position;
  }
}

TEST_F(MainWindowSliderGeometry, PixelToPositionAtAndBeyondBothEnds) {
  const struct {
    int y;
    double position;
  } cases[] = {{165, 0}, {166, 0}, {400, 0}, {12, 100}, {11, 100}, {-50, 100}, {165 - 76, 100 * 76 / 153.0}};
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(slider.PixelToPosition(c.y), c.position) << c.y;
  slider.SetReverseScale(true);
  EXPECT_EQ(slider.PixelToPosition(12), 0);
  EXPECT_EQ(slider.PixelToPosition(165), 100);
}

TEST_F(MainWindowSliderGeometry, ReverseScaleMovesTheMinimumToTheTop) {
  slider.SetReverseScale(true);
  PaintAt(0);
  EXPECT_EQ(slider.PointerRect(), (TRect{4, 7, 19, 17}));
}

TEST_F(MainWindowSliderGeometry, OffsetXAndAutoCenterShiftTowardsTheScaleSide) {
  const struct {
    TiOrientationSide side;
    int offsetX;
    bool autoCenter;
    int trackLeft;
  } cases[] = {
      {iosBottomRight, 10, false, 12},
      {iosTopLeft, 0, false, 44},
      {iosTopLeft, 10, false, 34},
      // Without labels the scale is 5 + 7 deep: (65 - (12 + 19)) div 2 = 17.
      {iosBottomRight, 0, true, 19},
      {iosTopLeft, 0, true, 27},
      {iosBottomRight, 10, true, 29},
  };
  slider.SetShowTickLabels(false);
  for (const auto& c : cases) {
    slider.SetOrientationTickMarks(c.side);
    slider.SetOffsetX(c.offsetX);
    slider.SetOffsetY(99);  // no effect across a vertical track
    slider.SetAutoCenter(c.autoCenter);
    PaintAt(50);
    EXPECT_EQ(slider.TrackRect(), (TRect{c.trackLeft, 5, c.trackLeft + 19, 172}))
        << c.side << c.offsetX << c.autoCenter;
    EXPECT_EQ(slider.PointerRect().Left, c.trackLeft + 2);
  }
}

TEST_F(MainWindowSliderGeometry, AutoCenterCountsTheWidestLabel) {
  slider.SetAutoCenter(true);
  Surface measure(1, 1);
  measure.canvas.Font().Assign(slider.TickLabelFont());
  const int labelWidth = measure.canvas.TextWidth("100");
  PaintAt(0);
  EXPECT_EQ(slider.CenterShiftX(), (65 - (5 + 7 + 5 + labelWidth + 19)) / 2);
  EXPECT_EQ(slider.TrackRect().Left, 2 + slider.CenterShiftX());
}

TEST(SliderGeometry, HorizontalAndShapedPointers) {
  TiSlider slider(nullptr);
  slider.SetOrientation(ioHorizontal);  // 200 x 70
  slider.SetPosition(50);
  SliderPicture{slider};
  EXPECT_EQ(slider.UsableLength(), 176);
  EXPECT_EQ(slider.TrackRect(), (TRect{5, 2, 195, 21}));
  EXPECT_EQ(slider.PointerRect(), (TRect{95, 4, 105, 19}));
  EXPECT_EQ(slider.PixelToPosition(12), 0);
  EXPECT_EQ(slider.PixelToPosition(188), 100);

  slider.SetPointerStyle(ispsPointer);  // overhang 4, side gap 7, no inset
  slider.SetOrientationTickMarks(iosTopLeft);
  SliderPicture{slider};
  EXPECT_EQ(slider.UsableLength(), 180);
  EXPECT_EQ(slider.TrackRect(), (TRect{5, 48, 195, 63}));
  EXPECT_EQ(slider.PointerRect(), (TRect{95, 44, 105, 67}));
}

TEST(SliderGeometry, ASliderTooSmallForItsPointerKeepsItAtTheStart) {
  TiSlider slider(nullptr);
  slider.SetBounds(0, 0, 65, 20);  // 20 - 10 - 10 - 4 < 0
  slider.SetPosition(70);
  EXPECT_LT(slider.UsableLength(), 0);
  EXPECT_EQ(slider.PointerOffset(), 0);
  EXPECT_EQ(slider.PixelToPosition(0), 70);
  EXPECT_EQ(slider.PixelToPosition(19), 70);
}

}  // namespace
}  // namespace tintoral
