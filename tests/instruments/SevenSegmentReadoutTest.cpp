#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "instruments/SevenSegmentAnalog.h"
#include "instruments/SevenSegmentInteger.h"
#include "runtime/FormReader.h"
#include "system/Locale.h"
#include "tests/platform/graphics/CanvasTestSupport.h"

namespace tintoral {
namespace {

using test::Surface;

// One shape of an expected image: value, origin, cell width and height.
struct Shape {
  TSevenSegmentCharacter value;
  int x;
  int y;
  int width;
  int height;
};

// The picture of `shapes` drawn by a stand-alone character set up like the
// display's hidden one, on the display's black background.
std::unique_ptr<Surface> Expected(const TiSevenSegmentDisplay& display, const std::vector<Shape>& shapes) {
  auto expected = std::make_unique<Surface>(display.Width(), display.Height(), clBlack);
  Surface& surface = *expected;
  TiSevenSegmentCharacter engine(nullptr);
  engine.SetAutoSize(false);
  engine.SetSegmentMargin(0);
  engine.SetSegmentColor(display.SegmentColor());
  engine.SetSegmentOffColor(display.SegmentOffColor());
  engine.SetAutoSegmentOffColor(display.AutoSegmentOffColor());
  engine.SetSegmentSize(display.SegmentSize());
  engine.SetSegmentSeperation(display.SegmentSeperation());
  engine.SetShowOffSegments(display.ShowOffSegments());
  for (const Shape& s : shapes) engine.DrawCharacter(surface.canvas, {s.x, s.y}, s.value, s.width, s.height);
  return expected;
}

std::unique_ptr<Surface> Painted(TiSevenSegmentDisplay& display) {
  auto surface = std::make_unique<Surface>(display.Width(), display.Height(), clYellow);
  display.PaintTo(surface->canvas);
  return surface;
}

// Pixels where the display's painting differs from the expected shapes.
int Mismatches(TiSevenSegmentDisplay& display, const std::vector<Shape>& shapes) {
  const auto painted = Painted(display);
  const auto expected = Expected(display, shapes);
  const Surface& a = *painted;
  const Surface& b = *expected;
  int count = 0;
  for (int y = 0; y < a.bitmap.Height(); ++y)
    for (int x = 0; x < a.bitmap.Width(); ++x) count += a.At(x, y) != b.At(x, y);
  return count;
}

// Digit cells of the main window's analog readouts: 10 × 18 at y = 5.
std::vector<Shape> Cells(const std::vector<TSevenSegmentCharacter>& values, int firstX = 5) {
  std::vector<Shape> shapes;
  for (std::size_t i = 0; i < values.size(); ++i)
    shapes.push_back({values[i], firstX + 16 * static_cast<int>(i), 5, 10, 18});
  return shapes;
}

std::vector<Shape> With(std::vector<Shape> shapes, Shape extra) {
  shapes.push_back(extra);
  return shapes;
}

// ---- Analog readout ----------------------------------------------------------

class MainAnalogReadout : public ::testing::TestWithParam<char> {
 protected:
  MainAnalogReadout() {
    readout.SetDigitCount(4);
    readout.SetPrecision(3);
  }
  TSevenSegmentCharacter Mark() const { return GetParam() == '.' ? sscPeriod : sscComma; }
  void ExpectPicture(double value, bool showSign, const std::vector<Shape>& shapes) {
    readout.SetShowSign(showSign);
    readout.SetValue(value);
    EXPECT_EQ(Mismatches(readout, shapes), 0) << value;
  }

  ScopedDecimalSeparator separator_{GetParam()};
  TiSevenSegmentAnalog readout{nullptr};
};

TEST_P(MainAnalogReadout, LuminanceWithoutSignIs68By28WithTheMarkAfterTheFirstDigit) {
  readout.SetShowSign(false);
  EXPECT_EQ(readout.Width(), 68);
  EXPECT_EQ(readout.Height(), 28);
  ExpectPicture(0.614, false, With(Cells({ssc0, ssc6, ssc1, ssc4}), {Mark(), 17, 5, 2, 18}));
  ExpectPicture(1.0, false, With(Cells({ssc1, ssc0, ssc0, ssc0}), {Mark(), 17, 5, 2, 18}));
}

TEST_P(MainAnalogReadout, SignedValuesPutTheMarkAt33) {
  ExpectPicture(0.5, true, With(Cells({sscPlus, ssc0, ssc5, ssc0, ssc0}), {Mark(), 33, 5, 2, 18}));
  ExpectPicture(-0.123, true, With(Cells({sscMinus, ssc0, ssc1, ssc2, ssc3}), {Mark(), 33, 5, 2, 18}));
  ExpectPicture(-0.0002, true, With(Cells({sscMinus, ssc0, ssc0, ssc0, ssc0}), {Mark(), 33, 5, 2, 18}));
  EXPECT_EQ(readout.Width(), 84);
}

TEST_P(MainAnalogReadout, OverflowShowsArrowsAndNoMark) {
  ExpectPicture(12.5, true, Cells({sscPlus, sscUpArrow, sscUpArrow, sscUpArrow, sscUpArrow}));
  ExpectPicture(-9.9996, true, Cells({sscMinus, sscDownArrow, sscDownArrow, sscDownArrow, sscDownArrow}));
}

INSTANTIATE_TEST_SUITE_P(BothSeparators, MainAnalogReadout, ::testing::Values('.', ','),
                         [](const auto& info) { return info.param == '.' ? "Point" : "Comma"; });

TEST(SevenSegmentAnalog, DefaultsAre84By28WithTwoDecimals) {
  TiSevenSegmentAnalog readout(nullptr);
  EXPECT_EQ(readout.Width(), 84);
  EXPECT_EQ(readout.Height(), 28);
  EXPECT_EQ(readout.Precision(), 2);
  EXPECT_TRUE(readout.ShowSign());
  EXPECT_EQ(readout.Value(), 0.0);
  readout.SetShowSign(false);
  EXPECT_EQ(readout.Width(), 68);
  readout.SetPrecision(0);  // the mark lives in a gap: no change of size
  EXPECT_EQ(readout.Width(), 68);
}

TEST(SevenSegmentAnalog, ValueIsKeptUnroundedAndCappedAbove) {
  TiSevenSegmentAnalog readout(nullptr);
  readout.SetValue(0.123456789012345);
  EXPECT_EQ(readout.Value(), 0.123456789012345);
  readout.SetValue(2.0e15);
  EXPECT_EQ(readout.Value(), 1.0e15);
  readout.SetValue(-2.0e15);
  EXPECT_EQ(readout.Value(), -2.0e15);
  readout.SetValue(std::nan(""));
  EXPECT_EQ(readout.Value(), 1.0e15);
}

TEST(SevenSegmentAnalog, PrecisionIsHeldToZeroThroughThirteen) {
  TiSevenSegmentAnalog readout(nullptr);
  readout.SetPrecision(20);
  EXPECT_EQ(readout.Precision(), 13);
  readout.SetPrecision(-1);
  EXPECT_EQ(readout.Precision(), 0);
}

// ---- Hooks and events --------------------------------------------------------

template <class Readout>
std::vector<std::string> RecordValueChanges(Readout& readout, bool allow, std::vector<double> values) {
  std::vector<std::string> log;
  readout.SetEditPermissionHook([&](TObject*, const std::string& name, bool& permitted) {
    log.push_back("permit " + name);
    permitted = allow;
  });
  readout.SetPropertyChangeHook([&](TObject*, const std::string& name) { log.push_back("changed " + name); });
  readout.SetOnValueChange([&](TObject*) { log.push_back("OnValueChange"); });
  for (double v : values) readout.SetValue(static_cast<decltype(readout.Value())>(v));
  return log;
}

TEST(SevenSegmentReadoutEvents, PermissionThenChangeHookThenEventOnlyForNewValues) {
  const std::vector<std::string> once{"permit Value", "changed Value", "OnValueChange"};
  TiSevenSegmentAnalog analog(nullptr);
  EXPECT_EQ(RecordValueChanges(analog, true, {0.5, 0.5}), once);
  TiSevenSegmentInteger integer(nullptr);
  EXPECT_EQ(RecordValueChanges(integer, true, {7, 7}), once);
}

TEST(SevenSegmentReadoutEvents, ARefusedValueChangesNothing) {
  TiSevenSegmentAnalog analog(nullptr);
  EXPECT_EQ(RecordValueChanges(analog, false, {0.5}), (std::vector<std::string>{"permit Value"}));
  EXPECT_EQ(analog.Value(), 0.0);
  TiSevenSegmentInteger integer(nullptr);
  RecordValueChanges(integer, false, {7});
  EXPECT_EQ(integer.Value(), 0);
}

TEST(SevenSegmentReadoutEvents, AValueCappedToTheStoredOneFiresNothing) {
  TiSevenSegmentAnalog analog(nullptr);
  analog.SetValue(1e15);
  EXPECT_TRUE(RecordValueChanges(analog, true, {3e15}).empty());
}

// A layout being read only stores the value: no permission, hook or event.
template <class Readout>
std::vector<std::string> RecordWhileReading(Readout& readout, const std::string& layout) {
  std::vector<std::string> log;
  readout.SetEditPermissionHook([&](TObject*, const std::string& name, bool&) { log.push_back("permit " + name); });
  readout.SetPropertyChangeHook([&](TObject*, const std::string& name) { log.push_back("changed " + name); });
  readout.SetOnValueChange([&](TObject*) { log.push_back("OnValueChange"); });
  ReadRootComponentText(layout, readout);
  return log;
}

TEST(SevenSegmentReadoutEvents, ReadingALayoutStoresTheValueQuietly) {
  TiSevenSegmentAnalog analog(nullptr);
  EXPECT_TRUE(RecordWhileReading(analog, "object ValorV: TiSevenSegmentAnalog\n  Value = -0.3\nend\n").empty());
  EXPECT_EQ(analog.Value(), -0.3);
  TiSevenSegmentInteger integer(nullptr);
  EXPECT_TRUE(RecordWhileReading(integer, "object ValorRojo: TiSevenSegmentInteger\n  Value = 38\nend\n").empty());
  EXPECT_EQ(integer.Value(), 38);
}

// ---- Integer readout ---------------------------------------------------------

// The main window's integer readouts: 3 digits, no sign, kept at 52 × 26.
class MainIntegerReadout : public ::testing::Test {
 protected:
  MainIntegerReadout() {
    readout.SetDigitCount(3);
    readout.SetShowSign(false);
    readout.SetSegmentOffColor(clWindowFrame);
    readout.SetAutoSegmentOffColor(false);
    readout.SetAutoSize(false);
    readout.SetBounds(0, 0, 52, 26);
  }
  void ExpectCells(int value, const std::vector<TSevenSegmentCharacter>& values) {
    readout.SetValue(value);
    std::vector<Shape> shapes;
    for (std::size_t i = 0; i < values.size(); ++i)
      shapes.push_back({values[i], 5 + 16 * static_cast<int>(i), 5, 10, 16});
    EXPECT_EQ(Mismatches(readout, shapes), 0) << value;
  }
  TiSevenSegmentInteger readout{nullptr};
};

TEST_F(MainIntegerReadout, SlidersValuesUseTenBySixteenCells) {
  ExpectCells(0, {sscBlank, sscBlank, ssc0});
  ExpectCells(7, {sscBlank, sscBlank, ssc7});
  ExpectCells(42, {sscBlank, ssc4, ssc2});
  ExpectCells(100, {ssc1, ssc0, ssc0});
  ExpectCells(1000, {sscUpArrow, sscUpArrow, sscUpArrow});
}

TEST_F(MainIntegerReadout, LeadingNoneLeavesTheCellsToTheRightUndrawn) {
  readout.SetLeadingStyle(ilsNone);
  ExpectCells(7, {ssc7});
  const auto painted = Painted(readout);
  for (int y = 0; y < 26; ++y)
    for (int x = 21; x < 52; ++x) ASSERT_EQ(painted->At(x, y), clBlack) << x << "," << y;
}

TEST(SevenSegmentInteger, DefaultsSignAndOverflow) {
  TiSevenSegmentInteger readout(nullptr);
  EXPECT_EQ(readout.Width(), 84);
  EXPECT_EQ(readout.Height(), 28);
  readout.SetValue(-42);
  EXPECT_EQ(Mismatches(readout, Cells({sscMinus, sscBlank, sscBlank, ssc4, ssc2})), 0);
  readout.SetValue(-12345);
  EXPECT_EQ(Mismatches(readout, Cells({sscMinus, sscDownArrow, sscDownArrow, sscDownArrow, sscDownArrow})), 0);
  readout.SetLeadingStyle(ilsZeros);
  readout.SetShowSign(false);
  EXPECT_EQ(readout.Width(), 68);
  readout.SetValue(7);
  EXPECT_EQ(Mismatches(readout, Cells({ssc0, ssc0, ssc0, ssc7})), 0);
}

TEST(SevenSegmentInteger, SignCellLightsOneSignAndShowsTheOtherOff) {
  TiSevenSegmentInteger readout(nullptr);
  readout.SetValue(5);
  const auto painted = Painted(readout);
  const TColor on = readout.HiddenCharacter().OnColor() & 0xFFFFFF;
  const TColor off = readout.HiddenCharacter().OffColor() & 0xFFFFFF;
  // The sign cell spans x 5 … 14, y 5 … 22: plus in the upper half, minus below.
  int onAbove = 0, offBelow = 0, onBelow = 0;
  for (int y = 5; y < 23; ++y)
    for (int x = 5; x < 15; ++x) {
      onAbove += y < 14 && painted->At(x, y) == on;
      onBelow += y >= 14 && painted->At(x, y) == on;
      offBelow += y >= 14 && painted->At(x, y) == off;
    }
  EXPECT_GT(onAbove, 0);
  EXPECT_GT(offBelow, 0);
  EXPECT_EQ(onBelow, 0);
}

}  // namespace
}  // namespace tintoral
