#include <gtest/gtest.h>

#include "platform/window/Label.h"
#include "platform/window/StandardPainting.h"
#include "runtime/ClassBuilder.h"
#include "runtime/ClassRegistry.h"
#include "runtime/FormWriter.h"
#include "tests/platform/graphics/CanvasTestSupport.h"
#include "tests/platform/graphics/TextPixels.h"
#include "tests/platform/window/StandardControlsTestSupport.h"

namespace tintoral {
namespace {

using test::CheckFill;
using test::Surface;

constexpr TColor kPaper = 0x123456;

struct LabelPaint : ::testing::Test {
  TFont font;
  LabelLook look;
  LabelPaint() {
    font.SetColor(clBlack);
    look.font = &font;
    look.caption = "Luminancia";
    look.color = clYellow;
  }
};

TEST_F(LabelPaint, OpaqueLabelFillsItsColourAndTransparentOneDoesNot) {
  Surface opaque(100, 30, kPaper);
  PaintLabel(opaque.canvas, {0, 0, 100, 30}, look);
  EXPECT_EQ(opaque.PixelsOf(kPaper), test::PixelSet{});
  EXPECT_GT(testing::RegionOf(opaque.bitmap, clYellow).count, 0);

  look.transparent = true;
  Surface clear(100, 30, kPaper);
  PaintLabel(clear.canvas, {0, 0, 100, 30}, look);
  EXPECT_EQ(testing::RegionOf(clear.bitmap, clYellow).count, 0);
  EXPECT_GT(testing::RegionOf(clear.bitmap, clBlack).count, 0);
}

TEST_F(LabelPaint, AlignmentAndLayoutPlaceTheText) {
  const TRect area{0, 0, 200, 60};
  const auto bounds = [&](TAlignment alignment, TTextLayout layout) {
    look.alignment = alignment;
    look.layout = layout;
    Surface s(200, 60, kPaper);
    PaintLabel(s.canvas, area, look);
    return testing::RegionOf(s.bitmap, clBlack).bounds;
  };
  const TRect topLeft = bounds(taLeftJustify, tlTop);
  EXPECT_LE(topLeft.Left, 2);
  EXPECT_LE(topLeft.Top, 4);
  const TRect right = bounds(taRightJustify, tlTop);
  EXPECT_GE(right.Right, 197);
  const TRect centred = bounds(taCenter, tlCenter);
  EXPECT_LE(std::abs(centred.Left - (200 - centred.Right)), 2);
  EXPECT_LE(std::abs(centred.Top - (60 - centred.Bottom)), 4);
  const TRect bottom = bounds(taLeftJustify, tlBottom);
  EXPECT_GE(bottom.Bottom, 56);
}

TEST_F(LabelPaint, AccelCharIsHiddenOrShown) {
  look.caption = "&&";
  Surface prefix(60, 20, kPaper);
  PaintLabel(prefix.canvas, {0, 0, 60, 20}, look);
  look.showAccelChar = false;
  Surface plain(60, 20, kPaper);
  PaintLabel(plain.canvas, {0, 0, 60, 20}, look);
  // "&&" shows one ampersand with the prefix rule and two without it.
  const TRect one = testing::RegionOf(prefix.bitmap, clBlack).bounds;
  const TRect two = testing::RegionOf(plain.bitmap, clBlack).bounds;
  EXPECT_GT(two.Width(), one.Width() * 3 / 2);
}

TEST_F(LabelPaint, MeasureGivesTheTextSizeAndASpaceForEmptyText) {
  const TSize size = MeasureLabel(look, 0);
  TBitmap probe(1, 1);
  probe.Canvas().Font().Assign(font);
  EXPECT_EQ(size.Width, probe.Canvas().TextWidth("Luminancia"));
  EXPECT_EQ(size.Height, probe.Canvas().TextHeight("Luminancia"));
  look.caption = "";
  const TSize empty = MeasureLabel(look, 0);
  EXPECT_EQ(empty.Width, probe.Canvas().TextWidth(" "));
  EXPECT_EQ(empty.Height, size.Height);

  look.caption = "uno dos tres cuatro cinco";
  look.wordWrap = true;
  const TSize wrapped = MeasureLabel(look, 40);
  EXPECT_EQ(wrapped.Width, 40);
  EXPECT_GE(wrapped.Height, 3 * size.Height);
}

TEST_F(LabelPaint, DisabledTextIsEmbossed) {
  look.enabled = false;
  look.transparent = true;
  Surface s(100, 30, kPaper);
  PaintLabel(s.canvas, {0, 0, 100, 30}, look);
  EXPECT_EQ(testing::RegionOf(s.bitmap, clBlack).count, 0);
  EXPECT_GT(testing::RegionOf(s.bitmap, 0x808080).count, 0);
  EXPECT_GT(testing::RegionOf(s.bitmap, 0xFFFFFF).count, 0);
}

// A label that records every size it is given and whether it was loading.
class TRecordingLabel : public TLabel {
  TINTORAL_CLASS(TRecordingLabel, TLabel)

 public:
  explicit TRecordingLabel(TComponent* owner) : TLabel(owner) {}
  struct Sizing {
    bool loading;
    int width, height;
  };
  std::vector<Sizing> sizings;

  void SetBounds(int left, int top, int width, int height) override {
    if (width != Width() || height != Height()) sizings.push_back({IsLoading(), width, height});
    TLabel::SetBounds(left, top, width, height);
  }
};

const TClassInfo& TRecordingLabel::StaticClass() {
  static const TClassInfo info("TRecordingLabel", &TLabel::StaticClass());
  return info;
}

constexpr char kLabelForm[] = R"(object Form1: TForm
  Width = 300
  Height = 200
  object Label1: TRecordingLabel
    Left = 16
    Top = 16
    Width = 5
    Height = 13
    Caption = 'Luminancia (Y):'
    Font.Height = -16
    Font.Style = [fsBold]
    ParentFont = False
  end
  object Label2: TRecordingLabel
    Left = 100
    Top = 16
    Width = 5
    Height = 13
    AutoSize = False
    Caption = 'Luminancia (Y):'
  end
end
)";

TEST(LabelTest, SizesItselfAfterLoadingButNotWhileLoading) {
  RegisterComponentClass<TRecordingLabel>();
  auto form = test::ReadForm(kLabelForm);
  auto* sized = form->FindComponentAs<TRecordingLabel>("Label1");
  auto* fixed = form->FindComponentAs<TRecordingLabel>("Label2");
  ASSERT_TRUE(sized && fixed);

  // Only the stream's own size while loading, then one automatic sizing.
  // While loading only the stream's Width and Height arrive; one automatic sizing follows.
  ASSERT_EQ(sized->sizings.size(), 3u);
  EXPECT_TRUE(sized->sizings[0].loading && sized->sizings[0].width == 5);
  EXPECT_TRUE(sized->sizings[1].loading && sized->sizings[1].height == 13);
  EXPECT_FALSE(sized->sizings[2].loading);
  TBitmap probe(1, 1);
  probe.Canvas().Font().Assign(sized->Font());
  EXPECT_EQ(sized->Width(), probe.Canvas().TextWidth("Luminancia (Y):"));
  EXPECT_EQ(sized->Height(), probe.Canvas().TextHeight("L"));

  EXPECT_EQ(fixed->Width(), 5);
  EXPECT_EQ(fixed->Height(), 13);
  EXPECT_EQ(fixed->sizings.size(), 2u);
  UnregisterComponentClass(TRecordingLabel::StaticClass());
}

TEST(LabelTest, FollowsCaptionFontAndAlignmentChanges) {
  TLabel label(nullptr);
  label.SetBounds(100, 10, 65, 17);
  label.SetCaption("R:");
  const int narrow = label.Width();
  label.SetCaption("Luminancia");
  EXPECT_GT(label.Width(), narrow);
  const int height = label.Height();
  label.Font().SetHeight(-19);
  EXPECT_GT(label.Height(), height);

  label.SetAlignment(taRightJustify);
  const int right = label.Left() + label.Width();
  label.SetCaption("B");
  EXPECT_EQ(label.Left() + label.Width(), right);  // keeps its right edge

  label.SetAutoSize(false);
  label.SetCaption("Luminancia (Y): mucho mas largo");
  EXPECT_EQ(label.Left() + label.Width(), right);
}

TEST(LabelTest, PaintsItsColourAndTextOnTheParent) {
  auto form = test::ReadForm(R"(object Form1: TForm
  Width = 300
  Height = 200
  Color = clMaroon
  object Label4: TLabel
    Left = 24
    Top = 9
    Caption = 'R-Y:'
    Color = clBlack
    Font.Color = clWhite
    ParentColor = False
    ParentFont = False
  end
  object Label5: TLabel
    Left = 120
    Top = 9
    Caption = 'B-Y:'
    Font.Color = clWhite
    ParentFont = False
    Transparent = True
  end
end
)");
  auto* opaque = form->FindComponentAs<TLabel>("Label4");
  TBitmap image;
  form->RenderTo(image);
  const TRect box = opaque->BoundsRect();
  EXPECT_GT(test::RegionInside(image, box, clBlack).count, 0);
  EXPECT_GT(test::RegionInside(image, box, clWhite).count, 0);
  const TRect clearBox = form->FindComponentAs<TLabel>("Label5")->BoundsRect();
  EXPECT_EQ(test::RegionInside(image, clearBox, clBlack).count, 0);
  EXPECT_GT(test::RegionInside(image, clearBox, clMaroon).count, 0);
  EXPECT_GT(test::RegionInside(image, clearBox, clWhite).count, 0);

  const std::string text = WriteComponentText(*form);
  EXPECT_TRUE(test::HasLine(text, "Transparent = True"));
  EXPECT_TRUE(test::HasLine(text, "Color = clBlack"));
  EXPECT_EQ(text.find("AutoSize"), std::string::npos);
  EXPECT_EQ(text.find("ShowAccelChar"), std::string::npos);
}

}  // namespace
}  // namespace tintoral
