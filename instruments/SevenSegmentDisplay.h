#pragma once
// TiSevenSegmentDisplay: the common base of the multi-digit seven-segment
// readouts. It holds the appearance shared by all cells, lays the cells out
// as a row centred in the control, sizes the control to fit them, and draws
// each cell through one hidden TiSevenSegmentCharacter. What the cells show
// is the subclasses' business: they implement PaintTo and GetAutoSizeExtent.
#include <algorithm>

#include "instruments/SevenSegmentCharacter.h"
#include "instruments/base/InstrumentComponent.h"
#include "instruments/base/InstrumentTypes.h"
#include "platform/graphics/Geometry.h"
#include "runtime/Event.h"

namespace tintoral {

// The row of cells for one drawing: every cell is CellWidth × CellHeight;
// the first starts at First, each next one Step pixels to the right.
struct TDigitCellLayout {
  int CellWidth = 0;
  int CellHeight = 0;
  TPoint First;
  int Step = 0;
  // The origin of cell `index` (0 = leftmost).
  TPoint CellOrigin(int index) const { return TPoint{First.X + index * Step, First.Y}; }
  friend bool operator==(const TDigitCellLayout&, const TDigitCellLayout&) = default;
};

class TiSevenSegmentDisplay : public TiCustomComponent {
  TINTORAL_CLASS(TiSevenSegmentDisplay, TiCustomComponent)

 public:
  static constexpr int kMinDigitCount = 1;
  static constexpr int kMaxDigitCount = 32;

  explicit TiSevenSegmentDisplay(TComponent* owner);
  ~TiSevenSegmentDisplay() override;

  // ---- Published (DigitCount and LeadingStyle by the subclasses) ----------
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  int DigitCount() const { return digitCount_; }
  void SetDigitCount(int value);  // clamped to 1 … 32
  int DigitSpacing() const { return digitSpacing_; }
  void SetDigitSpacing(int value);  // any value
  TiLeadingStyle LeadingStyle() const { return leadingStyle_; }
  void SetLeadingStyle(TiLeadingStyle value) { SetPropertyField(value, leadingStyle_, irkRepaint); }
  int SegmentMargin() const { return segmentMargin_; }
  void SetSegmentMargin(int value);  // negative: 0
  TColor SegmentColor() const { return segmentColor_; }
  void SetSegmentColor(TColor value);
  int SegmentSeperation() const { return segmentSeperation_; }
  void SetSegmentSeperation(int value);  // negative: 0
  int SegmentSize() const { return segmentSize_; }
  void SetSegmentSize(int value);  // clamped to 1 … 100
  bool ShowOffSegments() const { return showOffSegments_; }
  void SetShowOffSegments(bool value) { SetPropertyField(value, showOffSegments_, irkRepaint); }
  bool PowerOff() const { return powerOff_; }
  void SetPowerOff(bool value) { SetPropertyField(value, powerOff_, irkRepaint); }
  bool AutoSegmentOffColor() const { return autoSegmentOffColor_; }
  void SetAutoSegmentOffColor(bool value);
  TColor SegmentOffColor() const { return segmentOffColor_; }
  void SetSegmentOffColor(TColor value);
  // Fired by the subclasses after their value changed.
  const TNotifyEvent& OnValueChange() const { return onValueChange_; }
  void SetOnValueChange(TNotifyEvent handler) { onValueChange_ = std::move(handler); }
  // Fired after every automatic resize (not published).
  const TNotifyEvent& OnAutoSize() const { return onAutoSize_; }
  void SetOnAutoSize(TNotifyEvent handler) { onAutoSize_ = std::move(handler); }

  // ---- Layout and drawing --------------------------------------------------
  // The size that fits the subclass's cells.
  virtual TSize GetAutoSizeExtent() = 0;
  // Width then Height from GetAutoSizeExtent, then OnAutoSize; nothing while
  // loading or while AutoSize is off.
  void ApplyAutoSize();
  // Copies the appearance into the hidden character (margin 0).
  void SyncCharacter();
  // The row of `cellCount` cells for the current size (a count below 1
  // counts as 1).
  TDigitCellLayout DigitCellLayout(int cellCount) const;
  // The size of a row of `cellCount` cells at their natural size.
  TSize NaturalExtent(int cellCount);
  // The drawing engine: never shown, never repainted.
  TiSevenSegmentCharacter& HiddenCharacter() { return *character_; }
  const TiSevenSegmentCharacter& HiddenCharacter() const { return *character_; }

 protected:
  // Draws one cell through the hidden character.
  void DrawCell(TCanvas& canvas, TPoint origin, TSevenSegmentCharacter value, const TDigitCellLayout& layout) const;
  // Fires OnValueChange.
  void DoValueChange() { onValueChange_(this); }
  // The readouts' Value setter: a new value asks the edit-permission hook,
  // is stored, repaints, tells the property-change hook and fires
  // OnValueChange; while a layout is being read it is only stored.
  template <class V>
  void ChangeValue(V& field, V value) {
    if (value == field) return;
    if (IsLoading()) {
      field = value;
      return;
    }
    if (!EditPermitted("Value")) return;
    field = value;
    RequestRepaint();
    NotifyPropertyChanged("Value");
    DoValueChange();
  }

 protected:
  // The digit count drawn: a count read from a layout (stored unclamped) is
  // held to 1 … 32 here, so that no layout makes a row without end.
  int ShownDigitCount() const { return std::clamp(digitCount_, kMinDigitCount, kMaxDigitCount); }

 private:
  // Stores a clamped size setting; true when it changed. No clamping while
  // loading.
  bool StoreClamped(int value, int minimum, int maximum, int& field);
  // ApplyAutoSize, then RequestRepaint.
  void Relayout();

  TiSevenSegmentCharacter* character_ = nullptr;  // owned through the component tree
  bool autoSize_ = true;
  int digitCount_ = 4;
  int digitSpacing_ = 6;
  TiLeadingStyle leadingStyle_ = ilsSpaces;
  int segmentMargin_ = 5;
  TColor segmentColor_ = clWhite;
  int segmentSeperation_ = 1;
  int segmentSize_ = 1;
  bool showOffSegments_ = true;
  bool powerOff_ = false;
  TNotifyEvent onValueChange_;
  TNotifyEvent onAutoSize_;
  bool autoSegmentOffColor_ = true;
  TColor segmentOffColor_ = clGray;
};

}  // namespace tintoral
