#pragma once
// An off-screen bitmap of 32-bit pixels laid out as QImage::Format_RGB32
// (0xFFRRGGBB words, rows top to bottom), with its own canvas and an optional
// transparent colour.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/graphics/Color.h"
#include "runtime/Persistent.h"

class QImage;

namespace tintoral {

class TCanvas;

// The largest bitmap: a side of 16384 pixels, and 32 Mi pixels (128 MiB) in
// all, room for any control on an 8K screen. Larger sizes come only from
// damaged or hostile layouts and images.
inline constexpr int kMaxBitmapSide = 16384;
inline constexpr std::int64_t kMaxBitmapPixels = std::int64_t{1} << 25;

// Raises GraphicsError naming the size and the limit when a bitmap of
// width × height (negative sides taken as 0) would be too large.
void CheckBitmapSize(std::int64_t width, std::int64_t height);

enum TTransparentMode : int { tmAuto, tmFixed };

class TBitmap : public TPersistent {
  TINTORAL_CLASS(TBitmap, TPersistent)

 public:
  TBitmap();
  TBitmap(int width, int height);
  ~TBitmap() override;

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ <= 0 || height_ <= 0; }
  // Resizing keeps the pixels that still fit and paints new ones white.
  // Negative sizes are taken as 0. A side above kMaxBitmapSide or an area
  // above kMaxBitmapPixels raises GraphicsError and changes nothing.
  void SetWidth(int value);
  void SetHeight(int value);
  void SetSize(int width, int height);

  TCanvas& Canvas();

  // For a bitmap painted anew every time it is used, so that several can
  // take turns with one block of memory: BorrowPixels makes `storage` this
  // bitmap's pixels at width × height without clearing them (they hold
  // whatever the storage held last; white where it had to grow) and leaves
  // `storage` empty; ReturnPixels hands them back (when it has any) and
  // leaves the bitmap empty. The canvas and the other settings stay. Sizes as SetSize.
  void BorrowPixels(std::vector<std::uint32_t>& storage, int width, int height);
  void ReturnPixels(std::vector<std::uint32_t>& storage);

  // Sets every pixel to the colour.
  void Fill(TColor color);
  TColor Pixel(int x, int y) const;           // 0x00BBGGRR; clNone outside the bitmap
  void SetPixel(int x, int y, TColor color);  // ignored outside the bitmap
  std::uint32_t* ScanLine(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  const std::uint32_t* ScanLine(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }

  // A QImage sharing this bitmap's pixels (no copy); valid until the next resize.
  QImage WrapAsImage();
  QImage WrapAsImage() const;  // read-only use only

  // Transparent drawing: with Transparent set, TCanvas::Draw and StretchDraw
  // leave out the pixels of TransparentColor. In tmAuto mode that colour is
  // the lower-left pixel; setting TransparentColor switches to tmFixed.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  TTransparentMode TransparentMode() const { return transparentMode_; }
  void SetTransparentMode(TTransparentMode value);
  TColor TransparentColor() const;
  void SetTransparentColor(TColor value);

  // Copies size, pixels and transparency from another bitmap.
  void Assign(const TPersistent& source) override;
  // Called after every change of size, transparency or (through Changed) pixels.
  void SetOnChange(std::function<void()> handler) { onChange_ = std::move(handler); }
  void Changed();

 private:
  std::size_t PixelCount() const { return static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_); }

  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;  // at least width × height (more when borrowed)
  std::unique_ptr<TCanvas> canvas_;
  bool transparent_ = false;
  TTransparentMode transparentMode_ = tmAuto;
  TColor transparentColor_ = clDefault;
  std::function<void()> onChange_;
};

}  // namespace tintoral
