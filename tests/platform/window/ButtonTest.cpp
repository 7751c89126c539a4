#include <gtest/gtest.h>

#include "AboutBoxLayout.h"
#include "WindowTestSupport.h"
#include "platform/window/Button.h"
#include "platform/window/ButtonPainting.h"
#include "platform/window/Panel.h"
#include "runtime/FormWriter.h"
#include "tests/platform/graphics/CanvasTestSupport.h"
#include "tests/platform/graphics/TextPixels.h"
#include "tests/platform/window/StandardControlsTestSupport.h"

namespace tintoral {
namespace {

using test::CheckFill;
using test::CheckRing;
using test::Surface;

constexpr TColor kPaper = 0x123456;
const TRect kButton{0, 0, 75, 25};

TEST(ButtonPaintTest, PlainButtonIsARaisedEdgeAroundTheFace) {
  Surface s(75, 25, kPaper);
  PaintPushButton(s.canvas, kButton, PushButtonLook{});
  EXPECT_EQ(CheckRing(s.bitmap, kButton, cl3DLight, cl3DDkShadow), "");
  EXPECT_EQ(CheckRing(s.bitmap, test::Shrunk(kButton, 1), clBtnHighlight, clBtnShadow), "");
  EXPECT_EQ(CheckFill(s.bitmap, test::Shrunk(kButton, 2), clBtnFace), "");
}

TEST(ButtonPaintTest, DefaultButtonHasABlackFrameOutsideTheEdge) {
  Surface s(75, 25, kPaper);
  PushButtonLook look;
  look.framed = true;
  PaintPushButton(s.canvas, kButton, look);
  EXPECT_EQ(CheckRing(s.bitmap, kButton, clWindowFrame, clWindowFrame), "");
  EXPECT_EQ(CheckRing(s.bitmap, test::Shrunk(kButton, 1), cl3DLight, cl3DDkShadow), "");
  EXPECT_EQ(CheckRing(s.bitmap, test::Shrunk(kButton, 2), clBtnHighlight, clBtnShadow), "");
}

TEST(ButtonPaintTest, PressedButtonHasAShadowRingAndAShiftedCaption) {
  TFont font;
  font.SetColor(clBlack);
  PushButtonLook look;
  look.font = &font;
  look.caption = "OK";
  Surface up(75, 25, kPaper);
  PaintPushButton(up.canvas, kButton, look);
  look.pressed = true;
  Surface down(75, 25, kPaper);
  PaintPushButton(down.canvas, kButton, look);

  EXPECT_EQ(CheckRing(down.bitmap, kButton, clWindowFrame, clWindowFrame), "");
  EXPECT_EQ(CheckRing(down.bitmap, test::Shrunk(kButton, 1), clBtnShadow, clBtnShadow), "");
  const TRect face = test::Shrunk(kButton, 3);
  const auto textUp = test::RegionInside(up.bitmap, face, clBlack);
  const auto textDown = test::RegionInside(down.bitmap, face, clBlack);
  ASSERT_GT(textUp.count, 0);
  EXPECT_GT(textUp.bounds.Left, 20);
  EXPECT_LT(textUp.bounds.Right, 55);
  EXPECT_EQ(textDown.count, textUp.count);
  EXPECT_EQ(textDown.bounds.Left, textUp.bounds.Left + 1);
  EXPECT_EQ(textDown.bounds.Top, textUp.bounds.Top + 1);
}

TEST(ButtonPaintTest, FocusRectangleIsDottedInsideTheFace) {
  Surface plain(75, 25, kPaper);
  PaintPushButton(plain.canvas, kButton, PushButtonLook{});
  PushButtonLook look;
  look.focused = true;
  Surface focused(75, 25, kPaper);
  PaintPushButton(focused.canvas, kButton, look);
  // The focus rectangle inverts every other pixel of the ring 4 pixels in.
  EXPECT_EQ(focused.At(4, 4), 0x3F3F3F);
  EXPECT_EQ(focused.At(5, 4), plain.At(5, 4));
  EXPECT_EQ(focused.At(70, 20), 0x3F3F3F);
  EXPECT_EQ(CheckFill(focused.bitmap, {5, 5, 70, 20}, clBtnFace), "");
}

TEST(ButtonPaintTest, DisabledCaptionIsEmbossed) {
  TFont font;
  font.SetColor(clBlack);
  PushButtonLook look;
  look.font = &font;
  look.caption = "OK";
  look.enabled = false;
  Surface s(75, 25, kPaper);
  PaintPushButton(s.canvas, kButton, look);
  const TRect face = test::Shrunk(kButton, 2);
  EXPECT_EQ(test::RegionInside(s.bitmap, face, clBlack).count, 0);
  const auto shadow = test::RegionInside(s.bitmap, face, clBtnShadow);
  const auto highlight = test::RegionInside(s.bitmap, face, clBtnHighlight);
  ASSERT_GT(shadow.count, 0);
  EXPECT_EQ(highlight.bounds.Right, shadow.bounds.Right + 1);
  EXPECT_EQ(highlight.bounds.Bottom, shadow.bounds.Bottom + 1);
}

// The About box, shown (off screen) so that keys and the focus work.
struct AboutBoxButton : ::testing::Test {
  std::unique_ptr<TForm> form = test::ReadForm(test::AboutBoxText(test::AboutPicturePng()));
  TButton* ok = form->FindComponentAs<TButton>("OKButton");
  void SetUp() override {
    ASSERT_NE(ok, nullptr);
    form->Show();
  }
  void TearDown() override { form->Hide(); }
  TButton* AddButton(const std::string& name, int left) {
    auto* button = new TButton(form.get());
    button->SetName(name);
    button->SetBounds(left, 216, 75, 25);
    button->SetParent(form.get());
    return button;
  }
};

TEST_F(AboutBoxButton, ReadsItsSettingsAndWritesThemBack) {
  EXPECT_TRUE(ok->Default());
  EXPECT_EQ(ok->ModalResult(), mrOk);
  EXPECT_EQ(ok->Caption(), "OK");
  EXPECT_TRUE(ok->TabStop());
  const std::string text = WriteComponentText(*form);
  const std::string body = text.substr(text.find("object OKButton"));
  for (const char* line : {"Default = True", "ModalResult = 1", "TabOrder = 1"})
    EXPECT_TRUE(test::HasLine(body, line)) << line << "\n" << body;
  EXPECT_EQ(body.find("Cancel"), std::string::npos);
  EXPECT_EQ(body.find("TabStop"), std::string::npos);
}

TEST_F(AboutBoxButton, EnterPressesTheDefaultButtonAndSetsTheModalResult) {
  int clicks = 0;
  ok->SetOnClick([&](TObject*) { ++clicks; });
  ASSERT_NE(form->FocusedControl(), nullptr);
  test::PressKey(form->FocusedControl()->Widget(), Qt::Key_Return, Qt::NoModifier, "\r");
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(form->ModalResult(), mrOk);
}

TEST_F(AboutBoxButton, FocusedButtonTakesEnterAndTheDefaultFrame) {
  auto* other = AddButton("Otro", 10);
  other->SetModalResult(mrCancel);
  EXPECT_TRUE(ok->IsActiveDefault());
  other->SetFocus();
  EXPECT_FALSE(ok->IsActiveDefault());
  EXPECT_TRUE(other->IsActiveDefault());
  TBitmap image;
  ok->RenderTo(image);
  EXPECT_EQ(CheckRing(image, kButton, cl3DLight, cl3DDkShadow), "");  // no longer framed
  other->RenderTo(image);
  EXPECT_EQ(CheckRing(image, kButton, clWindowFrame, clWindowFrame), "");
  EXPECT_EQ(image.Pixel(4, 4), 0x3F3F3F);  // its focus rectangle
  test::PressKey(other->Widget(), Qt::Key_Return, Qt::NoModifier, "\r");
  EXPECT_EQ(form->ModalResult(), mrCancel);
}

TEST_F(AboutBoxButton, EscapePressesTheCancelButton) {
  auto* cancel = AddButton("Cancelar", 10);
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
  test::PressKey(form->FocusedControl()->Widget(), Qt::Key_Escape, Qt::NoModifier, "\x1b");
  EXPECT_EQ(form->ModalResult(), mrCancel);
}

TEST_F(AboutBoxButton, SpaceAndMouseClickOnRelease) {
  int clicks = 0;
  ok->SetOnClick([&](TObject*) { ++clicks; });
  ok->SetFocus();
  test::SendKey(ok->Widget(), QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
  EXPECT_TRUE(ok->Pressed());
  EXPECT_EQ(clicks, 0);
  test::SendKey(ok->Widget(), QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " ");
  EXPECT_FALSE(ok->Pressed());
  EXPECT_EQ(clicks, 1);

  ok->DispatchMouseDown(mbLeft, {ssLeft}, 10, 10);
  EXPECT_TRUE(ok->Pressed());
  ok->DispatchMouseMove({ssLeft}, 100, 10);
  EXPECT_FALSE(ok->Pressed());
  ok->DispatchMouseUp(mbLeft, {}, 100, 10);
  EXPECT_EQ(clicks, 1);
  ok->DispatchMouseDown(mbLeft, {ssLeft}, 10, 10);
  TBitmap image;
  ok->RenderTo(image);
  EXPECT_EQ(CheckRing(image, test::Shrunk(kButton, 1), clBtnShadow, clBtnShadow), "");
  ok->DispatchMouseUp(mbLeft, {}, 10, 10);
  EXPECT_EQ(clicks, 2);
  EXPECT_FALSE(ok->Pressed());
}

}  // namespace
}  // namespace tintoral
