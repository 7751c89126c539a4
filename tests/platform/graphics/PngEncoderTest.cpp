#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/PngDecoder.h"
#include "platform/graphics/PngEncoder.h"
#include "runtime/Exception.h"
#include "tests/support/TestTempPath.h"

namespace tintoral {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Every pixel different, with the extreme byte values of each channel.
void PaintPattern(TBitmap& bitmap, int width, int height) {
  bitmap.SetSize(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const std::uint32_t r = (x * 37 + y) & 0xFF, g = (y * 53 + x * 3) & 0xFF, b = (x == 0 ? 0xFF : (x ^ y) & 0xFF);
      bitmap.SetPixel(x, y, static_cast<TColor>(r | g << 8 | b << 16));
    }
}

std::uint32_t BigEndian32(const Bytes& bytes, std::size_t at) {
  return std::uint32_t{bytes[at]} << 24 | std::uint32_t{bytes[at + 1]} << 16 | std::uint32_t{bytes[at + 2]} << 8 |
         bytes[at + 3];
}

// The chunk types of a PNG stream in order.
std::vector<std::string> ChunkTypes(const Bytes& png) {
  std::vector<std::string> types;
  for (std::size_t at = 8; at + 8 <= png.size();) {
    const std::uint32_t length = BigEndian32(png, at);
    types.emplace_back(png.begin() + static_cast<std::ptrdiff_t>(at + 4),
                       png.begin() + static_cast<std::ptrdiff_t>(at + 8));
    at += 12 + length;
  }
  return types;
}

TEST(PngEncoderTest, DecodesBackToTheSamePixels) {
  for (const auto& [width, height] : {std::pair{1, 1}, std::pair{3, 7}, std::pair{300, 2}}) {
    TBitmap original, decoded;
    PaintPattern(original, width, height);
    const Bytes png = EncodePng(original);
    DecodePng(png.data(), png.size(), decoded);
    ASSERT_EQ(decoded.Width(), width);
    ASSERT_EQ(decoded.Height(), height);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) ASSERT_EQ(decoded.Pixel(x, y), original.Pixel(x, y)) << x << "," << y;
  }
}

TEST(PngEncoderTest, WritesPlainRgbWithoutVariableChunks) {
  TBitmap bitmap;
  PaintPattern(bitmap, 5, 4);
  const Bytes png = EncodePng(bitmap);
  const Bytes signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  ASSERT_GT(png.size(), 33u);
  EXPECT_EQ(Bytes(png.begin(), png.begin() + 8), signature);
  EXPECT_EQ(BigEndian32(png, 16), 5u);  // IHDR width
  EXPECT_EQ(BigEndian32(png, 20), 4u);  // IHDR height
  EXPECT_EQ(png[24], 8);                // bit depth
  EXPECT_EQ(png[25], 2);                // truecolour RGB
  EXPECT_EQ(png[28], 0);                // not interlaced
  EXPECT_EQ(ChunkTypes(png), (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
  EXPECT_EQ(EncodePng(bitmap), png);  // the same pixels give the same bytes
}

TEST(PngEncoderTest, RefusesAnEmptyBitmap) {
  TBitmap empty;
  EXPECT_THROW(EncodePng(empty), GraphicsError);
  TBitmap flat(4, 0);
  EXPECT_THROW(EncodePng(flat), GraphicsError);
}

TEST(PngEncoderTest, SavesTheStreamToAFileAndReportsUnwritablePaths) {
  TBitmap bitmap;
  PaintPattern(bitmap, 6, 6);
  const std::string path = tintoral::test::TestTempPath("png_encoder_test.png");
  SavePng(bitmap, path);
  std::ifstream in(path, std::ios::binary);
  const Bytes saved{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  EXPECT_EQ(saved, EncodePng(bitmap));
  std::remove(path.c_str());
  try {
    SavePng(bitmap, "/nonexistent-folder/picture.png");
    ADD_FAILURE() << "no error for an unwritable path";
  } catch (const FileError& error) {
    EXPECT_EQ(error.Message(), "Cannot write /nonexistent-folder/picture.png");
  }
}

}  // namespace
}  // namespace tintoral
