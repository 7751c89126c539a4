// TiComponent: the paint path, background and border.
#include <algorithm>
#include <unordered_map>

#include "instruments/base/DrawingHelpers.h"
#include "instruments/base/InstrumentComponent.h"
#include "instruments/base/SwallowedErrorTrace.h"
#include "runtime/Exception.h"
#include "runtime/ScopeExit.h"

namespace tintoral {

void TiComponent::Paint() {
  // Drawing errors never leave the instrument: the off-screen path draws
  // their message; anything escaping it leaves what was drawn before.
  try {
    if (Canvas().DeviceTechnology() == DT_METAFILE) PaintDirect();
    else PaintOffScreen();
  } catch (const Exception& error) {
    TraceSwallowedError(*this, "Paint", error.Message());
  }
}

void TiComponent::PaintDirect() {
  Lock();
  const TScopeExit unlock([this] { Unlock(); });
  PaintTo(Canvas());
  PaintErrorMark(Canvas());
}

bool TiComponent::PaintsOverPixelsBeneath() {
  return Canvas().DeviceTechnology() != DT_METAFILE && !ShowsPixelsBeneath();
}

// Every paint starts on white pixels with a canvas in its default state.
// An opaque instrument gets them in its own paint buffer; a transparent one
// gets a bitmap of its own, because its background is a snapshot of what
// the buffer holds until the bitmap is drawn over it.
void TiComponent::PaintOffScreen() {
  Lock();
  const TScopeExit unlock([this] { Unlock(); });
  if (ShowsPixelsBeneath()) {
    TBitmap bitmap(Width(), Height());
    PaintOnFreshCanvas(bitmap.Canvas());
    Canvas().Draw(0, 0, bitmap);
    return;
  }
  TBitmap& buffer = PaintBuffer();
  const bool backgroundCoversAll = !backGroundPicture_ || backGroundPicture_->Width() == 0;
  if (!(PaintToStartsWithBackground() && backgroundCoversAll)) buffer.Fill(clWhite);
  TCanvas canvas(buffer);
  try {
    PaintOnFreshCanvas(canvas);
  } catch (const Exception&) {
    FillBufferFromParent();  // as if nothing of this paint was presented
    throw;
  }
}

void TiComponent::PaintOnFreshCanvas(TCanvas& canvas) {
  canvas.Brush().SetStyle(bsSolid);
  canvas.Pen().SetStyle(psSolid);
  try {
    PaintTo(canvas);
  } catch (const Exception& error) {
    TraceSwallowedError(*this, "PaintTo", error.Message());
    PaintError(canvas, error.Message());
  }
  onPaint_(this, canvas);
  PaintErrorMark(canvas);
}

// A red frame a tenth of the shorter side thick (3 to 8 pixels) and red
// diagonal lines every 8 pixels, drawn only over the instrument's
// background: the colour most pixels of the frame's band have. Digits,
// characters, pointers and anything else the instrument drew in another
// colour stay exactly as they are, so the value can still be read.
void TiComponent::PaintErrorMark(TCanvas& canvas) {
  if (!errorMarking_ || !errorFlag_) return;
  const int width = Width(), height = Height();
  const int thickness = std::clamp(std::min(width, height) / 10, 3, 8);
  const auto inBand = [&](int x, int y) {
    return x < thickness || y < thickness || x >= width - thickness || y >= height - thickness;
  };
  std::unordered_map<TColor, int> counts;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (inBand(x, y)) ++counts[canvas.Pixel(x, y)];
  if (counts.empty()) return;
  const TColor background =
      std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if ((inBand(x, y) || (x + y) % 8 == 0) && canvas.Pixel(x, y) == background) canvas.SetPixel(x, y, clRed);
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
