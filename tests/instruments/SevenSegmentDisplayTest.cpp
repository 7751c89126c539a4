// The seven-segment display base: cell layout, natural extent, setter
// clamping and forwarding, the hidden character, and auto-size around
// loading. A small concrete display draws one row of cells.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "instruments/SevenSegmentDisplay.h"
#include "runtime/ClassBuilder.h"
#include "runtime/ClassRegistry.h"
#include "runtime/FormReader.h"

namespace tintoral {
namespace {

// Shows `cells` (one value per cell); its extent is the natural one of that
// many cells.
class TTestDisplay : public TiSevenSegmentDisplay {
  TINTORAL_CLASS(TTestDisplay, TiSevenSegmentDisplay)

 public:
  TTestDisplay(TComponent* owner, int cellCount) : TiSevenSegmentDisplay(owner) {
    cells.assign(static_cast<std::size_t>(cellCount), ssc8);
    ApplyAutoSize();
  }
  explicit TTestDisplay(TComponent* owner) : TTestDisplay(owner, 5) {}

  std::vector<TSevenSegmentCharacter> cells;

  TSize GetAutoSizeExtent() override { return NaturalExtent(CellCount()); }
  void PaintTo(TCanvas& canvas) override {
    SyncCharacter();
    DrawBackground(canvas, BackGroundColor());
    const TDigitCellLayout layout = DigitCellLayout(CellCount());
    for (int i = 0; i < CellCount(); ++i)
      DrawCell(canvas, layout.CellOrigin(i), cells[static_cast<std::size_t>(i)], layout);
  }

 private:
  int CellCount() const { return static_cast<int>(cells.size()); }
};

const TClassInfo& TTestDisplay::StaticClass() {
  static const TClassInfo info = DescribeClass<TTestDisplay>(
      "TTestDisplay", TiSevenSegmentDisplay::StaticClass(),
      [](auto& b) { b.Property("DigitCount", &TTestDisplay::DigitCount, &TTestDisplay::SetDigitCount).Default(4); });
  return info;
}

TEST(SevenSegmentDisplay, TheNaturalExtentGivesSixteenPixelsPerCell) {
  TTestDisplay five(nullptr, 5), three(nullptr, 3);
  EXPECT_EQ((TSize{five.Width(), five.Height()}), (TSize{84, 28}));
  EXPECT_EQ((TSize{three.Width(), three.Height()}), (TSize{52, 28}));
  EXPECT_EQ(three.NaturalExtent(4), (TSize{68, 28}));
  EXPECT_EQ(five.DigitCount(), 4);
  EXPECT_EQ(five.LeadingStyle(), ilsSpaces);
  EXPECT_EQ(five.SegmentColor(), clWhite);
  EXPECT_EQ(five.SegmentOffColor(), clGray);
  EXPECT_EQ(five.BackGroundColor(), clBlack);
}

TEST(SevenSegmentDisplay, CellsAreEqualAndTheRowIsCentred) {
  TTestDisplay display(nullptr, 5);
  EXPECT_EQ(display.DigitCellLayout(5), (TDigitCellLayout{10, 18, TPoint{5, 5}, 16}));
  EXPECT_EQ(display.DigitCellLayout(5).CellOrigin(4), (TPoint{69, 5}));

  TTestDisplay stored(nullptr, 3);
  stored.SetAutoSize(false);
  stored.SetBounds(0, 0, 52, 26);
  EXPECT_EQ(stored.DigitCellLayout(3), (TDigitCellLayout{10, 16, TPoint{5, 5}, 16}));
  stored.SetWidth(60);  // (60 - 10 - 12) / 3 = 12.67 -> 12; x = (60 + 6 - 54) div 2
  EXPECT_EQ(stored.DigitCellLayout(3), (TDigitCellLayout{12, 16, TPoint{6, 5}, 18}));

  stored.SetDigitSpacing(40);  // cells of negative width are laid out as they come
  EXPECT_EQ(stored.DigitCellLayout(3).CellWidth, (60 - 10 - 80) / 3);
  EXPECT_EQ(stored.DigitCellLayout(0), stored.DigitCellLayout(1));
}

TEST(SevenSegmentDisplay, EachCellIsDrawnByTheHiddenCharacterWithoutMargin) {
  TTestDisplay display(nullptr, 3);
  display.cells = {ssc8, sscBlank, ssc1};
  display.PaintBufferNow(false);
  const TBitmap& image = display.PaintBuffer();
  // Segment A of each cell starts at the cell's x + SegmentSeperation on row 5.
  EXPECT_EQ(image.Pixel(5, 5), clBlack);
  EXPECT_EQ(image.Pixel(6, 5), clWhite);    // cell 0: an 8, lit
  EXPECT_EQ(image.Pixel(22, 5), 0x555555);  // cell 1: blank, automatic off colour
  EXPECT_EQ(image.Pixel(38, 5), 0x555555);  // cell 2: a 1 has no A
  EXPECT_EQ(image.Pixel(4, 5 + 4), clBlack);
  EXPECT_EQ(image.Pixel(5, 5 + 4), clWhite);  // F touches the cell's left edge
  EXPECT_EQ(image.Pixel(46, 10), clWhite);    // B of the 1 touches the cell's right edge (37 + 9)

  display.SetPowerOff(true);
  display.SetAutoSegmentOffColor(false);
  display.SetSegmentOffColor(0x203040);
  display.PaintBufferNow(false);
  EXPECT_EQ(display.PaintBuffer().Pixel(6, 5), 0x203040);
}

TEST(SevenSegmentDisplay, SettersClampTheirValues) {
  TTestDisplay display(nullptr);
  display.SetDigitCount(0);
  EXPECT_EQ(display.DigitCount(), 1);
  display.SetDigitCount(40);
  EXPECT_EQ(display.DigitCount(), 32);
  display.SetSegmentSize(200);
  EXPECT_EQ(display.SegmentSize(), 100);
  display.SetSegmentSize(0);
  EXPECT_EQ(display.SegmentSize(), 1);
  display.SetSegmentMargin(-4);
  EXPECT_EQ(display.SegmentMargin(), 0);
  display.SetSegmentSeperation(-1);
  EXPECT_EQ(display.SegmentSeperation(), 0);
  display.SetDigitSpacing(-3);
  EXPECT_EQ(display.DigitSpacing(), -3);
}

TEST(SevenSegmentDisplay, SizeSettingsResizeWhileAutoSizeIsOn) {
  TTestDisplay display(nullptr, 5);
  int autoSizes = 0;
  display.SetOnAutoSize([&](TObject*) { ++autoSizes; });
  display.SetSegmentSize(2);
  EXPECT_EQ((TSize{display.Width(), display.Height()}), (TSize{134, 46}));
  display.SetSegmentMargin(0);
  EXPECT_EQ((TSize{display.Width(), display.Height()}), (TSize{124, 36}));
  display.SetDigitSpacing(1);
  EXPECT_EQ(display.Width(), 21 * 5 - 1);
  EXPECT_EQ(autoSizes, 3);
  display.SetSegmentColor(clRed);
  display.SetShowOffSegments(false);
  EXPECT_EQ(autoSizes, 3);

  display.SetAutoSize(false);
  display.SetSegmentSize(1);
  EXPECT_EQ(display.Width(), 21 * 5 - 1);
  display.SetAutoSize(true);
  EXPECT_EQ(display.Width(), 11 * 5 - 1);
  EXPECT_EQ(autoSizes, 4);
}

TEST(SevenSegmentDisplay, TheHiddenCharacterIsOwnedNeverShownAndNeverRepainted) {
  TTestDisplay display(nullptr);
  TiSevenSegmentCharacter& hidden = display.HiddenCharacter();
  EXPECT_EQ(hidden.Owner(), &display);
  EXPECT_EQ(hidden.Parent(), nullptr);
  EXPECT_EQ(hidden.SegmentMargin(), 0);
  EXPECT_FALSE(hidden.AutoSize());
  EXPECT_TRUE(hidden.Updating());

  display.SetSegmentSize(3);  // forwarded at once, so that measuring follows
  display.SetSegmentColor(clYellow);
  display.SetSegmentSeperation(2);
  EXPECT_EQ(hidden.SegmentSize(), 3);
  EXPECT_EQ(hidden.SegmentColor(), clYellow);
  EXPECT_EQ(hidden.SegmentSeperation(), 2);
  display.SetPowerOff(true);
  EXPECT_FALSE(hidden.PowerOff());  // copied only by SyncCharacter
  display.PaintBufferNow(false);
  EXPECT_TRUE(hidden.PowerOff());
  EXPECT_TRUE(hidden.Updating());
  EXPECT_TRUE(hidden.RepaintPending());  // requests are only marked
  EXPECT_FALSE(hidden.HandleAllocated());
}

TEST(SevenSegmentDisplay, LoadingKeepsTheStoredSizeUntilASizeSettingChanges) {
  RegisterComponentClass<TTestDisplay>();
  const std::string text =
      "object Readout: TTestDisplay\n  Width = 52\n  Height = 26\n  DigitCount = 40\n  SegmentSize = 1\n"
      "  DigitSpacing = 6\n  SegmentColor = clAqua\nend\n";
  int autoSizes = 0;
  std::unique_ptr<TComponent> loaded(ReadComponentText(text));
  UnregisterComponentClass(TTestDisplay::StaticClass());
  auto& display = dynamic_cast<TTestDisplay&>(*loaded);
  display.SetOnAutoSize([&](TObject*) { ++autoSizes; });
  EXPECT_EQ((TSize{display.Width(), display.Height()}), (TSize{52, 26}));
  EXPECT_EQ(display.DigitCount(), 40);  // stored as read
  EXPECT_EQ(display.SegmentColor(), clAqua);
  EXPECT_EQ(display.DigitCellLayout(5).CellHeight, 16);

  display.SetDigitSpacing(7);
  EXPECT_EQ((TSize{display.Width(), display.Height()}), (TSize{17 * 5 + 10 - 7, 28}));
  EXPECT_EQ(autoSizes, 1);
}

}  // namespace
}  // namespace tintoral
