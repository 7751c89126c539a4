// The test-signal window with the main window: the TV standards it shows
// agree with an independent reference built from the published
// coefficients, in both locales; a bar (clicked or by its key) and typed
// values move the main window's sliders as the user would, refused values
// leave everything as it is, the fields follow the sliders, the clipboard
// gets the values, and opening the window changes no pixel of the main one.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <cstdint>
#include <string>
#include <vector>

#include "app/BarStrip.h"
#include "app/ColorSignals.h"
#include "app/EntryField.h"
#include "app/ExactValues.h"
#include "app/MainForm.h"
#include "app/StandardsTable.h"
#include "app/TestSignalsForm.h"
#include "app/WaveformMonitor.h"
#include "instruments/SevenSegmentAnalog.h"
#include "instruments/SevenSegmentInteger.h"
#include "instruments/Slider.h"
#include "platform/graphics/Bitmap.h"
#include "platform/window/AccessibleDescription.h"
#include "platform/window/Image.h"
#include "platform/window/KeyCodes.h"
#include "platform/window/Label.h"
#include "runtime/Windows1252.h"
#include "system/Locale.h"
#include "tests/app/AppTestSupport.h"

namespace tintoral {
namespace {

// The reference: each digital standard's figures from its published coefficients,
// in exact integer arithmetic. Colours are given in tenths of a per cent and
// coefficients in ten-thousandths, so Y = sum(k * x) / 10^7 exactly; a
// quotient is rounded half away from zero at the third decimal, as the
// window rounds the exact value.
struct Reference {
  const char* name;
  std::int64_t kr, kb;  // luma weights, ten-thousandths; Kg = 1 - Kr - Kb
};
// ITU-R BT.601, BT.709 and BT.2020.
constexpr Reference kReferences[] = {{"BT.601", 2990, 1140}, {"BT.709", 2126, 722}, {"BT.2020", 2627, 593}};

// n / d with three decimals, rounded half away from zero.
std::string Decimal(std::int64_t n, std::int64_t d, bool sign, char separator) {
  const bool negative = (n < 0) != (d < 0);
  const std::int64_t an = n < 0 ? -n : n, ad = d < 0 ? -d : d;
  const std::int64_t thousandths = (2 * an * 1000 + ad) / (2 * ad);
  std::string digits = std::to_string(thousandths % 1000);
  digits.insert(0, 3 - digits.size(), '0');
  const std::string text = std::to_string(thousandths / 1000) + separator + digits;
  if (negative && thousandths != 0) return "-" + text;
  return (sign ? "+" : "") + text;
}

// Cr = (R-Y) / (2 - 2 Kr), Cb = (B-Y) / (2 - 2 Kb).
std::vector<std::string> ReferenceRow(const Reference& r, const std::int64_t (&c)[3], char sep) {
  constexpr std::int64_t kScale = 10'000'000;  // of Y, R-Y and B-Y
  const std::int64_t y = r.kr * c[0] + (10'000 - r.kr - r.kb) * c[1] + r.kb * c[2];
  const std::int64_t ry = c[0] * 10'000 - y, by = c[2] * 10'000 - y;
  return {r.name,
          Decimal(y, kScale, false, sep),
          Decimal(ry, kScale, true, sep),
          Decimal(by, kScale, true, sep),
          "Cr " + Decimal(ry, 2 * (10'000 - r.kr) * kScale / 10'000, true, sep),
          "Cb " + Decimal(by, 2 * (10'000 - r.kb) * kScale / 10'000, true, sep)};
}

// A readout of the main window as it shows.
std::string Shown(const TControl* readout) {
  const TAccessibleDescriber* describer = FindAccessibleDescriber(*readout);
  return describer ? Utf16ToWindows1252(describer->ShownText(*readout).value_or(u"")) : "";
}

class TestSignalsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { app_testing::RegisterLayoutClasses(); }
  void SetUp() override {
    main.Show();
    main.ShowTestSignals();
    window = main.TestSignals();
    ASSERT_NE(window, nullptr);
  }

  static void Press(TWinControl& target, std::uint16_t key, TShiftState shift = {}) {
    target.DispatchKeyDown(key, shift);
  }
  void Type(TEntryField& field, const std::string& text) {
    field.SetFocus();
    while (!field.Text().empty()) Press(field, VK_BACK);
    for (char c : text) field.DispatchChar(c);
    Press(field, VK_RETURN);
  }

  TForm1 main{nullptr};
  TTestSignalsForm* window = nullptr;
};

TEST_F(TestSignalsTest, StandardsAgreeWithThePublishedCoefficientsInBothLocales) {
  // Tenths of a per cent: the bars' levels, a tie at the third decimal
  // (75 % yellow under BT.601: Y = 0.6645), fractions and the main window's
  // worked colours.
  const std::int64_t colours[][3] = {{1000, 0, 0},  {750, 750, 0},      {100, 200, 300}, {375, 620, 183},
                                     {0, 890, 590}, {1000, 1000, 1000}, {0, 0, 1000},    {750, 0, 750}};
  for (const char separator : {'.', ','}) {
    const ScopedDecimalSeparator locale(separator);
    for (const auto& c : colours) {
      SCOPED_TRACE(std::to_string(c[0]) + " " + std::to_string(c[1]) + " " + std::to_string(c[2]) + " tenths in '" +
                   separator + "'");
      main.CursorRojo->SetPositionAsUser(c[0] / 10.0);
      main.CursorVerde->SetPositionAsUser(c[1] / 10.0);
      main.CursorAzul->SetPositionAsUser(c[2] / 10.0);
      const auto rows = window->Standards()->ValueRows();
      ASSERT_EQ(rows.size(), 4u);
      // The program's column is the main window's own arithmetic (Y kept
      // as a double first, so an exact tie such as Y = 0.6675 may show
      // 0.667): it shows what the main window's readouts show.
      EXPECT_EQ(rows[0],
                (std::vector<std::string>{"Programa", Shown(main.ValorLumi), Shown(main.ValorR_Y), Shown(main.ValorB_Y),
                                          "V " + Shown(main.ValorV), "U " + Shown(main.ValorU)}));
      for (int i = 1; i < 4; ++i) EXPECT_EQ(rows[i], ReferenceRow(kReferences[i - 1], c, separator));
    }
  }
}

TEST_F(TestSignalsTest, BarsByClickAndByKeyMoveTheMainSlidersAndItsReadouts) {
  // The yellow bar of the 75 % row, clicked.
  const TRect yellow75 = BarRect({TBarSet::Reduced, 1});
  window->Barras->OnMouseDown()(window->Barras, mbLeft, TShiftState{}, yellow75.Left + 5, yellow75.Top + 5);
  EXPECT_EQ(main.CursorRojo->Position(), 75);
  EXPECT_EQ(main.CursorVerde->Position(), 75);
  EXPECT_EQ(main.CursorAzul->Position(), 0);
  EXPECT_EQ(main.ValorRojo->Value(), 75);
  EXPECT_EQ(main.ValorLumi->Value(), ComputeColorSignals(75, 75, 0).LumaShown);
  EXPECT_EQ(window->BarraActual->Caption(), "Barra: Amarillo 75 %");
  // Key 0 switches to the 100 % set, key 6 is its red bar.
  Press(*window, '0');
  Press(*window, '6');
  EXPECT_EQ(main.CursorRojo->Position(), 100);
  EXPECT_EQ(main.CursorVerde->Position(), 0);
  EXPECT_EQ(main.ValorU->Value(), ComputeColorSignals(100, 0, 0).U);
}

TEST_F(TestSignalsTest, TypedValuesApplyAndRefusedOnesChangeNothingButTheMessage) {
  const ScopedDecimalSeparator comma(',');
  const TExactValues& values = *window->ExactValues();
  Type(values.PercentField(0), "37,5");
  EXPECT_EQ(main.CursorRojo->Position(), 37.5);
  EXPECT_EQ(main.ValorRojo->Value(), 38);
  Type(values.LevelField(1), "128");
  EXPECT_EQ(ComputeColorSignals(0, main.CursorVerde->Position(), 0).Green8, 128);
  EXPECT_EQ(values.PercentField(1).Text(), "50,196");  // the other fields follow
  Type(values.HexField(), "#0000ff");
  EXPECT_EQ(main.CursorRojo->Position(), 0);
  EXPECT_EQ(main.CursorAzul->Position(), 100);
  EXPECT_EQ(values.HexField().Text(), "#0000FF");

  Type(values.PercentField(2), "150");
  EXPECT_EQ(main.CursorAzul->Position(), 100) << "never clamped";
  EXPECT_NE(values.Message().Caption().find("fuera de 0 a 100"), std::string::npos);
  EXPECT_EQ(values.PercentField(2).Text(), "150") << "the refused text stays to be corrected";

  main.CursorVerde->SetPositionAsUser(10);  // the sliders move: the fields follow
  EXPECT_EQ(values.PercentField(1).Text(), "10");
  EXPECT_EQ(values.LevelField(1).Text(), "26");
  EXPECT_EQ(values.Message().Caption(), "");
}

TEST_F(TestSignalsTest, DigitsTypedInAFieldStayInTheField) {
  window->ExactValues()->PercentField(0).SetFocus();
  window->ExactValues()->PercentField(0).DispatchChar('3');
  Press(window->ExactValues()->PercentField(0), '3');
  EXPECT_EQ(main.CursorRojo->Position(), 0) << "no bar chosen";
}

TEST_F(TestSignalsTest, CopyPutsTheValuesOnTheClipboardTabSeparatedWithNames) {
  const ScopedDecimalSeparator point('.');
  main.CursorRojo->SetPositionAsUser(100);
  Press(*window, 'C', {ssCtrl});
  const QString window2 = QGuiApplication::clipboard()->text();
  EXPECT_TRUE(
      window2.startsWith("Norma\tY\tR-Y\tB-Y\tV / Cr\tU / Cb\nPrograma\t0.300\t+0.700\t-0.300\tV +0.614\tU -0.148\n"))
      << window2.toStdString();
  Press(*main.CursorAzul, 'C', {ssCtrl});
  EXPECT_EQ(QGuiApplication::clipboard()->text(),
            "R\tG\tB\tLuminancia "
            "(Y)\tR-Y\tV\tB-Y\tU\tAng\tMod\n100\t0\t0\t0.300\t+0.700\t+0.614\t-0.300\t-0.148\t103.5\t0.631\n");
}

TEST_F(TestSignalsTest, TheWaveformFollowsTheSlidersAndTheBarSetAndSaysSo) {
  main.CursorRojo->SetPositionAsUser(100);
  Press(*window, '0');  // to the 75 % bars
  const TColorSignalValues red = ComputeColorSignals(100, 0, 0);
  TBitmap expected(kWaveformWidth, kWaveformHeight);
  TWaveformSurface::Draw(expected.Canvas(), TBarSet::Reduced, red);
  EXPECT_TRUE(app_testing::PixelsOf(window->FormaDeOnda->Picture().Bitmap()) == app_testing::PixelsOf(expected));
  const TAccessibleDescriber* describer = FindAccessibleDescriber(*window->FormaDeOnda);
  ASSERT_NE(describer, nullptr);
  const std::string heard = Utf16ToWindows1252(describer->Name(*window->FormaDeOnda));
  EXPECT_EQ(heard.rfind("Monitor de forma de onda, barras 75 %", 0), 0u) << heard;
  EXPECT_NE(heard.find("color actual: Y 30"), std::string::npos) << heard;
}

// Two main windows reach the cyan bar, one through the test-signal window
// (opened with F2) and one through its sliders alone: the same pixels.
TEST(TestSignalsWindowTest, OpeningItChangesNoPixelOfTheMainWindow) {
  app_testing::RegisterLayoutClasses();
  TForm1 withWindow(nullptr), alone(nullptr);
  withWindow.DispatchKeyDown(VK_F2, {});
  ASSERT_NE(withWindow.TestSignals(), nullptr);
  EXPECT_TRUE(withWindow.TestSignals()->Visible());
  withWindow.TestSignals()->ChooseBar(2);
  alone.CursorRojo->SetPositionAsUser(0);
  alone.CursorVerde->SetPositionAsUser(100);
  alone.CursorAzul->SetPositionAsUser(100);
  TBitmap shown, expected;
  withWindow.RenderTo(shown);
  alone.RenderTo(expected);
  EXPECT_EQ(withWindow.CursorVerde->Position(), 100);
  EXPECT_EQ(shown.Width(), expected.Width());
  EXPECT_TRUE(app_testing::PixelsOf(shown) == app_testing::PixelsOf(expected));
}

}  // namespace
}  // namespace tintoral
