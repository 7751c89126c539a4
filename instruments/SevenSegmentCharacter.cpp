#include "instruments/SevenSegmentCharacter.h"

#include <algorithm>
#include <cstdint>

#include "platform/graphics/SaturateToInt.h"
#include "runtime/ClassBuilder.h"

namespace tintoral {

namespace {

struct ShapeInfo {
  char text;
  std::uint8_t segments;
};

// Indexed by TSevenSegmentCharacter.
constexpr ShapeInfo Shapes[] = {
    {'0', 0x3F}, {'1', 0x06}, {'2', 0x5B}, {'3', 0x4F}, {'4', 0x66}, {'5', 0x6D}, {'6', 0x7D}, {'7', 0x07}, {'8', 0x7F},
    {'9', 0x67}, {'a', 0x77}, {'b', 0x7C}, {'c', 0x39}, {'d', 0x5E}, {'e', 0x79}, {'f', 0x71}, {'.', 0},    {':', 0},
    {'+', 0},    {'-', 0},    {' ', 0},    {'_', 0},    {'<', 0},    {'>', 0},    {';', 0},    {',', 0},
};
constexpr int ShapeCount = static_cast<int>(sizeof(Shapes) / sizeof(Shapes[0]));

}  // namespace

const TEnumType& EnumTypeOf(TSevenSegmentCharacter) {
  static const TEnumType type(
      "TSevenSegmentCharacter",
      {"ssc0",    "ssc1",       "ssc2",         "ssc3",         "ssc4",    "ssc5",     "ssc6",
       "ssc7",    "ssc8",       "ssc9",         "sscA",         "sscB",    "sscC",     "sscD",
       "sscE",    "sscF",       "sscPeriod",    "sscColon",     "sscPlus", "sscMinus", "sscBlank",
       "sscLine", "sscUpArrow", "sscDownArrow", "sscSemiColon", "sscComma"});
  return type;
}

std::uint8_t SegmentsOf(TSevenSegmentCharacter value) { return value < ShapeCount ? Shapes[value].segments : 0; }

bool IsSegmentShape(TSevenSegmentCharacter value) { return value <= sscF || value == sscBlank; }

bool IsNarrowShape(TSevenSegmentCharacter value) {
  return value == sscPeriod || value == sscColon || value == sscSemiColon || value == sscComma;
}

char SevenSegmentToChar(TSevenSegmentCharacter value) { return value < ShapeCount ? Shapes[value].text : '?'; }

const TClassInfo& TiSevenSegmentCharacter::StaticClass() {
  using T = TiSevenSegmentCharacter;
  static const TClassInfo info =
      DescribeClass<T>("TiSevenSegmentCharacter", TiCustomComponent::StaticClass(), [](auto& b) {
        b.Property("Value", &T::Value, &T::SetValue);
        b.Property("Character", &T::Character, &T::SetCharacter);
        b.Property("AutoSize", &T::AutoSize, &T::SetAutoSize).Default(true);
        b.Property("SegmentMargin", &T::SegmentMargin, &T::SetSegmentMargin).Default(2);
        b.Property("SegmentSeperation", &T::SegmentSeperation, &T::SetSegmentSeperation).Default(1);
        b.Property("SegmentSize", &T::SegmentSize, &T::SetSegmentSize).Default(1);
        b.Property("SegmentColor", &T::SegmentColor, &T::SetSegmentColor).Default(clLime).TypeName("TColor");
        b.Property("SegmentOffColor", &T::SegmentOffColor, &T::SetSegmentOffColor).Default(clGreen).TypeName("TColor");
        b.Property("AutoSegmentOffColor", &T::AutoSegmentOffColor, &T::SetAutoSegmentOffColor).Default(true);
        b.Property("ShowOffSegments", &T::ShowOffSegments, &T::SetShowOffSegments).Default(true);
        b.Property("PowerOff", &T::PowerOff, &T::SetPowerOff).Default(false);
        b.Property("UseSegmentBits", &T::UseSegmentBits, &T::SetUseSegmentBits).Default(false);
        b.Property("SegmentBits", &T::SegmentBits, &T::SetSegmentBits).Default(0);
        b.Property("SegAOn", &T::SegAOn, &T::SetSegAOn).Default(false);
        b.Property("SegBOn", &T::SegBOn, &T::SetSegBOn).Default(false);
        b.Property("SegCOn", &T::SegCOn, &T::SetSegCOn).Default(false);
        b.Property("SegDOn", &T::SegDOn, &T::SetSegDOn).Default(false);
        b.Property("SegEOn", &T::SegEOn, &T::SetSegEOn).Default(false);
        b.Property("SegFOn", &T::SegFOn, &T::SetSegFOn).Default(false);
        b.Property("SegGOn", &T::SegGOn, &T::SetSegGOn).Default(false);
        b.Property("BackGroundColor", &T::BackGroundColor, &T::SetBackGroundColor).Default(clBlack).TypeName("TColor");
        b.Property("Transparent", &T::Transparent, &T::SetTransparent).Default(false);
      });
  return info;
}

TiSevenSegmentCharacter::TiSevenSegmentCharacter(TComponent* owner) : TiCustomComponent(owner) {
  SetBackGroundColor(clBlack);
  ApplyAutoSize();
}

TSevenSegmentCharacter TiSevenSegmentCharacter::CharToSevenSegment(char ch) {
  if (ch >= '0' && ch <= '9') return static_cast<TSevenSegmentCharacter>(ssc0 + (ch - '0'));
  if (ch >= 'a' && ch <= 'f') return static_cast<TSevenSegmentCharacter>(sscA + (ch - 'a'));
  if (ch >= 'A' && ch <= 'F') return static_cast<TSevenSegmentCharacter>(sscA + (ch - 'A'));
  switch (ch) {
    case '.': return sscPeriod;
    case ':': return sscColon;
    case '+': return sscPlus;
    case '-': return sscMinus;
    case '_': return sscLine;
    case '<': return sscUpArrow;
    case '>': return sscDownArrow;
    case ';': return sscSemiColon;
    case ',': return sscComma;
    default: return sscBlank;
  }
}

// ---- Setters ---------------------------------------------------------------------

void TiSevenSegmentCharacter::SetValue(TSevenSegmentCharacter value) {
  if (value == value_) return;
  if (IsLoading()) {
    value_ = value;
    return;
  }
  if (!EditPermitted("Value")) return;
  value_ = value;
  RequestRepaint();
  ApplyAutoSize();
  NotifyPropertyChanged("Value");
}

void TiSevenSegmentCharacter::SetAutoSize(bool value) {
  if (!SetPropertyField(value, autoSize_, irkStoreOnly)) return;
  ApplyAutoSize();
  RequestRepaint();
}

bool TiSevenSegmentCharacter::StoreClamped(int value, int minimum, int& field) {
  if (!IsLoading()) value = std::max(value, minimum);
  return SetPropertyField(value, field, irkStoreOnly);
}

void TiSevenSegmentCharacter::SetSegmentMargin(int value) {
  if (!StoreClamped(value, 0, segmentMargin_)) return;
  ApplyAutoSize();
  RequestRepaint();
}

void TiSevenSegmentCharacter::SetSegmentSeperation(int value) {
  if (StoreClamped(value, 0, segmentSeperation_)) RequestRepaint();
}

void TiSevenSegmentCharacter::SetSegmentSize(int value) {
  if (!StoreClamped(value, 1, segmentSize_)) return;
  ApplyAutoSize();
  RequestRepaint();
}

std::uint8_t TiSevenSegmentCharacter::SegmentBits() const {
  std::uint8_t bits = 0;
  for (int i = 0; i < 7; ++i)
    if (segOn_[i]) bits |= static_cast<std::uint8_t>(1u << i);
  return bits;
}

void TiSevenSegmentCharacter::SetSegmentBits(std::uint8_t bits) {
  for (int i = 0; i < 7; ++i) segOn_[i] = (bits >> i) & 1u;
  RequestRepaint();
}

// ---- Size and painting ------------------------------------------------------------

int TiSevenSegmentCharacter::CharacterWidth() const {
  const std::int64_t segments = IsNarrowShape(value_) ? 2 : 10;
  return SaturateToInt(2 * std::int64_t{segmentMargin_} + segments * segmentSize_);
}

int TiSevenSegmentCharacter::CharacterHeight() const {
  return SaturateToInt(2 * std::int64_t{segmentMargin_} + 18 * std::int64_t{segmentSize_});
}

void TiSevenSegmentCharacter::ApplyAutoSize() {
  if (IsLoading() || !autoSize_) return;
  SetHeight(SaturateToInt(std::int64_t{CharacterHeight()} + 1));
  SetWidth(SaturateToInt(std::int64_t{CharacterWidth()} + 1));
  onAutoSize_(this);
}

void TiSevenSegmentCharacter::PaintTo(TCanvas& canvas) {
  DrawBackground(canvas, BackGroundColor());
  DrawCharacter(canvas, TPoint{0, 0}, value_, Width(), Height());
}

}  // namespace tintoral
