#pragma once
// TiImageList: the images of an object canvas's image objects, all of one
// size, each with a mask that leaves out its transparent pixels.
//
// Stream format of the "ImageList" property (integers little-endian, 32-bit
// unsigned):
//
//   "TIL1"  width  height  count
//   n1  PNG of the image strip: the images side by side, left to right,
//       count × width by height pixels, 8-bit RGB
//   n2  PNG of the mask strip of the same size: black where an image pixel
//       is shown, white where it is transparent
//
// Every byte is accounted for: a stream with bytes left over, sizes out of
// range, PNG sizes that do not match the header, or PNG data that does not
// decode is refused.
#include <cstdint>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Color.h"

namespace tintoral {

class TCanvas;

class TiImageList {
 public:
  static constexpr int kMaxSide = 1024;         // largest image width or height
  static constexpr int kMaxStripWidth = 16384;  // count × width at most this

  TiImageList() = default;
  TiImageList(const TiImageList&) = delete;
  TiImageList& operator=(const TiImageList&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Changing the size removes every image. Values are clamped to 1 .. kMaxSide.
  void SetSize(int width, int height);
  void SetWidth(int width) { SetSize(width, height_); }
  void SetHeight(int height) { SetSize(width_, height); }
  TColor BkColor() const { return clNone; }

  int Count() const { return static_cast<int>(images_.size()); }
  // Adds a copy of the image's top-left Width × Height pixels (white where
  // the image is smaller); the mask's non-black pixels are transparent
  // (no mask: all shown). Returns the new image's index.
  int Add(const TBitmap& image, const TBitmap* mask = nullptr);
  // Adds the image with the pixels of `transparentColor` left out.
  int AddMasked(const TBitmap& image, TColor transparentColor);
  void Clear() { images_.clear(); }

  // The image's pixel and whether it is shown (index and position unchecked
  // beyond returning clNone / false outside).
  TColor Pixel(int index, int x, int y) const;
  bool Opaque(int index, int x, int y) const;

  // Draws the shown pixels of image `index` with its top-left corner at
  // (x, y); an index outside the list draws nothing.
  void Draw(TCanvas& canvas, int x, int y, int index) const;

  // The stream described above. WriteToBytes raises StreamError "Failed to
  // write ImageList data to stream" when the strips cannot be encoded;
  // ReadFromBytes raises StreamError "Failed to read ImageList data from
  // stream" on any defect and leaves the list unchanged then.
  std::vector<std::uint8_t> WriteToBytes() const;
  void ReadFromBytes(const std::vector<std::uint8_t>& bytes);

 private:
  struct Image {
    std::vector<std::uint32_t> pixels;  // 0x00BBGGRR, row by row
    std::vector<std::uint8_t> shown;    // 1 where the pixel is drawn
  };
  Image BlankImage() const;

  int width_ = 24;
  int height_ = 24;
  std::vector<Image> images_;
};

}  // namespace tintoral
