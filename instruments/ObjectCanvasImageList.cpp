#include "instruments/ObjectCanvasImageList.h"

#include <algorithm>
#include <cstring>

#include "platform/graphics/Canvas.h"
#include "platform/graphics/PngDecoder.h"
#include "platform/graphics/PngEncoder.h"
#include "runtime/Exception.h"

namespace tintoral {

namespace {

constexpr char kMagic[4] = {'T', 'I', 'L', '1'};
constexpr char kReadFailure[] = "Failed to read ImageList data from stream";
constexpr char kWriteFailure[] = "Failed to write ImageList data to stream";

[[noreturn]] void FailRead() { throw StreamError(kReadFailure); }

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void PutBlock(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& block) {
  PutU32(out, static_cast<std::uint32_t>(block.size()));
  out.insert(out.end(), block.begin(), block.end());
}

// Reads the stream front to back; every read past the end fails.
class ByteReader {
 public:
  explicit ByteReader(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

  std::uint32_t U32() {
    Need(4);
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= std::uint32_t{bytes_[pos_ + i]} << (8 * i);
    pos_ += 4;
    return value;
  }
  const std::uint8_t* Block(std::size_t size) {
    Need(size);
    const std::uint8_t* start = bytes_.data() + pos_;
    pos_ += size;
    return start;
  }
  bool AtEnd() const { return pos_ == bytes_.size(); }

 private:
  void Need(std::size_t size) const {
    if (size > bytes_.size() - pos_) FailRead();
  }
  const std::vector<std::uint8_t>& bytes_;
  std::size_t pos_ = 0;
};

std::uint32_t BigEndianAt(const std::uint8_t* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

// Decodes a PNG block that must be exactly width × height. The size in its
// header is checked first, so a hostile header cannot make the decoder
// allocate a large image.
void DecodeStrip(const std::uint8_t* data, std::size_t size, int width, int height, TBitmap& strip) {
  constexpr std::uint8_t kIhdr[4] = {'I', 'H', 'D', 'R'};
  if (size < 24 || std::memcmp(data + 12, kIhdr, 4) != 0) FailRead();
  if (BigEndianAt(data + 16) != static_cast<std::uint32_t>(width) ||
      BigEndianAt(data + 20) != static_cast<std::uint32_t>(height))
    FailRead();
  try {
    DecodePng(data, size, strip);
  } catch (const Exception&) {
    FailRead();
  }
  if (strip.Width() != width || strip.Height() != height) FailRead();
}

}  // namespace

void TiImageList::SetSize(int width, int height) {
  width = std::clamp(width, 1, kMaxSide);
  height = std::clamp(height, 1, kMaxSide);
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  images_.clear();
}

TiImageList::Image TiImageList::BlankImage() const {
  const std::size_t area = static_cast<std::size_t>(width_) * height_;
  return Image{std::vector<std::uint32_t>(area, clWhite), std::vector<std::uint8_t>(area, 1)};
}

int TiImageList::Add(const TBitmap& image, const TBitmap* mask) {
  Image added = BlankImage();
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * width_ + x;
      if (x < image.Width() && y < image.Height()) added.pixels[i] = image.Pixel(x, y);
      if (mask && x < mask->Width() && y < mask->Height()) added.shown[i] = mask->Pixel(x, y) == clBlack;
    }
  images_.push_back(std::move(added));
  return Count() - 1;
}

int TiImageList::AddMasked(const TBitmap& image, TColor transparentColor) {
  TBitmap mask(width_, height_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) mask.SetPixel(x, y, image.Pixel(x, y) == transparentColor ? clWhite : clBlack);
  return Add(image, &mask);
}

TColor TiImageList::Pixel(int index, int x, int y) const {
  if (index < 0 || index >= Count() || x < 0 || x >= width_ || y < 0 || y >= height_) return clNone;
  return static_cast<TColor>(images_[index].pixels[static_cast<std::size_t>(y) * width_ + x]);
}

bool TiImageList::Opaque(int index, int x, int y) const {
  if (index < 0 || index >= Count() || x < 0 || x >= width_ || y < 0 || y >= height_) return false;
  return images_[index].shown[static_cast<std::size_t>(y) * width_ + x] != 0;
}

void TiImageList::Draw(TCanvas& canvas, int x, int y, int index) const {
  if (index < 0 || index >= Count()) return;
  const Image& image = images_[index];
  for (int row = 0; row < height_; ++row)
    for (int column = 0; column < width_; ++column) {
      const std::size_t i = static_cast<std::size_t>(row) * width_ + column;
      if (image.shown[i]) canvas.SetPixel(x + column, y + row, static_cast<TColor>(image.pixels[i]));
    }
}

std::vector<std::uint8_t> TiImageList::WriteToBytes() const {
  const std::int64_t stripWidth = std::int64_t{std::max(1, Count())} * width_;
  if (stripWidth > kMaxStripWidth) throw StreamError(kWriteFailure);
  TBitmap strip(static_cast<int>(stripWidth), height_);
  TBitmap mask(static_cast<int>(stripWidth), height_);
  for (int index = 0; index < Count(); ++index)
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) {
        strip.SetPixel(index * width_ + x, y, Pixel(index, x, y));
        mask.SetPixel(index * width_ + x, y, Opaque(index, x, y) ? clBlack : clWhite);
      }
  std::vector<std::uint8_t> out(std::begin(kMagic), std::end(kMagic));
  PutU32(out, static_cast<std::uint32_t>(width_));
  PutU32(out, static_cast<std::uint32_t>(height_));
  PutU32(out, static_cast<std::uint32_t>(Count()));
  try {
    PutBlock(out, EncodePng(strip));
    PutBlock(out, EncodePng(mask));
  } catch (const Exception&) {
    throw StreamError(kWriteFailure);
  }
  return out;
}

void TiImageList::ReadFromBytes(const std::vector<std::uint8_t>& bytes) {
  ByteReader in(bytes);
  if (std::memcmp(in.Block(4), kMagic, 4) != 0) FailRead();
  const std::uint32_t width = in.U32();
  const std::uint32_t height = in.U32();
  const std::uint32_t count = in.U32();
  if (width < 1 || width > kMaxSide || height < 1 || height > kMaxSide) FailRead();
  if (count > static_cast<std::uint32_t>(kMaxStripWidth) / width) FailRead();
  const int w = static_cast<int>(width);
  const int h = static_cast<int>(height);
  const int stripWidth = std::max(1, static_cast<int>(count)) * w;
  const std::uint32_t stripSize = in.U32();
  TBitmap strip;
  DecodeStrip(in.Block(stripSize), stripSize, stripWidth, h, strip);
  const std::uint32_t maskSize = in.U32();
  TBitmap mask;
  DecodeStrip(in.Block(maskSize), maskSize, stripWidth, h, mask);
  if (!in.AtEnd()) FailRead();

  std::vector<Image> images;
  for (int index = 0; index < static_cast<int>(count); ++index) {
    Image image{std::vector<std::uint32_t>(static_cast<std::size_t>(w) * h),
                std::vector<std::uint8_t>(static_cast<std::size_t>(w) * h)};
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const std::size_t i = static_cast<std::size_t>(y) * w + x;
        image.pixels[i] = strip.Pixel(index * w + x, y);
        image.shown[i] = mask.Pixel(index * w + x, y) == clBlack;
      }
    images.push_back(std::move(image));
  }
  width_ = w;
  height_ = h;
  images_ = std::move(images);
}

}  // namespace tintoral
