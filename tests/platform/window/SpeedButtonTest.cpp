#include <gtest/gtest.h>

#include "platform/graphics/GraphicsClasses.h"
#include "platform/window/ButtonPainting.h"
#include "platform/window/SpeedButton.h"
#include "runtime/FormWriter.h"
#include "tests/platform/graphics/CanvasTestSupport.h"
#include "tests/platform/graphics/TextPixels.h"
#include "tests/platform/window/StandardControlsTestSupport.h"

namespace tintoral {
namespace {

using test::AreaPixels;
using test::CheckRing;
using test::PixelSet;
using test::Surface;

constexpr TColor kPaper = 0x123456;
constexpr TColor kGrey = 0x404040;

// Two 16 × 16 images on olive: a red square (enabled) and a grey one
// (disabled), both at 4..11 × 4..11 of their image.
void MakeGlyph(TBitmap& glyph) {
  glyph.SetSize(32, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 32; ++x) {
      const bool square = (x % 16) >= 4 && (x % 16) < 12 && y >= 4 && y < 12;
      glyph.SetPixel(x, y, square ? (x < 16 ? clRed : kGrey) : clOlive);
    }
}

PixelSet Shifted(const PixelSet& set, int dx, int dy) {
  PixelSet result;
  for (const auto& [x, y] : set) result.insert({x + dx, y + dy});
  return result;
}

struct SpeedButtonPaint : ::testing::Test {
  TBitmap glyph;
  SpeedButtonLook look;
  SpeedButtonPaint() {
    MakeGlyph(glyph);
    look.flat = true;
    look.glyph = &glyph;
    look.numGlyphs = 2;
  }
  // Paints a 23 × 22 button, the size of the main window's question mark.
  void Paint(Surface& s) { PaintSpeedButton(s.canvas, {0, 0, 23, 22}, look); }
};

TEST_F(SpeedButtonPaint, FlatGlyphIsCentredAndItsLowerLeftColourTransparent) {
  Surface s(23, 22, kPaper);
  Paint(s);
  // Face 21 × 20 inside the 1-pixel frame place: glyph at (1 + 3, 1 + 2).
  EXPECT_EQ(s.PixelsOf(clRed), AreaPixels(8, 7, 16, 15));
  EXPECT_EQ(s.PixelsOf(clOlive), PixelSet{});
  EXPECT_EQ(s.PixelsNot(kPaper), AreaPixels(8, 7, 16, 15));  // flat and not hovered: no frame
}

TEST_F(SpeedButtonPaint, HoverRaisesAndPressSinksAndShiftsTheGlyph) {
  Surface hover(23, 22, kPaper);
  look.mouseInControl = true;
  Paint(hover);
  EXPECT_EQ(CheckRing(hover.bitmap, {0, 0, 23, 22}, clBtnHighlight, clBtnShadow), "");
  EXPECT_EQ(hover.PixelsOf(clRed), AreaPixels(8, 7, 16, 15));

  Surface down(23, 22, kPaper);
  look.state = bsDown;
  Paint(down);
  EXPECT_EQ(CheckRing(down.bitmap, {0, 0, 23, 22}, clBtnShadow, clBtnHighlight), "");
  EXPECT_EQ(down.PixelsOf(clRed), AreaPixels(9, 8, 17, 16));
}

TEST_F(SpeedButtonPaint, DisabledShowsTheSecondImage) {
  Surface s(23, 22, kPaper);
  look.state = bsDisabled;
  look.mouseInControl = true;  // a disabled button does not light up
  Paint(s);
  EXPECT_EQ(s.PixelsOf(kGrey), AreaPixels(8, 7, 16, 15));
  EXPECT_EQ(s.PixelsNot(kPaper), AreaPixels(8, 7, 16, 15));
}

TEST_F(SpeedButtonPaint, DisabledWithoutSecondImageIsEmbossed) {
  TBitmap single;
  single.SetSize(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) single.SetPixel(x, y, glyph.Pixel(x, y));
  look.glyph = &single;
  look.numGlyphs = 1;
  look.state = bsDisabled;
  Surface s(23, 22, kPaper);
  Paint(s);
  const PixelSet square = AreaPixels(8, 7, 16, 15);
  PixelSet highlight;
  for (const auto& p : Shifted(square, 1, 1))
    if (!square.count(p)) highlight.insert(p);
  EXPECT_EQ(s.PixelsOf(0x808080), square);
  EXPECT_EQ(s.PixelsOf(0xFFFFFF), highlight);
  EXPECT_EQ(s.PixelsOf(clRed), PixelSet{});
}

TEST_F(SpeedButtonPaint, NonFlatButtonHasARaisedFaceAndASunkenOneWhenDown) {
  look.flat = false;
  Surface up(23, 22, kPaper);
  Paint(up);
  EXPECT_EQ(CheckRing(up.bitmap, {0, 0, 23, 22}, cl3DLight, cl3DDkShadow), "");
  EXPECT_EQ(CheckRing(up.bitmap, {1, 1, 22, 21}, clBtnHighlight, clBtnShadow), "");
  EXPECT_EQ(up.PixelsOf(kPaper), PixelSet{});

  look.state = bsDown;
  Surface down(23, 22, kPaper);
  Paint(down);
  EXPECT_EQ(CheckRing(down.bitmap, {0, 0, 23, 22}, clBtnShadow, clBtnHighlight), "");
}

TEST_F(SpeedButtonPaint, CaptionFollowsTheGlyph) {
  TFont font;
  font.SetColor(clBlack);
  look.font = &font;
  look.caption = "Ayuda";
  Surface s(90, 24, kPaper);
  PaintSpeedButton(s.canvas, {0, 0, 90, 24}, look);
  const auto glyphRegion = testing::RegionOf(s.bitmap, clRed);
  const auto textRegion = testing::RegionOf(s.bitmap, clBlack);
  ASSERT_GT(textRegion.count, 0);
  EXPECT_GE(textRegion.bounds.Left, glyphRegion.bounds.Right + 4);  // the spacing
  // Glyph and caption as a group are centred (the square sits 4 pixels inside its image).
  const int leftGap = glyphRegion.bounds.Left - 4, rightGap = 90 - textRegion.bounds.Right;
  EXPECT_LE(std::abs(leftGap - rightGap), 3);
}

// A flat 23 x 22 speed button with the two-image glyph on a btnface form.
struct SpeedButtonControl : ::testing::Test {
  std::unique_ptr<TForm> form =
      test::ReadForm("object Form1: TForm\n  Width = 200\n  Height = 100\n  Color = clBtnFace\nend\n");
  TSpeedButton* button = new TSpeedButton(form.get());
  int clicks = 0;
  SpeedButtonControl() {
    button->SetName("SpeedButton1");
    button->SetParent(form.get());
    button->SetBounds(10, 10, 23, 22);
    button->SetFlat(true);
    TBitmap glyph;
    MakeGlyph(glyph);
    button->SetGlyph(glyph);
    button->SetOnClick([this](TObject*) { ++clicks; });
  }
  void Press(int x, int y) { button->DispatchMouseDown(mbLeft, {ssLeft}, x, y); }
  void Move(int x, int y) { button->DispatchMouseMove({ssLeft}, x, y); }
  void Release(int x, int y) { button->DispatchMouseUp(mbLeft, {}, x, y); }
  PixelSet RedPixels() {
    TBitmap image;
    button->RenderTo(image);
    PixelSet red;
    for (int y = 0; y < image.Height(); ++y)
      for (int x = 0; x < image.Width(); ++x)
        if (image.Pixel(x, y) == clRed) red.insert({x, y});
    return red;
  }
};

TEST_F(SpeedButtonControl, ClicksOnlyWhenReleasedOverIt) {
  EXPECT_EQ(button->NumGlyphs(), 2);  // a strip of two square images
  Press(5, 5);
  EXPECT_EQ(button->State(), bsDown);
  EXPECT_EQ(RedPixels(), Shifted(AreaPixels(8, 7, 16, 15), 1, 1));
  Move(40, 5);
  EXPECT_EQ(button->State(), bsUp);
  Release(40, 5);
  EXPECT_EQ(clicks, 0);

  Press(5, 5);
  Move(40, 5);
  Move(6, 6);  // back over it
  EXPECT_EQ(button->State(), bsDown);
  std::vector<TButtonState> seenInHandler;
  button->SetOnClick([&](TObject*) { seenInHandler.push_back(button->State()); });
  Release(6, 6);
  EXPECT_EQ(seenInHandler, std::vector<TButtonState>{bsUp});  // up before the handler runs
  EXPECT_EQ(RedPixels(), AreaPixels(8, 7, 16, 15));
}

TEST_F(SpeedButtonControl, FlatButtonRaisesUnderTheMouseAndShowsTheDisabledImage) {
  TBitmap plain;
  button->RenderTo(plain);
  EXPECT_EQ(plain.Pixel(0, 0), 0xC0C0C0);  // no frame: the form's face
  button->DispatchMouseEnter();
  TBitmap hot;
  button->RenderTo(hot);
  EXPECT_EQ(CheckRing(hot, {0, 0, 23, 22}, clBtnHighlight, clBtnShadow), "");
  button->DispatchMouseLeave();
  TBitmap left;
  button->RenderTo(left);
  EXPECT_EQ(left.Pixel(0, 0), 0xC0C0C0);

  button->SetEnabled(false);
  TBitmap disabled;
  button->RenderTo(disabled);
  EXPECT_EQ(test::RegionInside(disabled, {0, 0, 23, 22}, kGrey).bounds, (TRect{8, 7, 16, 15}));
  Press(5, 5);
  Release(5, 5);
  EXPECT_EQ(button->State(), bsDisabled);
}

TEST_F(SpeedButtonControl, GroupButtonsStayDownExclusively) {
  auto* other = new TSpeedButton(form.get());
  other->SetParent(form.get());
  other->SetBounds(40, 10, 23, 22);
  button->SetGroupIndex(1);
  other->SetGroupIndex(1);
  Press(5, 5);
  Release(5, 5);
  EXPECT_TRUE(button->Down());
  EXPECT_EQ(button->State(), bsExclusive);
  other->SetDown(true);
  EXPECT_TRUE(other->Down());
  EXPECT_FALSE(button->Down());
  other->SetDown(false);  // without AllowAllUp a down button stays down
  EXPECT_TRUE(other->Down());
  other->SetAllowAllUp(true);
  other->SetDown(false);
  EXPECT_FALSE(other->Down());
  EXPECT_TRUE(button->AllowAllUp());  // shared by the group
}

TEST_F(SpeedButtonControl, PressClicksAsTheMouseDoesGroupIncludedButNotWhileDisabled) {
  button->Press();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(button->State(), bsUp);
  button->SetGroupIndex(1);
  button->Press();
  EXPECT_TRUE(button->Down()) << "in a group it stays down, as after a mouse click";
  button->SetEnabled(false);
  button->Press();
  EXPECT_EQ(clicks, 2);
}

TEST_F(SpeedButtonControl, GlyphAndSettingsSurviveTheFormStream) {
  button->SetNumGlyphs(2);
  button->SetMargin(2);
  button->SetCaption("&Ayuda");
  const std::string text = WriteComponentText(*form);
  for (const char* line : {"Flat = True", "NumGlyphs = 2", "Margin = 2", "Caption = '&Ayuda'"})
    EXPECT_TRUE(test::HasLine(text, line)) << line << "\n" << text;
  EXPECT_NE(text.find("Glyph.Data = {"), std::string::npos);
  EXPECT_EQ(text.find("Transparent"), std::string::npos);
  EXPECT_EQ(text.find("Spacing"), std::string::npos);

  auto copy = test::ReadForm(text);
  auto* read = copy->FindComponentAs<TSpeedButton>("SpeedButton1");
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(BitmapToStreamData(read->Glyph()), BitmapToStreamData(button->Glyph()));
  EXPECT_EQ(read->NumGlyphs(), 2);
  EXPECT_TRUE(read->Flat());
  EXPECT_EQ(WriteComponentText(*copy), text);
}

}  // namespace
}  // namespace tintoral
