#include "platform/graphics/Bitmap.h"

#include <QImage>
#include <algorithm>
#include <string>
#include <utility>

#include "platform/graphics/Canvas.h"
#include "platform/graphics/RasterOps.h"
#include "runtime/Exception.h"

namespace tintoral {
namespace {

constexpr std::uint32_t WhitePixel = 0xFFFFFFFFu;

}  // namespace

void CheckBitmapSize(std::int64_t width, std::int64_t height) {
  width = std::max<std::int64_t>(width, 0);
  height = std::max<std::int64_t>(height, 0);
  if (width <= kMaxBitmapSide && height <= kMaxBitmapSide && width * height <= kMaxBitmapPixels) return;
  throw GraphicsError("Bitmap too large: " + std::to_string(width) + " x " + std::to_string(height) +
                      " pixels (the largest is " + std::to_string(kMaxBitmapSide) + " pixels a side and " +
                      std::to_string(kMaxBitmapPixels) + " pixels in all)");
}

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height) { SetSize(width, height); }

TBitmap::~TBitmap() = default;

void TBitmap::SetWidth(int value) { SetSize(value, height_); }

void TBitmap::SetHeight(int value) { SetSize(width_, value); }

void TBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == width_ && height == height_) return;
  CheckBitmapSize(width, height);
  // One pass: new pixels are white from the start, kept ones copied over.
  std::vector<std::uint32_t> resized(static_cast<std::size_t>(width) * height, WhitePixel);
  const int keptWidth = std::min(width, width_);
  const int keptHeight = std::min(height, height_);
  for (int y = 0; y < keptHeight; ++y)
    std::copy_n(ScanLine(y), keptWidth, resized.data() + static_cast<std::size_t>(y) * width);
  pixels_ = std::move(resized);
  width_ = width;
  height_ = height;
  Changed();
}

void TBitmap::BorrowPixels(std::vector<std::uint32_t>& storage, int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  CheckBitmapSize(width, height);
  const std::size_t count = static_cast<std::size_t>(width) * height;
  if (storage.size() < count) storage.resize(count, WhitePixel);
  pixels_ = std::exchange(storage, {});
  width_ = width;
  height_ = height;
  Changed();
}

void TBitmap::ReturnPixels(std::vector<std::uint32_t>& storage) {
  if (!pixels_.empty()) storage = std::exchange(pixels_, {});
  width_ = 0;
  height_ = 0;
  Changed();
}

TCanvas& TBitmap::Canvas() {
  if (!canvas_) canvas_ = std::make_unique<TCanvas>(*this);
  return *canvas_;
}

void TBitmap::Fill(TColor color) {
  raster::FillPixels(pixels_.data(), PixelCount(), RGBToPixel(ColorToRGB(color)));
  Changed();
}

TColor TBitmap::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return clNone;
  return static_cast<TColor>(PixelToRGB(ScanLine(y)[x]));
}

void TBitmap::SetPixel(int x, int y, TColor color) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  ScanLine(y)[x] = RGBToPixel(ColorToRGB(color));
}

QImage TBitmap::WrapAsImage() {
  if (Empty()) return QImage();
  return QImage(reinterpret_cast<uchar*>(pixels_.data()), width_, height_, width_ * 4, QImage::Format_RGB32);
}

QImage TBitmap::WrapAsImage() const {
  if (Empty()) return QImage();
  return QImage(reinterpret_cast<const uchar*>(pixels_.data()), width_, height_, width_ * 4, QImage::Format_RGB32);
}

void TBitmap::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode value) {
  if (value == transparentMode_) return;
  transparentMode_ = value;
  Changed();
}

TColor TBitmap::TransparentColor() const {
  if (transparentMode_ == tmFixed) return transparentColor_;
  return Empty() ? clNone : Pixel(0, height_ - 1);
}

void TBitmap::SetTransparentColor(TColor value) {
  if (transparentMode_ == tmFixed && value == transparentColor_) return;
  transparentColor_ = value;
  transparentMode_ = tmFixed;
  Changed();
}

void TBitmap::Assign(const TPersistent& source) {
  const auto* bitmap = dynamic_cast<const TBitmap*>(&source);
  if (!bitmap) {
    TPersistent::Assign(source);
    return;
  }
  if (bitmap == this) return;
  width_ = bitmap->width_;
  height_ = bitmap->height_;
  pixels_.assign(bitmap->pixels_.begin(), bitmap->pixels_.begin() + static_cast<std::ptrdiff_t>(bitmap->PixelCount()));
  transparent_ = bitmap->transparent_;
  transparentMode_ = bitmap->transparentMode_;
  transparentColor_ = bitmap->transparentColor_;
  Changed();
}

void TBitmap::Changed() {
  if (onChange_) onChange_();
}

}  // namespace tintoral
