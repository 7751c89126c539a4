// The About box as its layout builds it, with the picture stretched into its
// frame, and the resources compiled into the program.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/AboutBox.h"
#include "app/Resources.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/PngDecoder.h"
#include "platform/window/Button.h"
#include "platform/window/Image.h"
#include "platform/window/Label.h"
#include "platform/window/Panel.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/SourceTree.h"

namespace tintoral {
namespace {

class AboutBoxTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { app_testing::RegisterLayoutClasses(); }
  TAboutBox box{nullptr};
};

TEST_F(AboutBoxTest, DialogSettings) {
  EXPECT_EQ(box.Caption(), "Acerca de ...");
  EXPECT_EQ(box.ClientWidth(), 298);
  EXPECT_EQ(box.ClientHeight(), 244);
  EXPECT_EQ(box.BorderStyle(), bsDialog);
  EXPECT_EQ(box.Position(), poScreenCenter);
  EXPECT_EQ(box.Color(), clBtnFace);
  EXPECT_EQ(box.Font().Name(), "MS Sans Serif");
  EXPECT_EQ(box.Font().Height(), -11);
  EXPECT_FALSE(box.Visible());
}

TEST_F(AboutBoxTest, ControlsTextsAndButton) {
  ASSERT_NE(box.Panel1, nullptr);
  EXPECT_EQ(box.Panel1->BoundsRect(), (TRect{8, 4, 8 + 281, 4 + 205}));
  EXPECT_EQ(box.Panel1->BevelOuter(), bvLowered);
  EXPECT_EQ(box.Panel1->BevelInner(), bvRaised);
  EXPECT_EQ(box.Panel1->Color(), box.Color());
  ASSERT_NE(box.ProgramIcon, nullptr);
  EXPECT_EQ(box.ProgramIcon->Parent(), box.Panel1);
  EXPECT_EQ(box.ProgramIcon->BoundsRect(), (TRect{12, 32, 12 + 261, 32 + 149}));
  EXPECT_TRUE(box.ProgramIcon->Stretch());

  ASSERT_NE(box.ProductName, nullptr);
  EXPECT_EQ(box.ProductName->Caption(), "Tintoral");
  EXPECT_EQ(box.ProductName->Font().Name(), "Comic Sans MS");
  EXPECT_EQ(box.ProductName->Font().Height(), -19);
  EXPECT_EQ(box.ProductName->Font().Color(), clBlue);
  EXPECT_EQ(box.ProductName->Font().Style(), FontStyleBit(fsBold));
  EXPECT_EQ(box.ProductName->Font().Charset(), ANSI_CHARSET);

  ASSERT_NE(box.Version, nullptr);
  EXPECT_EQ(box.Version->Caption().rfind("Versi\xF3n 1.0    ", 0), 0u);  // Windows-1252 ó
  EXPECT_GT(box.Version->Caption().size(), std::string("Versi\xF3n 1.0    ").size());
  EXPECT_EQ(box.Version->Font().Name(), "Agency FB");
  EXPECT_EQ(box.Version->Font().Height(), -13);
  EXPECT_EQ(box.Version->Font().Color(), clBlue);
  EXPECT_EQ(box.Version->Left(), 16);
  EXPECT_EQ(box.Version->Top(), 184);

  ASSERT_NE(box.OKButton, nullptr);
  EXPECT_EQ(box.OKButton->Parent(), &box);
  EXPECT_EQ(box.OKButton->BoundsRect(), (TRect{111, 216, 111 + 75, 216 + 25}));
  EXPECT_EQ(box.OKButton->Caption(), "OK");
  EXPECT_TRUE(box.OKButton->Default());
  EXPECT_EQ(box.OKButton->ModalResult(), mrOk);
}

TEST_F(AboutBoxTest, PictureIsThePngStretchedIntoItsFrame) {
  const TPicture& picture = box.ProgramIcon->Picture();
  ASSERT_EQ(picture.Kind(), TGraphicKind::Png);
  EXPECT_EQ(picture.Width(), 292);
  EXPECT_EQ(picture.Height(), 191);
  const auto png = AboutPicturePng();
  EXPECT_EQ(picture.PngBytes(), std::vector<std::uint8_t>(png.begin(), png.end()));

  TBitmap window;
  box.RenderTo(window);
  const TBitmap& pixels = *picture.Graphic();
  // Panel at 8, 4 and image at 12, 32 in it: the frame starts at 20, 36.
  EXPECT_EQ(window.Pixel(20, 36), pixels.Pixel(0, 0));
  EXPECT_EQ(window.Pixel(20 + 260, 36 + 148), pixels.Pixel(291, 190));
  EXPECT_EQ(window.Pixel(20, 36 + 148), pixels.Pixel(0, 190));
  EXPECT_EQ(window.Pixel(20 + 260, 36), pixels.Pixel(291, 0));
  EXPECT_NE(window.Pixel(20 + 261, 36 + 149), pixels.Pixel(291, 190));  // just outside: the panel
}

TEST(ProgramResourcesTest, EmbeddedBytesAreTheSourceFiles) {
  EXPECT_EQ(std::string(MainFormText()), test::SourceFileText("app/forms/MainForm.txt"));
  EXPECT_EQ(std::string(AboutBoxText()), test::SourceFileText("app/forms/AboutBox.txt"));
  const auto png = AboutPicturePng();
  EXPECT_EQ(std::string(png.begin(), png.end()), test::SourceFileText("app/resources/about.png"));
  EXPECT_FALSE(MainFormText().empty());
}

}  // namespace
}  // namespace tintoral
