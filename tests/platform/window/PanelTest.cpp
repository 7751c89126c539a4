#include <gtest/gtest.h>

#include "platform/window/Bevel.h"
#include "platform/window/Panel.h"
#include "platform/window/StandardPainting.h"
#include "runtime/FormWriter.h"
#include "tests/platform/graphics/CanvasTestSupport.h"
#include "tests/platform/graphics/TextPixels.h"
#include "tests/platform/window/StandardControlsTestSupport.h"

namespace tintoral {
namespace {

using test::CheckFill;
using test::CheckRing;
using test::Shrunk;
using test::Surface;

TEST(PanelPaintTest, DefaultPanelIsARaisedBoxOfOnePixel) {
  Surface s(12, 9, clRed);
  const TRect all{0, 0, 12, 9};
  PaintPanel(s.canvas, all, PanelLook{});
  EXPECT_EQ(CheckRing(s.bitmap, all, clBtnHighlight, clBtnShadow), "");
  EXPECT_EQ(CheckFill(s.bitmap, Shrunk(all, 1), clBtnFace), "");
}

TEST(PanelPaintTest, LoweredOuterAndRaisedInnerBevelsNest) {
  Surface s(20, 14, clRed);
  const TRect all{0, 0, 20, 14};
  PanelLook look;
  look.bevelOuter = bvLowered;
  look.bevelInner = bvRaised;
  look.color = clMaroon;
  PaintPanel(s.canvas, all, look);
  EXPECT_EQ(CheckRing(s.bitmap, all, clBtnShadow, clBtnHighlight), "");
  EXPECT_EQ(CheckRing(s.bitmap, Shrunk(all, 1), clBtnHighlight, clBtnShadow), "");
  EXPECT_EQ(CheckFill(s.bitmap, Shrunk(all, 2), clMaroon), "");
}

TEST(PanelPaintTest, BevelWidthBorderWidthAndSpaceUseTheirRings) {
  Surface s(30, 20, clRed);
  const TRect all{0, 0, 30, 20};
  PanelLook look;
  look.bevelWidth = 2;
  look.borderWidth = 3;
  look.bevelInner = bvSpace;
  look.color = clTeal;
  PaintPanel(s.canvas, all, look);
  EXPECT_EQ(CheckRing(s.bitmap, all, clBtnHighlight, clBtnShadow), "");
  EXPECT_EQ(CheckRing(s.bitmap, Shrunk(all, 1), clBtnHighlight, clBtnShadow), "");
  // Border (3) and the space bevel (2) are in the panel's colour, like its face.
  EXPECT_EQ(CheckFill(s.bitmap, Shrunk(all, 2), clTeal), "");
}

TEST(PanelPaintTest, NoBevelsLeaveOnlyTheFaceAndSingleBorderIsSunken) {
  Surface s(10, 10, clRed);
  PanelLook look;
  look.bevelOuter = bvNone;
  PaintPanel(s.canvas, {0, 0, 10, 10}, look);
  EXPECT_EQ(CheckFill(s.bitmap, {0, 0, 10, 10}, clBtnFace), "");

  look.singleBorder = true;
  PaintPanel(s.canvas, {0, 0, 10, 10}, look);
  EXPECT_EQ(CheckRing(s.bitmap, {0, 0, 10, 10}, clBtnShadow, clBtnHighlight), "");
  EXPECT_EQ(CheckRing(s.bitmap, {1, 1, 9, 9}, cl3DDkShadow, cl3DLight), "");
  EXPECT_EQ(CheckFill(s.bitmap, {2, 2, 8, 8}, clBtnFace), "");
}

TEST(PanelPaintTest, CaptionIsCentred) {
  Surface s(120, 40, clRed);
  TFont font;
  font.SetColor(clBlack);
  PanelLook look;
  look.caption = "Panel";
  look.font = &font;
  PaintPanel(s.canvas, {0, 0, 120, 40}, look);
  const auto text = testing::RegionOf(s.bitmap, clBlack);
  ASSERT_GT(text.count, 0);
  const int left = text.bounds.Left, right = 120 - text.bounds.Right;
  const int top = text.bounds.Top, bottom = 40 - text.bounds.Bottom;
  EXPECT_LE(std::abs(left - right), 2);
  EXPECT_LE(std::abs(top - bottom), 4);

  Surface r(120, 40, clRed);
  look.alignment = taRightJustify;
  PaintPanel(r.canvas, {0, 0, 120, 40}, look);
  EXPECT_GE(testing::RegionOf(r.bitmap, clBlack).bounds.Right, 110);
}

constexpr char kPanelForm[] = R"(object Form1: TForm
  Left = 0
  Top = 0
  Width = 300
  Height = 200
  Color = clBtnFace
  object Panel1: TPanel
    Left = 8
    Top = 4
    Width = 40
    Height = 30
    BevelInner = bvRaised
    BevelOuter = bvLowered
    BevelWidth = 2
    BorderWidth = 1
    BorderStyle = bsSingle
    Alignment = taLeftJustify
    Caption = 'Versi'#243'n'
    ParentColor = True
    TabOrder = 0
    object Bevel1: TBevel
      Left = 10
      Top = 10
      Width = 8
      Height = 6
    end
  end
end
)";

TEST(PanelTest, FormStreamRoundTrip) {
  auto form = test::ReadForm(kPanelForm);
  auto* panel = form->FindComponentAs<TPanel>("Panel1");
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->BevelInner(), bvRaised);
  EXPECT_EQ(panel->BevelOuter(), bvLowered);
  EXPECT_EQ(panel->BevelWidth(), 2);
  EXPECT_EQ(panel->BorderWidth(), 1);
  EXPECT_EQ(panel->BorderStyle(), bsSingle);
  EXPECT_EQ(panel->Alignment(), taLeftJustify);
  EXPECT_EQ(panel->Caption(), "Versi\xF3n");
  EXPECT_TRUE(panel->ParentColor());
  EXPECT_EQ(panel->Color(), clBtnFace);  // the form's
  EXPECT_EQ(panel->ControlCount(), 1);

  const std::string text = WriteComponentText(*form);
  for (const char* line :
       {"BevelInner = bvRaised", "BevelOuter = bvLowered", "BevelWidth = 2", "BorderWidth = 1",
        "BorderStyle = bsSingle", "Alignment = taLeftJustify", "Caption = 'Versi'#243'n'", "ParentColor = True"})
    EXPECT_TRUE(test::HasLine(text, line)) << line << "\n" << text;
  EXPECT_EQ(text.find("FullRepaint"), std::string::npos);
  auto again = test::ReadForm(text);
  EXPECT_EQ(WriteComponentText(*again), text);
}

TEST(PanelTest, DefaultsAreARaisedBtnFacePanelAndWriteNothing) {
  TForm form(nullptr);
  form.SetName("Form1");
  auto* panel = new TPanel(&form);
  panel->SetName("Panel1");
  panel->SetParent(&form);
  EXPECT_EQ(panel->BevelOuter(), bvRaised);
  EXPECT_EQ(panel->BevelInner(), bvNone);
  EXPECT_EQ(panel->Color(), clBtnFace);
  EXPECT_FALSE(panel->ParentColor());
  EXPECT_EQ(panel->Width(), 185);
  const std::string text = WriteComponentText(form);
  const std::string body = text.substr(text.find("object Panel1"));
  for (const char* name : {"Bevel", "Border", "Color", "Alignment", "Caption"})
    EXPECT_EQ(body.find(name), std::string::npos) << name << "\n" << body;
  panel->SetBevelWidth(0);
  EXPECT_EQ(panel->BevelWidth(), 1);
}

TEST(PanelTest, RendersItsBevelsAndItsChildren) {
  auto form = test::ReadForm(kPanelForm);
  auto* panel = form->FindComponentAs<TPanel>("Panel1");
  panel->SetCaption("");
  TBitmap image;
  panel->RenderTo(image);
  ASSERT_EQ(image.Width(), 40);
  const TRect all{0, 0, 40, 30};
  EXPECT_EQ(CheckRing(image, all, clBtnShadow, clBtnHighlight), "");  // sunken single border
  EXPECT_EQ(CheckRing(image, Shrunk(all, 1), cl3DDkShadow, cl3DLight), "");
  EXPECT_EQ(CheckRing(image, Shrunk(all, 2), clBtnShadow, clBtnHighlight), "");  // outer bevel, 2 wide
  EXPECT_EQ(CheckRing(image, Shrunk(all, 3), clBtnShadow, clBtnHighlight), "");
  EXPECT_EQ(CheckRing(image, Shrunk(all, 4), clBtnFace, clBtnFace), "");         // border
  EXPECT_EQ(CheckRing(image, Shrunk(all, 5), clBtnHighlight, clBtnShadow), "");  // inner bevel
  EXPECT_EQ(CheckRing(image, Shrunk(all, 6), clBtnHighlight, clBtnShadow), "");
  // The lowered box bevel at (10, 10).
  EXPECT_EQ(image.Pixel(10, 10), 0x808080);
  EXPECT_EQ(image.Pixel(17, 15), 0xFFFFFF);
  EXPECT_EQ(image.Pixel(11, 11), 0xC0C0C0);
}

}  // namespace
}  // namespace tintoral
