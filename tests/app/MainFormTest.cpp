// The main window as its layout builds it: window settings, the controls with
// their parents, texts and fonts, the question-mark glyph, the first refresh,
// and the event wiring, including the About box shown modally from the button.
#include "app/MainForm.h"

#include <gtest/gtest.h>

#include <QObject>
#include <QTimer>

#include <string>

#include "app/AboutBox.h"
#include "app/VectorDiagram.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Font.h"
#include "platform/window/Bevel.h"
#include "platform/window/Button.h"
#include "platform/window/Image.h"
#include "platform/window/Label.h"
#include "platform/window/PageControl.h"
#include "platform/window/Panel.h"
#include "platform/window/SpeedButton.h"
#include "runtime/PropertyInfo.h"
#include "tests/app/AppTestSupport.h"

namespace tintoral {
namespace {

class MainFormTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { app_testing::RegisterLayoutClasses(); }
  TForm1 form{nullptr};
};

std::string BoundMethod(const TObject& object, const char* event) {
  return object.ClassType().FindProperty(event)->GetMethodName(object);
}

TEST_F(MainFormTest, WindowSettings) {
  EXPECT_EQ(form.Caption(), "Tintoral");
  EXPECT_EQ(form.Left(), 234);
  EXPECT_EQ(form.Top(), 109);
  EXPECT_EQ(form.Width(), 685);
  EXPECT_EQ(form.Height(), 554);
  EXPECT_EQ(form.Color(), clBtnFace);
  EXPECT_EQ(form.Font().Name(), "MS Sans Serif");
  EXPECT_EQ(form.Font().Height(), -11);
  EXPECT_EQ(form.Font().Color(), clWindowText);
  EXPECT_EQ(form.PixelsPerInch(), 96);
  EXPECT_EQ(BoundMethod(form, "OnCreate"), "FormCreate");
  EXPECT_FALSE(form.Visible());  // shown by the application's Run
}

TEST_F(MainFormTest, ControlsSitInTheirParentsAtTheirPlaces) {
  struct Place {
    TControl* control;
    const char* name;
    TWinControl* parent;
    int left, top, width, height;
  };
  const Place places[] = {
      {form.SpeedButton1, "SpeedButton1", &form, 632, 16, 23, 22},
      {form.PageControl1, "PageControl1", &form, 8, 56, 653, 453},
      {form.Bevel2, "Bevel2", form.TabSheet1, 312, 8, 321, 401},
      {form.Vector, "Vector", form.TabSheet1, 320, 176, 305, 233},
      {form.Bevel3, "Bevel3", form.TabSheet1, 8, 248, 297, 161},
      {form.Panel1, "Panel1", form.TabSheet1, 8, 8, 297, 233},
      {form.Bevel1, "Bevel1", form.Panel1, 8, 8, 281, 217},
      {form.Panel2, "Panel2", form.TabSheet1, 320, 16, 305, 33},
      {form.Panel3, "Panel3", form.TabSheet1, 320, 56, 305, 33},
      {form.Panel4, "Panel4", form.TabSheet1, 320, 96, 305, 33},
      {form.Panel5, "Panel5", form.TabSheet1, 320, 136, 305, 33},
  };
  for (const Place& p : places) {
    ASSERT_NE(p.control, nullptr) << p.name;
    EXPECT_EQ(p.control->Name(), p.name);
    EXPECT_EQ(p.control->Parent(), p.parent) << p.name;
    EXPECT_EQ(p.control->Left(), p.left) << p.name;
    EXPECT_EQ(p.control->Top(), p.top) << p.name;
    EXPECT_EQ(p.control->Width(), p.width) << p.name;
    EXPECT_EQ(p.control->Height(), p.height) << p.name;
  }
  ASSERT_NE(form.TabSheet1, nullptr);
  EXPECT_EQ(form.TabSheet1->Parent(), form.PageControl1);
  EXPECT_EQ(form.PageControl1->ActivePage(), form.TabSheet1);
  EXPECT_EQ(form.TabSheet1->Caption(), "Color en TV");
  EXPECT_TRUE(form.PageControl1->Font().Style() & FontStyleBit(fsBold));
  EXPECT_EQ(form.Panel2->Color(), clBtnShadow);
  EXPECT_EQ(form.Panel3->Color(), clBlack);
  EXPECT_EQ(form.Panel4->Color(), clMaroon);
  EXPECT_EQ(form.Panel5->Color(), clTeal);
  ASSERT_NE(form.Luminancia, nullptr);
  EXPECT_EQ(form.Luminancia->Caption(), "");
}

// FormCreate refreshes the window once: the vector diagram of the sliders'
// starting colour, black, on a bitmap of the image's size.
TEST_F(MainFormTest, CreationDrawsTheVectorDiagramOfTheStartingColour) {
  const TBitmap* picture = form.Vector->Picture().Graphic();
  ASSERT_NE(picture, nullptr);
  ASSERT_EQ(picture->Width(), kVectorDiagramWidth);
  ASSERT_EQ(picture->Height(), kVectorDiagramHeight);
  TBitmap expected(kVectorDiagramWidth, kVectorDiagramHeight);
  DrawVectorDiagram(expected.Canvas(), 0, 0);
  int differing = 0;
  for (int y = 0; y < kVectorDiagramHeight; ++y)
    for (int x = 0; x < kVectorDiagramWidth; ++x) differing += picture->Pixel(x, y) != expected.Pixel(x, y);
  EXPECT_EQ(differing, 0);
}

TEST_F(MainFormTest, LabelsShowTheirTextsInTheirFonts) {
  struct Text {
    TLabel* label;
    TWinControl* parent;
    const char* caption;
    const char* fontName;
    int fontHeight;
    TColor fontColor;
    TFontCharset charset;
  };
  const Text texts[] = {
      {form.Label1, form.Panel1, "Red", "MS Sans Serif", -16, clRed, DEFAULT_CHARSET},
      {form.Label2, form.Panel1, "Blue", "MS Sans Serif", -16, clBlue, DEFAULT_CHARSET},
      {form.Label3, form.Panel1, "Green", "MS Sans Serif", -16, clGreen, DEFAULT_CHARSET},
      {form.Label7, form.Panel1, "Color", "MS Sans Serif", -16, clMaroon, DEFAULT_CHARSET},
      {form.Label8, form.Panel1, "B/W", "MS Sans Serif", -16, clBlack, DEFAULT_CHARSET},
      {form.Label12, form.Panel2, "R:", "911 Porscha", -19, clRed, ANSI_CHARSET},
      {form.Label13, form.Panel2, "G:", "911 Porscha", -19, clLime, ANSI_CHARSET},
      {form.Label14, form.Panel2, "B:", "911 Porscha", -19, clAqua, ANSI_CHARSET},
      {form.Label9, form.Panel3, "Luminancia (Y):", "911 Porscha", -16, clWhite, ANSI_CHARSET},
      {form.Label4, form.Panel4, "R-Y:", "911 Porscha", -16, clWhite, ANSI_CHARSET},
      {form.Label10, form.Panel4, "V:", "911 Porscha", -16, clWhite, ANSI_CHARSET},
      {form.Label5, form.Panel5, "B-Y:", "911 Porscha", -16, clWhite, ANSI_CHARSET},
      {form.Label6, form.Panel5, "U:", "911 Porscha", -16, clWhite, ANSI_CHARSET},
  };
  for (const Text& t : texts) {
    ASSERT_NE(t.label, nullptr) << t.caption;
    EXPECT_EQ(t.label->Parent(), t.parent) << t.caption;
    EXPECT_EQ(t.label->Caption(), t.caption);
    EXPECT_EQ(t.label->Font().Name(), t.fontName) << t.caption;
    EXPECT_EQ(t.label->Font().Height(), t.fontHeight) << t.caption;
    EXPECT_EQ(t.label->Font().Color(), t.fontColor) << t.caption;
    EXPECT_EQ(t.label->Font().Charset(), t.charset) << t.caption;
    EXPECT_EQ(t.label->Font().Style(), FontStyleBit(fsBold)) << t.caption;
  }
  // The labels on the coloured panels paint their background in the panel's colour.
  EXPECT_EQ(form.Label9->Color(), clBlack);
  EXPECT_EQ(form.Label4->Color(), clMaroon);
  EXPECT_EQ(form.Label6->Color(), clTeal);
}

TEST_F(MainFormTest, QuestionGlyphHoldsAnEnabledAndADisabledImageOnATransparentOlive) {
  const TBitmap& glyph = form.SpeedButton1->Glyph();
  ASSERT_EQ(glyph.Width(), 32);
  ASSERT_EQ(glyph.Height(), 16);
  EXPECT_EQ(form.SpeedButton1->NumGlyphs(), 2);
  EXPECT_EQ(glyph.Pixel(0, 15), clOlive);
  const auto count = [&](int left, TColor color) {
    int n = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = left; x < left + 16; ++x) n += glyph.Pixel(x, y) == color;
    return n;
  };
  EXPECT_GT(count(0, clRed), 20);  // the question mark
  EXPECT_GT(count(0, clYellow), 40);
  EXPECT_GT(count(0, clWhite), 3);
  EXPECT_EQ(count(16, clRed), 0);  // the disabled image: grey outline only
  EXPECT_EQ(count(16, clYellow), 0);
  EXPECT_GT(count(16, clGray), 40);
  // On the button, the olive background does not show.
  TBitmap window;
  form.RenderTo(window);
  int olive = 0, red = 0;
  for (int y = 16; y < 16 + 22; ++y)
    for (int x = 632; x < 632 + 23; ++x) {
      olive += window.Pixel(x, y) == clOlive;
      red += window.Pixel(x, y) == clRed;
    }
  EXPECT_EQ(olive, 0);
  EXPECT_GT(red, 20);
}

TEST_F(MainFormTest, QuestionButtonShowsTheAboutBoxModally) {
  EXPECT_EQ(BoundMethod(*form.SpeedButton1, "OnClick"), "SpeedButton1Click");
  TAboutBox about(nullptr);
  form.SetAboutBox(&about);
  bool shownModally = false;
  // Runs inside the modal loop: the box is up; its OK button closes it.
  // (Tied to `scope`, so it never runs after this test when no loop ran.)
  QObject scope;
  QTimer::singleShot(0, &scope, [&] {
    shownModally = about.IsModal() && about.Visible();
    about.OKButton->Click();
  });
  form.SpeedButton1->Click();
  EXPECT_TRUE(shownModally);
  EXPECT_FALSE(about.Visible());
  EXPECT_EQ(about.ModalResult(), mrOk);
}

}  // namespace
}  // namespace tintoral
