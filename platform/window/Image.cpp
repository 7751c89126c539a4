#include "platform/window/Image.h"

#include "platform/graphics/Bitmap.h"
#include "platform/window/ControlProperties.h"
#include "platform/window/StandardPainting.h"
#include "platform/window/WinControl.h"

namespace tintoral {

const TClassInfo& TImage::StaticClass() {
  static const TClassInfo info = DescribeClass<TImage>("TImage", TGraphicControl::StaticClass(), [](auto& b) {
    PublishControlProperties(b, {"Align"});
    b.Property("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize).Default(false);
    b.Property("Center", &TImage::Center, &TImage::SetCenter).Default(false);
    PublishControlProperties(b, {"Enabled"});
    b.Property("IncrementalDisplay", &TImage::IncrementalDisplay, &TImage::SetIncrementalDisplay).Default(false);
    PublishControlProperties(b, {"ParentShowHint"});
    b.Object(
        "Picture", [](TImage& i) -> TPicture& { return i.Picture(); },
        [](TImage& i, const TPicture& value) { i.SetPicture(value); });
    b.Property("Proportional", &TImage::Proportional, &TImage::SetProportional).Default(false);
    PublishControlProperties(b, {"ShowHint"});
    b.Property("Stretch", &TImage::Stretch, &TImage::SetStretch).Default(false);
    b.Property("Transparent", &TImage::Transparent, &TImage::SetTransparent).Default(false);
    PublishControlProperties(b, {"Visible", "OnClick", "OnDblClick", "OnMouseDown", "OnMouseMove", "OnMouseUp"});
  });
  return info;
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {
  SetBounds(0, 0, 105, 105);
  picture_.SetOnChange([this] { PictureChanged(); });
}

TCanvas& TImage::Canvas() {
  if (picture_.Empty()) {
    TBitmap blank(Width(), Height());
    picture_.SetBitmap(blank);
  }
  return picture_.Bitmap().Canvas();
}

void TImage::SetAutoSize(bool value) {
  if (value == autoSize_) return;
  autoSize_ = value;
  SizeToPicture();
}

void TImage::SetCenter(bool value) {
  if (value == center_) return;
  center_ = value;
  Invalidate();
}

void TImage::SetProportional(bool value) {
  if (value == proportional_) return;
  proportional_ = value;
  Invalidate();
}

void TImage::SetStretch(bool value) {
  if (value == stretch_) return;
  stretch_ = value;
  Invalidate();
}

void TImage::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  picture_.SetGraphicTransparent(value);
}

void TImage::PictureChanged() {
  if (drawingOnPicture_) return;
  // A new graphic takes the image's transparency; setting it again is no change.
  if (picture_.Graphic() && picture_.Graphic()->Transparent() != transparent_) {
    picture_.SetGraphicTransparent(transparent_);
    return;  // that change comes back here
  }
  SizeToPicture();
  Invalidate();
}

void TImage::DrawOnPicture(const std::function<TRect(TCanvas&)>& draw) {
  DrawPartsOnPicture([&](TCanvas& canvas) { return std::vector<TRect>{draw(canvas)}; });
}

void TImage::DrawPartsOnPicture(const std::function<std::vector<TRect>(TCanvas&)>& draw) {
  TCanvas& canvas = Canvas();
  const int width = picture_.Width();
  const int height = picture_.Height();
  std::vector<TRect> changed;
  drawingOnPicture_ = true;
  try {
    changed = draw(canvas);
  } catch (...) {
    drawingOnPicture_ = false;
    PictureChanged();
    throw;
  }
  drawingOnPicture_ = false;
  if (picture_.Width() != width || picture_.Height() != height) {
    PictureChanged();
    return;
  }
  for (const TRect& part : changed) InvalidatePicturePart(part);
}

// Shown unscaled, a part of the picture maps one to one onto the parent.
void TImage::InvalidatePicturePart(const TRect& part) {
  const TRect dest = DestRect();
  if (dest.Width() != picture_.Width() || dest.Height() != picture_.Height()) {
    Invalidate();
    return;
  }
  if (!Parent() || !Visible()) return;
  const TRect p = IntersectRects(part, {0, 0, picture_.Width(), picture_.Height()});
  if (p.IsEmpty()) return;
  const int dx = Left() + dest.Left;
  const int dy = Top() + dest.Top;
  Parent()->InvalidateRect(IntersectRects({p.Left + dx, p.Top + dy, p.Right + dx, p.Bottom + dy}, BoundsRect()));
}

void TImage::SizeToPicture() {
  if (!autoSize_ || IsLoading() || picture_.Width() <= 0 || picture_.Height() <= 0) return;
  SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
}

TRect TImage::DestRect() const {
  return ImageDestRect(picture_.Width(), picture_.Height(), ClientWidth(), ClientHeight(),
                       {.stretch = stretch_, .center = center_, .proportional = proportional_});
}

// An opaque bitmap shown unscaled is copied only where this paint shows it.
void TImage::Paint() {
  const TBitmap* graphic = picture_.Graphic();
  if (!graphic) return;
  const TRect dest = DestRect();
  TCanvas& canvas = TGraphicControl::Canvas();
  const bool unscaled = dest.Width() == graphic->Width() && dest.Height() == graphic->Height();
  if (!unscaled || graphic->Transparent() || picture_.Kind() != TGraphicKind::Bitmap) {
    canvas.StretchDraw(dest, *graphic);
    return;
  }
  const TRect shown = IntersectRects(dest, PaintPart());
  if (shown.IsEmpty()) return;
  const TRect source{shown.Left - dest.Left, shown.Top - dest.Top, shown.Right - dest.Left, shown.Bottom - dest.Top};
  canvas.CopyRect(shown, picture_.Bitmap().Canvas(), source);
}

}  // namespace tintoral
