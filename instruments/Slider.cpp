// TiSlider: published properties, construction, setters and the form
// companions "KeyArrowStepSize_2" and "KeyPageStepSize_2".
#include "instruments/Slider.h"

#include "platform/graphics/GraphicsClasses.h"
#include "platform/window/ControlProperties.h"
#include "runtime/ClassBuilder.h"
#include "runtime/FormReader.h"
#include "runtime/FormWriter.h"

namespace tintoral {

const TClassInfo& TiSlider::StaticClass() {
  using T = TiSlider;
  static const TClassInfo info = DescribeClass<T>("TiSlider", TiScaleComponent::StaticClass(), [](auto& b) {
    b.Property("EndsMargin", &T::EndsMargin, &T::SetEndsMargin).Default(5);
    b.Property("PointerIndicatorInactiveColor", &T::PointerIndicatorInactiveColor, &T::SetPointerIndicatorInactiveColor)
        .Default(clBlack)
        .TypeName(kColorTypeName);
    b.Property("PointerIndicatorActiveColor", &T::PointerIndicatorActiveColor, &T::SetPointerIndicatorActiveColor)
        .Default(clRed)
        .TypeName(kColorTypeName);
    b.Object("PointerBitmap", &T::PointerBitmap, &T::SetPointerBitmap);
    b.Property("KeyArrowStepSize", &T::KeyArrowStepSize, &T::SetKeyArrowStepSize).Default(1.0);
    b.Property("KeyPageStepSize", &T::KeyPageStepSize, &T::SetKeyPageStepSize).Default(10.0);
    b.Property("MouseWheelStepSize", &T::MouseWheelStepSize, &T::SetMouseWheelStepSize).Default(1.0);
    b.Property("Orientation", &T::Orientation, &T::SetOrientation).Default(ioVertical);
    b.Property("OrientationTickMarks", &T::OrientationTickMarks, &T::SetOrientationTickMarks).Default(iosBottomRight);
    b.Property("PointerHeight", &T::PointerHeight, &T::SetPointerHeight).Default(10);
    b.Property("PointerStyle", &T::PointerStyle, &T::SetPointerStyle).Default(ispsLed);
    b.Property("PointerWidth", &T::PointerWidth, &T::SetPointerWidth).Default(15);
    b.Property("ShowFocusRect", &T::ShowFocusRect, &T::SetShowFocusRect).Default(true);
    b.Property("TrackColor", &T::TrackColor, &T::SetTrackColor).Default(clWhite).TypeName(kColorTypeName);
    b.Property("TrackStyle", &T::TrackStyle, &T::SetTrackStyle).Default(istsBox);
    b.Property("MouseControlStyle", &T::MouseControlStyle, &T::SetMouseControlStyle).Default(ismcsSlideOnly);
    b.Property("ReverseScale", &T::ReverseScale, &T::SetReverseScale).Default(false);
    b.Property("AutoCenter", &T::AutoCenter, &T::SetAutoCenter).Default(false);
    b.Property("WriteWhileDragging", &T::WriteWhileDragging, &T::SetWriteWhileDragging).Default(false);
    b.Event("OnPositionChangeFinished", &T::OnPositionChangeFinished, &T::SetOnPositionChangeFinished);
    b.Event("OnPositionChangeUser", &T::OnPositionChangeUser, &T::SetOnPositionChangeUser);
    b.Property("BackGroundColor", &T::BackGroundColor, &T::SetBackGroundColor)
        .Default(clBtnFace)
        .TypeName(kColorTypeName);
    b.Property("BorderStyle", &T::BorderStyle, &T::SetBorderStyle).Default(ibsNone);
    b.Object("BackGroundPicture", &T::BackGroundPicture, &T::SetBackGroundPicture);
    b.Property("Transparent", &T::Transparent, &T::SetTransparent).Default(false);
    b.Property("OffsetX", &T::OffsetX, &T::SetOffsetX).Default(0);
    b.Property("OffsetY", &T::OffsetY, &T::SetOffsetY).Default(0);
    PublishControlProperties(b, {"TabOrder", "TabStop"}, {.tabStop = true});
    PublishScaleProperties<T>(b);
    b.StreamProperty("KeyArrowStepSize_2", &T::ReadKeyArrowStepSize2, &T::WriteKeyArrowStepSize2);
    b.StreamProperty("KeyPageStepSize_2", &T::ReadKeyPageStepSize2, &T::WriteKeyPageStepSize2);
  });
  return info;
}

// The fields hold their defaults already; the size, the tab stop and the
// owned bitmaps are set here without any event (no handler can be assigned
// yet).
TiSlider::TiSlider(TComponent* owner) : TiScaleComponent(owner), pointerBitmap_(std::make_unique<TBitmap>()) {
  SetBounds(Left(), Top(), 70, 200);
  SetTabStop(true);
  pointerBitmap_->SetTransparent(true);
  pointerBitmap_->SetTransparentMode(tmAuto);
  pointerBitmap_->SetOnChange([this] { RequestRepaint(); });
  CreateBackGroundPicture();
}

TiSlider::~TiSlider() = default;

void TiSlider::SetPointerBitmap(const TBitmap& picture) {
  if (&picture != pointerBitmap_.get()) pointerBitmap_->Assign(picture);
  pointerBitmap_->SetTransparent(true);
  pointerBitmap_->SetTransparentMode(tmAuto);
}

void TiSlider::SetOrientation(TiOrientation value) {
  if (value == orientation_) return;
  orientation_ = value;
  if (!IsLoading()) {
    const int oldWidth = Width();
    const int oldHeight = Height();
    SetWidth(oldHeight);
    SetHeight(oldWidth);
    onOrientationChange_(this);
  }
  RequestBackgroundRepaint();
}

void TiSlider::SetPointerStyle(TiSliderPointerStyle value) {
  if (value == pointerStyle_) return;
  pointerStyle_ = value;
  pointerInset_ = value == ispsLed ? 2 : 0;
  RequestBackgroundRepaint();
}

void TiSlider::SetReverseScale(bool value) {
  if (value == reverseScale_) return;
  reverseScale_ = value;
  Scale().SetReverseScale(value);
  RequestBackgroundRepaint();
}

// The companions are stored straight into their fields: no comparison, no
// repaint.
void TiSlider::ReadKeyArrowStepSize2(TReader& reader) { keyArrowStepSize_ = reader.ReadDouble(); }
void TiSlider::WriteKeyArrowStepSize2(TWriter& writer) const { writer.WriteFloat(keyArrowStepSize_, ftDouble); }
void TiSlider::ReadKeyPageStepSize2(TReader& reader) { keyPageStepSize_ = reader.ReadDouble(); }
void TiSlider::WriteKeyPageStepSize2(TWriter& writer) const { writer.WriteFloat(keyPageStepSize_, ftDouble); }

}  // namespace tintoral
