// TiComponent: the paint path, background and border.
#include "instruments/base/DrawingHelpers.h"
#include "instruments/base/InstrumentComponent.h"
#include "runtime/Exception.h"

namespace tintoral {
namespace {

// Holds the instrument's lock for one paint.
class PaintLock {
 public:
  explicit PaintLock(TiComponent& instrument) : instrument_(instrument) { instrument_.Lock(); }
  ~PaintLock() { instrument_.Unlock(); }
  PaintLock(const PaintLock&) = delete;
  PaintLock& operator=(const PaintLock&) = delete;

 private:
  TiComponent& instrument_;
};

}  // namespace

void TiComponent::Paint() {
  // Drawing errors never leave the instrument: the off-screen path draws
  // their message; anything escaping it leaves what was drawn before.
  try {
    if (Canvas().DeviceTechnology() == DT_METAFILE) PaintDirect();
    else PaintOffScreen();
  } catch (const Exception&) {
  }
}

void TiComponent::PaintDirect() {
  PaintLock lock(*this);
  PaintTo(Canvas());
}

void TiComponent::PaintOffScreen() {
  PaintLock lock(*this);
  TBitmap bitmap(Width(), Height());
  TCanvas& canvas = bitmap.Canvas();
  canvas.Brush().SetStyle(bsSolid);
  canvas.Pen().SetStyle(psSolid);
  try {
    PaintTo(canvas);
  } catch (const Exception& error) {
    PaintError(canvas, error.Message());
  }
  onPaint_(this, canvas);
  Canvas().Draw(0, 0, bitmap);
}

void TiComponent::PaintError(TCanvas& canvas, const std::string& message) {
  const TRect client = ClientRect();
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(clBlack);
  canvas.FillRect(client);
  canvas.Font().SetColor(clWhite);
  DrawTextFlags(canvas, message, client, DrawTextFlag::WordBreak);
}

void TiComponent::DrawBackground(TCanvas& canvas, TColor color) {
  const TRect area{0, 0, Width(), Height()};
  if (backGroundPicture_ && backGroundPicture_->Width() != 0) {
    canvas.StretchDraw(area, *backGroundPicture_);
    return;
  }
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(color);
  canvas.FillRect(area);
  DrawBorder(canvas);
}

void TiComponent::DrawBorder(TCanvas& canvas) {
  const TRect area{0, 0, Width(), Height()};
  switch (borderStyle_) {
    case ibsRaised: DrawBevelRect(canvas, area, bevelRectRaised); break;
    case ibsLowered: DrawBevelRect(canvas, area, bevelRectSunken); break;
    default: break;
  }
}

}  // namespace tintoral
