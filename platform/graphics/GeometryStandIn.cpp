// temporary: replaced by the raster implementation (Canvas.cpp, Bitmap.cpp,
// Color.cpp, Pen.cpp, Brush.cpp). Only what text drawing and its tests need.
#include <QImage>
#include <array>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Brush.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Pen.h"

namespace tintoral {
namespace {

std::array<std::uint32_t, SystemColorCount>& SystemColorTable() {
  static std::array<std::uint32_t, SystemColorCount> table{};
  return table;
}

}  // namespace

std::uint32_t SystemColors::Get(int index) {
  return index >= 0 && index < SystemColorCount ? SystemColorTable()[static_cast<std::size_t>(index)] : 0;
}

void SystemColors::Set(int index, std::uint32_t rgb) {
  if (index >= 0 && index < SystemColorCount) SystemColorTable()[static_cast<std::size_t>(index)] = rgb & 0xFFFFFFu;
}

void SystemColors::ResetToClassic() {
  SystemColorTable().fill(0);
  Set(COLOR_WINDOW, 0xFFFFFF);
  Set(COLOR_BTNFACE, 0xC0C0C0);
  Set(COLOR_BTNSHADOW, 0x808080);
}

std::uint32_t ColorToRGB(TColor color) {
  if (IsSystemColor(color)) return SystemColors::Get(color & 0xFF);
  return static_cast<std::uint32_t>(color) & 0xFFFFFFu;
}

void TPen::Assign(const TPersistent& source) { TPersistent::Assign(source); }

void TBrush::SetColor(TColor value) {
  color_ = value;
  style_ = bsSolid;
}
void TBrush::SetStyle(TBrushStyle value) { style_ = value; }
void TBrush::Assign(const TPersistent& source) { TPersistent::Assign(source); }

TBitmap::TBitmap() : canvas_(std::make_unique<TCanvas>(*this)) {}
TBitmap::TBitmap(int width, int height) : TBitmap() { SetSize(width, height); }
TBitmap::~TBitmap() = default;

void TBitmap::SetSize(int width, int height) {
  width_ = std::max(0, width);
  height_ = std::max(0, height);
  pixels_.assign(static_cast<std::size_t>(width_) * height_, 0xFFFFFFFFu);
}
void TBitmap::SetWidth(int value) { SetSize(value, height_); }
void TBitmap::SetHeight(int value) { SetSize(width_, value); }

TCanvas& TBitmap::Canvas() { return *canvas_; }

TColor TBitmap::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return clNone;
  return static_cast<TColor>(PixelToRGB(ScanLine(y)[x]));
}

void TBitmap::SetPixel(int x, int y, TColor color) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  ScanLine(y)[x] = RGBToPixel(ColorToRGB(color));
}

QImage TBitmap::WrapAsImage() {
  return QImage(reinterpret_cast<uchar*>(pixels_.data()), width_, height_, width_ * 4, QImage::Format_RGB32);
}

QImage TBitmap::WrapAsImage() const {
  return QImage(reinterpret_cast<const uchar*>(pixels_.data()), width_, height_, width_ * 4, QImage::Format_RGB32);
}

void TBitmap::Assign(const TPersistent& source) { TPersistent::Assign(source); }

void TBitmap::Changed() {
  if (onChange_) onChange_();
}

TCanvas::TCanvas(TBitmap& target) : target_(target) {}
TCanvas::~TCanvas() = default;

TColor TCanvas::Pixel(int x, int y) const { return target_.Pixel(x, y); }
void TCanvas::SetPixel(int x, int y, TColor color) { target_.SetPixel(x, y, color); }

void TCanvas::FillRect(const TRect& rect) {
  for (int y = std::max(0, rect.Top); y < std::min(rect.Bottom, target_.Height()); ++y)
    for (int x = std::max(0, rect.Left); x < std::min(rect.Right, target_.Width()); ++x)
      target_.SetPixel(x, y, brush_.Color());
}

void TCanvas::MoveTo(int x, int y) { penPos_ = {x, y}; }

}  // namespace tintoral
