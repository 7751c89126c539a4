#pragma once
// TiSevenSegmentCharacter: one seven-segment character cell (digits, the
// hexadecimal letters and a few punctuation and sign shapes). Its
// DrawCharacter is also the drawing engine of the multi-digit displays,
// which call it once per cell with their own origin and cell size.
#include <cstdint>

#include "instruments/base/InstrumentComponent.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Geometry.h"
#include "runtime/Event.h"
#include "runtime/PropertyInfo.h"

namespace tintoral {

enum TSevenSegmentCharacter : std::uint8_t {
  ssc0,
  ssc1,
  ssc2,
  ssc3,
  ssc4,
  ssc5,
  ssc6,
  ssc7,
  ssc8,
  ssc9,
  sscA,
  sscB,
  sscC,
  sscD,
  sscE,
  sscF,
  sscPeriod,
  sscColon,
  sscPlus,
  sscMinus,
  sscBlank,
  sscLine,
  sscUpArrow,
  sscDownArrow,
  sscSemiColon,
  sscComma,
};

const TEnumType& EnumTypeOf(TSevenSegmentCharacter);

// A segment set: A in bit 0 … G in bit 6; bit 7 is ignored.
enum TSevenSegmentBit : std::uint8_t {
  segA = 0x01,
  segB = 0x02,
  segC = 0x04,
  segD = 0x08,
  segE = 0x10,
  segF = 0x20,
  segG = 0x40,
};
constexpr std::uint8_t AllSegments = 0x7F;

// The lit segments of ssc0 … sscF and sscBlank (0 for the other shapes).
std::uint8_t SegmentsOf(TSevenSegmentCharacter value);
// Whether the value is drawn as segments (ssc0 … sscF and sscBlank).
bool IsSegmentShape(TSevenSegmentCharacter value);
// Whether the value has a narrow cell (period, colon, semicolon, comma).
bool IsNarrowShape(TSevenSegmentCharacter value);
// "0" … "9", "a" … "f", the punctuation of the shape; '?' above sscComma.
char SevenSegmentToChar(TSevenSegmentCharacter value);

class TiSevenSegmentCharacter : public TiCustomComponent {
  TINTORAL_CLASS(TiSevenSegmentCharacter, TiCustomComponent)

 public:
  explicit TiSevenSegmentCharacter(TComponent* owner);

  // "0"-"9", "A"/"a"-"F"/"f" and the shape characters map to their value;
  // every other character gives sscBlank.
  static TSevenSegmentCharacter CharToSevenSegment(char ch);

  // ---- Published ----------------------------------------------------------
  TSevenSegmentCharacter Value() const { return value_; }
  // Asks the edit-permission hook ("Value"); then stores, repaints, auto-sizes
  // and tells the property-change hook.
  void SetValue(TSevenSegmentCharacter value);
  char Character() const { return SevenSegmentToChar(value_); }
  void SetCharacter(char ch) { SetValue(CharToSevenSegment(ch)); }
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  int SegmentMargin() const { return segmentMargin_; }
  void SetSegmentMargin(int value);  // negative: 0
  int SegmentSeperation() const { return segmentSeperation_; }
  void SetSegmentSeperation(int value);  // negative: 0
  int SegmentSize() const { return segmentSize_; }
  void SetSegmentSize(int value);  // below 1: 1
  TColor SegmentColor() const { return segmentColor_; }
  void SetSegmentColor(TColor value) { SetPropertyField(value, segmentColor_, irkRepaint); }
  TColor SegmentOffColor() const { return segmentOffColor_; }
  void SetSegmentOffColor(TColor value) { SetPropertyField(value, segmentOffColor_, irkRepaint); }
  bool AutoSegmentOffColor() const { return autoSegmentOffColor_; }
  void SetAutoSegmentOffColor(bool value) { SetPropertyField(value, autoSegmentOffColor_, irkRepaint); }
  bool ShowOffSegments() const { return showOffSegments_; }
  void SetShowOffSegments(bool value) { SetPropertyField(value, showOffSegments_, irkRepaint); }
  bool PowerOff() const { return powerOff_; }
  void SetPowerOff(bool value) { SetPropertyField(value, powerOff_, irkRepaint); }
  bool UseSegmentBits() const { return useSegmentBits_; }
  void SetUseSegmentBits(bool value) { SetPropertyField(value, useSegmentBits_, irkRepaint); }
  // The seven flags as a segment set. Setting it always repaints.
  std::uint8_t SegmentBits() const;
  void SetSegmentBits(std::uint8_t bits);
  bool SegAOn() const { return segOn_[0]; }
  void SetSegAOn(bool value) { SetPropertyField(value, segOn_[0], irkRepaint); }
  bool SegBOn() const { return segOn_[1]; }
  void SetSegBOn(bool value) { SetPropertyField(value, segOn_[1], irkRepaint); }
  bool SegCOn() const { return segOn_[2]; }
  void SetSegCOn(bool value) { SetPropertyField(value, segOn_[2], irkRepaint); }
  bool SegDOn() const { return segOn_[3]; }
  void SetSegDOn(bool value) { SetPropertyField(value, segOn_[3], irkRepaint); }
  bool SegEOn() const { return segOn_[4]; }
  void SetSegEOn(bool value) { SetPropertyField(value, segOn_[4], irkRepaint); }
  bool SegFOn() const { return segOn_[5]; }
  void SetSegFOn(bool value) { SetPropertyField(value, segOn_[5], irkRepaint); }
  bool SegGOn() const { return segOn_[6]; }
  void SetSegGOn(bool value) { SetPropertyField(value, segOn_[6], irkRepaint); }

  // Fired after every automatic resize (not published).
  const TNotifyEvent& OnAutoSize() const { return onAutoSize_; }
  void SetOnAutoSize(TNotifyEvent handler) { onAutoSize_ = std::move(handler); }

  // ---- Measuring and drawing ----------------------------------------------
  // 2 × SegmentMargin + 10 × SegmentSize (2 × SegmentSize for a narrow shape).
  int CharacterWidth() const;
  // 2 × SegmentMargin + 18 × SegmentSize.
  int CharacterHeight() const;
  // The colours handed to the canvas, in the palette-relative 0x02BBGGRR
  // form: the off colour (automatic: SegmentColor's bytes divided by 3), and
  // the on colour (the off colour while PowerOff).
  TColor OffColor() const;
  TColor OnColor() const;
  // Draws `value` (not Value) into the cell at `origin` with this object's
  // segment settings; paints no background.
  void DrawCharacter(TCanvas& canvas, TPoint origin, TSevenSegmentCharacter value, int cellWidth, int cellHeight) const;
  // Height = CharacterHeight + 1, Width = CharacterWidth + 1, then OnAutoSize;
  // nothing while loading or while AutoSize is off.
  void ApplyAutoSize();

  // DrawBackground, then the Value over the whole control.
  void PaintTo(TCanvas& canvas) override;
  bool PaintToStartsWithBackground() const override { return true; }

 private:
  // Stores a clamped size setting; true when it changed.
  bool StoreClamped(int value, int minimum, int& field);

  TSevenSegmentCharacter value_ = ssc0;
  bool autoSize_ = true;
  int segmentMargin_ = 2;
  bool showOffSegments_ = true;
  int segmentSeperation_ = 1;
  int segmentSize_ = 1;
  TColor segmentColor_ = clLime;
  bool powerOff_ = false;
  bool segOn_[7] = {};  // A … G
  bool useSegmentBits_ = false;
  bool autoSegmentOffColor_ = true;
  TColor segmentOffColor_ = clGreen;
  TNotifyEvent onAutoSize_;
};

}  // namespace tintoral
