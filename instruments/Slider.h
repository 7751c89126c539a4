#pragma once
// TiSlider: a linear slider instrument - a track, a pointer travelling along
// it and a tick scale beside it. The user sets Position by dragging, with
// the arrow, page, Home and End keys, or with the mouse wheel.
//
// Slider.cpp holds the properties and the form companions, SliderLayout.cpp
// the geometry (Geometry, ScalePlacement, PixelToPosition) as functions of
// size and properties, SliderPaint.cpp the drawing and SliderInput.cpp the
// mouse, key, wheel and focus handling. Painting and hit-testing work from
// the same geometry, so input needs no paint before it.
#include <cstdint>
#include <memory>

#include "instruments/base/ScaleComponent.h"
#include "instruments/base/ScaleMap.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Geometry.h"
#include "runtime/Event.h"

namespace tintoral {

class TReader;
class TWriter;

// The slider's rectangles, as its size and properties give them.
struct TiSliderGeometry {
  TRect Track;
  TRect Pointer;
  // How far the pointer sticks out of the track on each side (0 for the LED).
  int PointerOverhang = 0;
  // The gap between the track and the client's edge on the side away from the scale.
  int TrackSideGap = 0;
  // The AutoCenter shift across the track (x when vertical, y when horizontal).
  int CenterShiftX = 0;
  int CenterShiftY = 0;
};

class TiSlider : public TiScaleComponent {
  TINTORAL_CLASS(TiSlider, TiScaleComponent)

 public:
  explicit TiSlider(TComponent* owner);
  ~TiSlider() override;

  // ---- Published ----------------------------------------------------------
  int EndsMargin() const { return endsMargin_; }
  void SetEndsMargin(int value) { SetPropertyField(value, endsMargin_, irkBackgroundRepaint); }
  TColor PointerIndicatorInactiveColor() const { return pointerIndicatorInactiveColor_; }
  void SetPointerIndicatorInactiveColor(TColor value) {
    SetPropertyField(value, pointerIndicatorInactiveColor_, irkBackgroundRepaint);
  }
  TColor PointerIndicatorActiveColor() const { return pointerIndicatorActiveColor_; }
  void SetPointerIndicatorActiveColor(TColor value) {
    SetPropertyField(value, pointerIndicatorActiveColor_, irkBackgroundRepaint);
  }
  // Owned; transparent with the lower-left pixel's colour. Any change of its
  // contents repaints the slider.
  TBitmap& PointerBitmap() const { return *pointerBitmap_; }
  // Copies the picture, then switches automatic transparency on again.
  void SetPointerBitmap(const TBitmap& picture);
  double KeyArrowStepSize() const { return keyArrowStepSize_; }
  void SetKeyArrowStepSize(double value) { SetPropertyField(value, keyArrowStepSize_, irkRepaint); }
  double KeyPageStepSize() const { return keyPageStepSize_; }
  void SetKeyPageStepSize(double value) { SetPropertyField(value, keyPageStepSize_, irkRepaint); }
  double MouseWheelStepSize() const { return mouseWheelStepSize_; }
  void SetMouseWheelStepSize(double value) { SetPropertyField(value, mouseWheelStepSize_, irkRepaint); }
  TiOrientation Orientation() const { return orientation_; }
  // At run time (not while loading) the width and height swap, then
  // OnOrientationChange.
  void SetOrientation(TiOrientation value);
  TiOrientationSide OrientationTickMarks() const { return orientationTickMarks_; }
  void SetOrientationTickMarks(TiOrientationSide value) {
    SetPropertyField(value, orientationTickMarks_, irkBackgroundRepaint);
  }
  int PointerHeight() const { return pointerHeight_; }
  void SetPointerHeight(int value) { SetPropertyField(value, pointerHeight_, irkBackgroundRepaint); }
  TiSliderPointerStyle PointerStyle() const { return pointerStyle_; }
  // Keeps PointerInset in step: 2 for the LED, 0 for the other styles.
  void SetPointerStyle(TiSliderPointerStyle value);
  int PointerWidth() const { return pointerWidth_; }
  void SetPointerWidth(int value) { SetPropertyField(value, pointerWidth_, irkBackgroundRepaint); }
  bool ShowFocusRect() const { return showFocusRect_; }
  void SetShowFocusRect(bool value) { SetPropertyField(value, showFocusRect_, irkRepaint); }
  TColor TrackColor() const { return trackColor_; }
  void SetTrackColor(TColor value) { SetPropertyField(value, trackColor_, irkBackgroundRepaint); }
  TiSliderTrackStyle TrackStyle() const { return trackStyle_; }
  void SetTrackStyle(TiSliderTrackStyle value) { SetPropertyField(value, trackStyle_, irkBackgroundRepaint); }
  TiSliderMouseControlStyle MouseControlStyle() const { return mouseControlStyle_; }
  void SetMouseControlStyle(TiSliderMouseControlStyle value) {
    SetPropertyField(value, mouseControlStyle_, irkStoreOnly);
  }
  bool ReverseScale() const { return reverseScale_; }
  // Also the scale's reverse flag.
  void SetReverseScale(bool value);
  bool AutoCenter() const { return autoCenter_; }
  void SetAutoCenter(bool value) { SetPropertyField(value, autoCenter_, irkBackgroundRepaint); }
  // Off: the data link gets the position once, at the end of each gesture.
  // On: also while the pointer is dragged, at most once per UpdateRate of
  // the item bound to Position; the release still writes the last one.
  bool WriteWhileDragging() const { return writeWhileDragging_; }
  void SetWriteWhileDragging(bool value) { writeWhileDragging_ = value; }

  // Called after a run-time Orientation change swapped width and height.
  const TNotifyEvent& OnOrientationChange() const { return onOrientationChange_; }
  void SetOnOrientationChange(TNotifyEvent handler) { onOrientationChange_ = std::move(handler); }

  // ---- Geometry (SliderLayout.cpp) -----------------------------------------
  // The pixels the pointer travels: the client extent along the track less
  // the pointer, both end margins and both insets.
  int UsableLength() const;
  // The geometry inputs held within ±kCoordinateLimit.
  int EndsMarginPixels() const;
  int PointerHeightPixels() const;
  int PointerWidthPixels() const;
  // The map of positions to the pointer's distance from the start of its
  // travel (bottom or left): PositionMin at 0 and PositionMax at
  // UsableLength, the other way round with ReverseScale. Pointer, press and
  // drag all go through it.
  TScaleMap PointerTravel() const;
  // The pointer's distance from the start of its travel, by PointerTravel.
  // A slider too small for its pointer (UsableLength <= 0) keeps it at the
  // start of the travel (bottom or left).
  int PointerOffset() const;
  // Where the pointer's centre would be at pixel p along the track (y when
  // vertical, x when horizontal), as a distance from the start of its travel.
  double TravelOffsetOfPixel(int p) const;
  // The position under pixel p along the track, from the client size alone
  // (PointerTravel); clamped to the range. Without any travel
  // (UsableLength <= 0) no pixel maps anywhere: the current Position is
  // returned, so presses and drags change nothing.
  double PixelToPosition(int p) const;
  // The track and pointer rectangles with the overhang, the side gap and the
  // AutoCenter shift (which measures the widest label in TickLabelFont).
  TiSliderGeometry Geometry() const;
  // Where the scale is drawn beside the track of `geometry`.
  TiScalePlacement ScalePlacement(const TiSliderGeometry& geometry) const;

  // ---- State --------------------------------------------------------------
  int PointerInset() const { return pointerInset_; }
  // Parts of Geometry().
  int PointerOverhang() const { return Geometry().PointerOverhang; }
  int TrackSideGap() const { return Geometry().TrackSideGap; }
  TRect TrackRect() const { return Geometry().Track; }
  TRect PointerRect() const { return Geometry().Pointer; }
  int CenterShiftX() const { return Geometry().CenterShiftX; }
  int CenterShiftY() const { return Geometry().CenterShiftY; }
  bool MouseDragging() const { return mouseDragging_; }
  bool KeyboardActive() const { return keyboardActive_; }
  double LastWheelTime() const { return lastWheelTime_; }

  // ---- Overrides ----------------------------------------------------------
  void PaintTo(TCanvas& canvas) override;
  void HandleFocusLost() override;
  void HandleWantSpecialKey(std::uint16_t& key, std::int32_t& result) override;
  void HandleKeyUp(std::uint16_t& key, TShiftState shift) override;
  void HandleKeyDown(std::uint16_t& key, TShiftState shift) override;
  void HandleMouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void HandleMouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void HandleMouseMove(TShiftState shift, int x, int y) override;
  void DataLinkPushPosition() override;
  // One whole user gesture that moves the pointer to `value`, as a key step
  // does: OnPositionChangeUser with the change, then OnPositionChangeFinished
  // when the position moved. For assistive technology.
  void SetPositionAsUser(double value);

 protected:
  // The wheel: the base's answer is kept; one step per accepted notification,
  // at most one every 30 ms.
  bool MouseWheel(int delta, TShiftState shift, TPoint mousePos) override;

 private:
  void WriteDraggedPosition();
  bool Vertical() const { return orientation_ == ioVertical; }
  bool ScaleOnBottomRight() const { return orientationTickMarks_ == iosBottomRight; }
  // The coordinate of (x, y) along the track.
  int AlongTrack(int x, int y) const { return Vertical() ? y : x; }

  // Layout steps.
  TRect UnshiftedTrackRect(int sideGap) const;
  TRect UnshiftedPointerRect(const TRect& track, int overhang) const;
  int ScaleDepth() const;
  void ShiftAcrossTrack(TiSliderGeometry& geometry, int distance) const;

  // Drawing steps.
  TColor IndicatorColor(bool active) const;
  void DrawTrack(TCanvas& canvas, const TRect& track) const;
  void DrawBoxTrack(TCanvas& canvas, const TRect& track) const;
  void DrawTrackLines(TCanvas& canvas, const TRect& track, const TColor (&colors)[4]) const;
  void DrawPointer(TCanvas& canvas, const TRect& pointer) const;
  void DrawLedPointer(TCanvas& canvas, const TRect& pointer) const;
  void DrawArrowPointer(TCanvas& canvas, const TRect& pointer) const;
  void DrawBarPointer(TCanvas& canvas, const TRect& pointer, TColor penColor, TColor brushColor) const;
  void DrawLightBarLines(TCanvas& canvas, const TRect& pointer) const;
  void DrawBitmapPointer(TCanvas& canvas, const TRect& pointer) const;

  // Input steps.
  void StartDrag(int x, int y);
  // A press in ismcsSlidePage: false when it misses the pointer's columns
  // (rows on a horizontal slider).
  bool PressSlidePage(int x, int y);
  void DragRelative(int x, int y);
  void ReadKeyArrowStepSize2(TReader& reader);
  void WriteKeyArrowStepSize2(TWriter& writer) const;
  void ReadKeyPageStepSize2(TReader& reader);
  void WriteKeyPageStepSize2(TWriter& writer) const;

  int endsMargin_ = 5;
  TColor pointerIndicatorInactiveColor_ = clBlack;
  TColor pointerIndicatorActiveColor_ = clRed;
  std::unique_ptr<TBitmap> pointerBitmap_;
  double keyPageStepSize_ = 10.0;
  double keyArrowStepSize_ = 1.0;
  double mouseWheelStepSize_ = 1.0;
  int pointerHeight_ = 10;
  int pointerWidth_ = 15;
  TiSliderPointerStyle pointerStyle_ = ispsLed;
  TiOrientationSide orientationTickMarks_ = iosBottomRight;
  TiOrientation orientation_ = ioVertical;
  TColor trackColor_ = clWhite;
  TiSliderTrackStyle trackStyle_ = istsBox;
  bool showFocusRect_ = true;
  bool reverseScale_ = false;
  bool autoCenter_ = false;
  TiSliderMouseControlStyle mouseControlStyle_ = ismcsSlideOnly;
  TNotifyEvent onOrientationChange_;

  int pointerInset_ = 2;
  bool mouseDragging_ = false;
  int dragStartX_ = 0;
  int dragStartY_ = 0;
  double dragStartPosition_ = 0;
  bool keyboardActive_ = false;
  double lastWheelTime_ = 0;
  bool writeWhileDragging_ = false;
  double lastDragWriteTime_ = 0;
};

}  // namespace tintoral
