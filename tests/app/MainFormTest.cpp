// The main window as its layout builds it: window settings, the controls with
// their parents, texts and fonts, the question-mark glyph, the first refresh,
// and the event wiring, including the About box shown modally from the button.
#include <gtest/gtest.h>

#include <QObject>
#include <QTimer>
#include <string>
#include <vector>

#include "app/AboutBox.h"
#include "app/ColorSignals.h"
#include "app/MainForm.h"
#include "app/VectorDiagram.h"
#include "instruments/LCDDefaultFont.h"
#include "instruments/LCDMatrix.h"
#include "instruments/ObjectCanvas.h"
#include "instruments/SevenSegmentAnalog.h"
#include "instruments/SevenSegmentInteger.h"
#include "instruments/ShadowLabel.h"
#include "instruments/Slider.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Font.h"
#include "platform/window/Bevel.h"
#include "platform/window/Button.h"
#include "platform/window/Image.h"
#include "platform/window/KeyCodes.h"
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

TEST_F(MainFormTest, InstrumentsSitInTheirParentsWithTheirSettings) {
  struct Place {
    TControl* control;
    TWinControl* parent;
    int left, top, width, height;
  };
  const Place places[] = {
      {form.LCD_Main, &form, 8, 8, 613, 41},
      {form.PanelY, form.Panel1, 216, 144, 65, 65},
      {form.CursorVerde, form.TabSheet1, 88, 48, 65, 177},
      {form.CursorAzul, form.TabSheet1, 152, 48, 65, 177},
      {form.CursorRojo, form.TabSheet1, 24, 48, 65, 177},
      {form.Panel, form.TabSheet1, 224, 56, 65, 65},
      {form.ValorRojo, form.Panel2, 40, 4, 52, 26},
      {form.ValorVerde, form.Panel2, 144, 4, 52, 26},
      {form.ValorAzul, form.Panel2, 248, 4, 52, 26},
      {form.ValorLumi, form.Panel3, 216, 3, 68, 28},
      {form.ValorR_Y, form.Panel4, 72, 3, 84, 28},
      {form.ValorV, form.Panel4, 200, 3, 84, 28},
      {form.ValorB_Y, form.Panel5, 72, 3, 84, 28},
      {form.ValorU, form.Panel5, 200, 3, 84, 28},
  };
  for (const Place& p : places) {
    ASSERT_NE(p.control, nullptr);
    SCOPED_TRACE(p.control->Name());
    EXPECT_EQ(p.control->Parent(), p.parent);
    EXPECT_EQ(p.control->BoundsRect(), (TRect{p.left, p.top, p.left + p.width, p.top + p.height}));
  }
  // The sliders: range, steps, colours and handlers.
  const struct {
    TiSlider* slider;
    TColor active, track;
    double currentMax;
    const char* handler;
  } sliders[] = {
      {form.CursorVerde, clGreen, clGreen, 100, "CursorVerdePositionChange"},
      {form.CursorAzul, clBlue, clBlue, TiSlider(nullptr).CurrentMax(), "CursorAzulPositionChange"},
      {form.CursorRojo, clRed, clRed, 100, "CursorRojoPositionChange"},
  };
  for (const auto& s : sliders) {
    SCOPED_TRACE(s.slider->Name());
    EXPECT_EQ(s.slider->PositionMin(), 0.0);
    EXPECT_EQ(s.slider->PositionMax(), 100.0);
    EXPECT_EQ(s.slider->Position(), 0.0);
    EXPECT_EQ(s.slider->CurrentMax(), s.currentMax);
    EXPECT_EQ(s.slider->KeyArrowStepSize(), 1.0);
    EXPECT_EQ(s.slider->KeyPageStepSize(), 10.0);
    EXPECT_EQ(s.slider->MouseWheelStepSize(), 1.0);
    EXPECT_EQ(s.slider->PointerIndicatorActiveColor(), s.active);
    EXPECT_EQ(s.slider->TrackColor(), s.track);
    EXPECT_EQ(s.slider->TickLabelFont().Height(), -11);
    EXPECT_EQ(BoundMethod(*s.slider, "OnPositionChange"), s.handler);
  }
  // The readouts' colours and formats.
  for (TiSevenSegmentInteger* readout : {form.ValorRojo, form.ValorVerde, form.ValorAzul}) {
    EXPECT_EQ(readout->DigitCount(), 3);
    EXPECT_FALSE(readout->ShowSign());
    EXPECT_EQ(readout->BackGroundColor(), clBtnShadow);
    EXPECT_EQ(readout->SegmentOffColor(), clWindowFrame);
  }
  EXPECT_EQ(form.ValorRojo->SegmentColor(), clRed);
  EXPECT_EQ(form.ValorVerde->SegmentColor(), clLime);
  EXPECT_EQ(form.ValorAzul->SegmentColor(), clAqua);
  const struct {
    TiSevenSegmentAnalog* readout;
    TColor segment, background;
    bool showSign;
  } analogs[] = {
      {form.ValorLumi, clWhite, clBlack, false}, {form.ValorR_Y, clYellow, clMaroon, true},
      {form.ValorV, clYellow, clMaroon, true},   {form.ValorB_Y, clAqua, clTeal, true},
      {form.ValorU, clAqua, clTeal, true},
  };
  for (const auto& a : analogs) {
    SCOPED_TRACE(a.readout->Name());
    EXPECT_EQ(a.readout->Precision(), 3);
    EXPECT_EQ(a.readout->DigitCount(), 4);
    EXPECT_EQ(a.readout->ShowSign(), a.showSign);
    EXPECT_EQ(a.readout->SegmentColor(), a.segment);
    EXPECT_EQ(a.readout->BackGroundColor(), a.background);
  }
  // The swatches, the formula labels and the banner's cells.
  for (TiObjectCanvas* swatch : {form.Panel, form.PanelY}) {
    EXPECT_EQ(swatch->DisplayRangeX(), 100.0);
    EXPECT_EQ(swatch->DefaultFontName(), "Arial");
  }
  EXPECT_EQ(form.iLabel1->Caption(), "Y = 0,30R + 0,59G + 0,11B");
  EXPECT_EQ(form.iLabel2->Caption(), "U = ( B-Y ) 0,493");
  EXPECT_EQ(form.iLabel3->Caption(), "V = ( R-Y ) 0,877");
  EXPECT_EQ(form.iLabel4->Caption(), "Ang = arctag ( V / U )");
  // The labels keep the bounds the layout stores: loading does not auto-size them.
  const TRect bounds[] = {Bounds(16, 256, 245, 25), Bounds(16, 336, 154, 25), Bounds(16, 296, 155, 25),
                          Bounds(16, 376, 198, 25)};
  int i = 0;
  for (TiLabel* label : {form.iLabel1, form.iLabel2, form.iLabel3, form.iLabel4}) {
    EXPECT_EQ(label->Parent(), form.TabSheet1);
    EXPECT_EQ(label->BoundsRect(), bounds[i++]) << label->Name();
    EXPECT_TRUE(label->ShadowShow());
    EXPECT_EQ(label->Font().Height(), -19);
  }
  EXPECT_TRUE(form.LCD_Main->CellsShowOff());
  EXPECT_EQ(form.LCD_Main->BorderStyle(), ibsLowered);
  EXPECT_EQ(form.LCD_Main->OuterMarginLeft(), 2);
  EXPECT_EQ(form.LCD_Main->OuterMarginBottom(), 2);
  TLCDCharacterSet builtIn(kDefaultGlyphHeight);
  builtIn.LoadDefaultGlyphs();
  for (int code = 0; code < TLCDCharacterSet::kStreamedCount; ++code)
    ASSERT_EQ(form.LCD_Main->CharacterSet().Character(code).Data(), builtIn.Character(code).Data()) << code;
}

// At start every slider is at 0: black swatches, readouts at 0, the
// diagram's texts "0" and "0", and the banner on the LCD.
TEST_F(MainFormTest, StartStateShowsBlackAndZeroesAndTheBanner) {
  EXPECT_EQ(form.Panel->BackGroundColor(), clBlack);
  EXPECT_EQ(form.PanelY->BackGroundColor(), clBlack);
  for (TiSevenSegmentAnalog* readout : {form.ValorLumi, form.ValorR_Y, form.ValorV, form.ValorB_Y, form.ValorU})
    EXPECT_EQ(readout->Value(), 0.0) << readout->Name();
  for (TiSevenSegmentInteger* readout : {form.ValorRojo, form.ValorVerde, form.ValorAzul})
    EXPECT_EQ(readout->Value(), 0) << readout->Name();
  EXPECT_EQ(form.LCD_Main->Text(),
            "\xA1Se\xF1"
            "ales de color en televisi\xF3n");
}

// Each handler refreshes everything and sets only its own slider's readout,
// from the position it reads inside the event.
TEST_F(MainFormTest, MovingASliderSetsOnlyItsOwnPercentReadout) {
  form.CursorVerde->SetPosition(42);
  EXPECT_EQ(form.ValorVerde->Value(), 42);
  EXPECT_EQ(form.ValorRojo->Value(), 0);
  EXPECT_EQ(form.ValorAzul->Value(), 0);
  const TColorSignalValues green = ComputeColorSignals(0, 42, 0);
  EXPECT_EQ(form.Panel->BackGroundColor(), green.SwatchColor);
  EXPECT_EQ(form.ValorV->Value(), green.V);
  form.CursorRojo->SetPosition(37.5);
  EXPECT_EQ(form.ValorRojo->Value(), 38);
  EXPECT_EQ(form.ValorVerde->Value(), 42);
  EXPECT_EQ(form.Panel->BackGroundColor(), ComputeColorSignals(37.5, 42, 0).SwatchColor);
  form.CursorAzul->SetPosition(99.5);
  EXPECT_EQ(form.ValorAzul->Value(), 100);
  EXPECT_EQ(form.ValorRojo->Value(), 38);
}

// Refrescar's order, seen from the readouts' change notifications: the
// swatches are already new at the first readout, each readout follows the
// one before it (V from the value R-Y holds, U from B-Y), and the diagram
// is redrawn only after the last.
TEST_F(MainFormTest, RefreshUpdatesTheControlsInItsOrder) {
  const TColorSignalValues next = ComputeColorSignals(100, 0, 0);
  TBitmap startDiagram;
  startDiagram.Assign(*form.Vector->Picture().Graphic());
  const auto diagramUnchanged = [&] {
    const TBitmap& now = *form.Vector->Picture().Graphic();
    for (int y = 0; y < kVectorDiagramHeight; ++y)
      for (int x = 0; x < kVectorDiagramWidth; ++x)
        if (now.Pixel(x, y) != startDiagram.Pixel(x, y)) return false;
    return true;
  };
  std::vector<std::string> log;
  for (TiSevenSegmentAnalog* readout : {form.ValorLumi, form.ValorR_Y, form.ValorV, form.ValorB_Y, form.ValorU})
    readout->SetPropertyChangeHook([&](TObject* sender, const std::string& property) {
      const bool swatchesNew =
          form.Panel->BackGroundColor() == next.SwatchColor && form.PanelY->BackGroundColor() == next.GreySwatchColor;
      log.push_back(static_cast<TComponent*>(sender)->Name() + "." + property + (swatchesNew ? " swatches" : "") +
                    (diagramUnchanged() ? " old-diagram" : ""));
    });
  form.CursorRojo->SetPosition(100);
  EXPECT_EQ(log,
            (std::vector<std::string>{"ValorLumi.Value swatches old-diagram", "ValorR_Y.Value swatches old-diagram",
                                      "ValorV.Value swatches old-diagram", "ValorB_Y.Value swatches old-diagram",
                                      "ValorU.Value swatches old-diagram"}));
  EXPECT_FALSE(diagramUnchanged());
  EXPECT_EQ(form.ValorV->Value(), 0.877 * form.ValorR_Y->Value());
  EXPECT_EQ(form.ValorU->Value(), 0.492 * form.ValorB_Y->Value());
}

// The vector cases on the image's bitmap as the real window draws them:
// end point and origin aqua, the axes aqua where the vector crosses them.
TEST_F(MainFormTest, DiagramShowsTheVectorOfTheSliders) {
  const struct {
    double red, green, blue;
    int endX, endY;
  } cases[] = {
      {0, 0, 0, 153, 115},   {100, 0, 0, 131, 23},   {0, 100, 100, 175, 207},
      {0, 0, 100, 219, 129}, {100, 100, 0, 87, 101}, {50, 50, 50, 153, 115},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.red << ", " << c.green << ", " << c.blue);
    form.CursorRojo->SetPosition(c.red);
    form.CursorVerde->SetPosition(c.green);
    form.CursorAzul->SetPosition(c.blue);
    const TBitmap& diagram = *form.Vector->Picture().Graphic();
    const bool zeroLength = c.endX == 153 && c.endY == 115;
    EXPECT_EQ(diagram.Pixel(c.endX, c.endY), zeroLength ? clGreen : clAqua);  // the axes' crossing stays green
    EXPECT_EQ(diagram.Pixel(153, 115 + (c.endY > 115 ? 1 : -1)), zeroLength ? clGreen : clAqua);
    EXPECT_EQ(diagram.Pixel(153 + (c.endX > 153 ? 1 : -1), 115), zeroLength ? clGreen : clAqua);
    // One pixel beyond the end, along the vector's direction, is off the line.
    if (!zeroLength) {
      const int beyondX = c.endX + (c.endX > 153 ? 3 : -3), beyondY = c.endY + (c.endY > 115 ? 3 : -3);
      EXPECT_NE(diagram.Pixel(beyondX, beyondY), clAqua);
    }
    TBitmap expected(kVectorDiagramWidth, kVectorDiagramHeight);
    const TColorSignalValues s = ComputeColorSignals(c.red, c.green, c.blue);
    DrawVectorDiagram(expected.Canvas(), s.U, s.V);
    int differing = 0;
    for (int y = 0; y < kVectorDiagramHeight; ++y)
      for (int x = 0; x < kVectorDiagramWidth; ++x) differing += diagram.Pixel(x, y) != expected.Pixel(x, y);
    EXPECT_EQ(differing, 0);
  }
}

// Tab, as the window layer handles it, walks the sliders green, blue, red.
TEST_F(MainFormTest, TabWalksTheSlidersGreenBlueRed) {
  form.Show();
  form.CursorVerde->SetFocus();
  ASSERT_EQ(form.FocusedControl(), form.CursorVerde);
  form.CursorVerde->DispatchKeyDown(VK_TAB, {});
  EXPECT_EQ(form.FocusedControl(), form.CursorAzul);
  form.CursorAzul->DispatchKeyDown(VK_TAB, {});
  EXPECT_EQ(form.FocusedControl(), form.CursorRojo);
  form.CursorRojo->DispatchKeyDown(VK_TAB, {ssShift});
  EXPECT_EQ(form.FocusedControl(), form.CursorAzul);
  // An arrow key on the focused slider moves it and its readout follows.
  form.CursorAzul->DispatchKeyDown(VK_UP, {});
  EXPECT_EQ(form.CursorAzul->Position(), 1.0);
  EXPECT_EQ(form.ValorAzul->Value(), 1);
  form.Hide();
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
