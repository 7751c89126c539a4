#include "instruments/SevenSegmentDisplay.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "platform/graphics/SaturateToInt.h"
#include "runtime/ClassBuilder.h"

namespace tintoral {

namespace {

constexpr int MinSegmentSize = 1;
constexpr int MaxSegmentSize = 100;
constexpr int Unbounded = std::numeric_limits<int>::max();

int TruncateToInt(double value) {
  if (!(value > std::numeric_limits<int>::min() && value < std::numeric_limits<int>::max()))
    return value > 0 ? std::numeric_limits<int>::max() : std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

}  // namespace

const TClassInfo& TiSevenSegmentDisplay::StaticClass() {
  using T = TiSevenSegmentDisplay;
  static const TClassInfo info =
      DescribeClass<T>("TiSevenSegmentDisplay", TiCustomComponent::StaticClass(), [](auto& b) {
        b.Property("AutoSize", &T::AutoSize, &T::SetAutoSize).Default(true);
        b.Property("DigitSpacing", &T::DigitSpacing, &T::SetDigitSpacing).Default(6);
        b.Property("SegmentMargin", &T::SegmentMargin, &T::SetSegmentMargin).Default(5);
        b.Property("SegmentColor", &T::SegmentColor, &T::SetSegmentColor).Default(clWhite).TypeName("TColor");
        b.Property("SegmentSeperation", &T::SegmentSeperation, &T::SetSegmentSeperation).Default(1);
        b.Property("SegmentSize", &T::SegmentSize, &T::SetSegmentSize).Default(1);
        b.Property("ShowOffSegments", &T::ShowOffSegments, &T::SetShowOffSegments).Default(true);
        b.Property("PowerOff", &T::PowerOff, &T::SetPowerOff).Default(false);
        b.Property("SegmentOffColor", &T::SegmentOffColor, &T::SetSegmentOffColor).Default(clGray).TypeName("TColor");
        b.Property("AutoSegmentOffColor", &T::AutoSegmentOffColor, &T::SetAutoSegmentOffColor).Default(true);
        b.Event("OnValueChange", &T::OnValueChange, &T::SetOnValueChange);
        b.Property("BackGroundColor", &T::BackGroundColor, &T::SetBackGroundColor).Default(clBlack).TypeName("TColor");
        b.Property("BorderStyle", &T::BorderStyle, &T::SetBorderStyle).Default(ibsNone);
        b.Property("Transparent", &T::Transparent, &T::SetTransparent).Default(false);
      });
  return info;
}

TiSevenSegmentDisplay::TiSevenSegmentDisplay(TComponent* owner) : TiCustomComponent(owner) {
  SetBounds(Left(), Top(), 15, 15);
  SetBackGroundColor(clBlack);
  // The hidden character only draws: its update bracket stays open for good,
  // so its setters never repaint it, and it never gets a parent or a widget.
  character_ = new TiSevenSegmentCharacter(this);
  character_->BeginUpdate();
  character_->SetSegmentMargin(0);
  character_->SetAutoSize(false);
  SyncCharacter();
}

TiSevenSegmentDisplay::~TiSevenSegmentDisplay() = default;

// ---- Setters ---------------------------------------------------------------------

bool TiSevenSegmentDisplay::StoreClamped(int value, int minimum, int maximum, int& field) {
  if (!IsLoading()) value = std::clamp(value, minimum, maximum);
  return SetPropertyField(value, field, irkStoreOnly);
}

void TiSevenSegmentDisplay::Relayout() {
  ApplyAutoSize();
  RequestRepaint();
}

void TiSevenSegmentDisplay::SetAutoSize(bool value) {
  if (SetPropertyField(value, autoSize_, irkStoreOnly)) Relayout();
}

void TiSevenSegmentDisplay::SetDigitCount(int value) {
  if (StoreClamped(value, kMinDigitCount, kMaxDigitCount, digitCount_)) Relayout();
}

void TiSevenSegmentDisplay::SetDigitSpacing(int value) {
  if (SetPropertyField(value, digitSpacing_, irkStoreOnly)) Relayout();
}

void TiSevenSegmentDisplay::SetSegmentMargin(int value) {
  if (StoreClamped(value, 0, Unbounded, segmentMargin_)) Relayout();
}

void TiSevenSegmentDisplay::SetSegmentSize(int value) {
  if (!StoreClamped(value, MinSegmentSize, MaxSegmentSize, segmentSize_)) return;
  character_->SetSegmentSize(segmentSize_);
  Relayout();
}

void TiSevenSegmentDisplay::SetSegmentSeperation(int value) {
  if (!StoreClamped(value, 0, Unbounded, segmentSeperation_)) return;
  character_->SetSegmentSeperation(segmentSeperation_);
  RequestRepaint();
}

void TiSevenSegmentDisplay::SetSegmentColor(TColor value) {
  if (!SetPropertyField(value, segmentColor_, irkStoreOnly)) return;
  character_->SetSegmentColor(value);
  RequestRepaint();
}

void TiSevenSegmentDisplay::SetSegmentOffColor(TColor value) {
  if (!SetPropertyField(value, segmentOffColor_, irkStoreOnly)) return;
  character_->SetSegmentOffColor(value);
  RequestRepaint();
}

void TiSevenSegmentDisplay::SetAutoSegmentOffColor(bool value) {
  if (!SetPropertyField(value, autoSegmentOffColor_, irkStoreOnly)) return;
  character_->SetAutoSegmentOffColor(value);
  RequestRepaint();
}

// ---- Layout and drawing ------------------------------------------------------------

void TiSevenSegmentDisplay::ApplyAutoSize() {
  if (IsLoading() || !autoSize_) return;
  const TSize extent = GetAutoSizeExtent();
  SetWidth(extent.Width);
  SetHeight(extent.Height);
  onAutoSize_(this);
}

void TiSevenSegmentDisplay::SyncCharacter() {
  TiSevenSegmentCharacter& c = *character_;
  c.SetSegmentMargin(0);
  c.SetSegmentColor(segmentColor_);
  c.SetSegmentOffColor(segmentOffColor_);
  c.SetAutoSegmentOffColor(autoSegmentOffColor_);
  c.SetSegmentSize(segmentSize_);
  c.SetSegmentSeperation(segmentSeperation_);
  c.SetShowOffSegments(showOffSegments_);
  c.SetPowerOff(powerOff_);
}

TDigitCellLayout TiSevenSegmentDisplay::DigitCellLayout(int cellCount) const {
  const std::int64_t n = std::max(cellCount, 1);
  const std::int64_t margin = segmentMargin_, spacing = digitSpacing_;
  TDigitCellLayout layout;
  const auto free = static_cast<double>(std::int64_t{Width()} - 2 * margin - (n - 1) * spacing);
  layout.CellWidth = TruncateToInt(free / static_cast<double>(n));
  layout.CellHeight = SaturateToInt(std::int64_t{Height()} - 2 * margin);
  layout.First = TPoint{SaturateToInt((std::int64_t{Width()} + spacing - n * (layout.CellWidth + spacing)) / 2),
                        SaturateToInt(margin)};
  layout.Step = SaturateToInt(std::int64_t{layout.CellWidth} + spacing);
  return layout;
}

TSize TiSevenSegmentDisplay::NaturalExtent(int cellCount) {
  character_->SetCharacter('0');
  const std::int64_t n = std::max(cellCount, 1);
  const std::int64_t margin = segmentMargin_, spacing = digitSpacing_;
  const std::int64_t cellWidth = character_->CharacterWidth();
  const std::int64_t cellHeight = character_->CharacterHeight();
  return TSize{SaturateToInt((cellWidth + spacing) * n + 2 * margin - spacing), SaturateToInt(cellHeight + 2 * margin)};
}

void TiSevenSegmentDisplay::DrawCell(TCanvas& canvas, TPoint origin, TSevenSegmentCharacter value,
                                     const TDigitCellLayout& layout) const {
  character_->DrawCharacter(canvas, origin, value, layout.CellWidth, layout.CellHeight);
}

}  // namespace tintoral
