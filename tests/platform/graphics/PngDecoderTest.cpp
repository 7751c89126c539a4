#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/PngDecoder.h"
#include "runtime/Exception.h"

namespace tintoral {
namespace {

using Bytes = std::vector<std::uint8_t>;

// What to write: rows of packed samples in the PNG's own layout (16-bit
// samples big-endian), and the optional palette and transparency chunks.
struct PngContent {
  int width = 0;
  int height = 0;
  int colorType = PNG_COLOR_TYPE_RGB;
  int bitDepth = 8;
  bool interlaced = false;
  std::vector<Bytes> rows;
  std::vector<png_color> palette;
  Bytes paletteAlpha;
};

void AppendToBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void FlushNothing(png_structp) {}

// libpng's writer; no objects with destructors live here, as libpng may
// longjmp out of it.
bool WritePng(const PngContent* content, Bytes* out, png_bytepp rows) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png)) != 0) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, out, AppendToBytes, FlushNothing);
  png_set_IHDR(png, info, content->width, content->height, content->bitDepth, content->colorType,
               content->interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (!content->palette.empty()) {
    png_set_PLTE(png, info, content->palette.data(), static_cast<int>(content->palette.size()));
  }
  if (!content->paletteAlpha.empty()) {
    png_set_tRNS(png, info, content->paletteAlpha.data(), static_cast<int>(content->paletteAlpha.size()), nullptr);
  }
  png_write_info(png, info);
  png_write_image(png, rows);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

Bytes Encode(const PngContent& content) {
  std::vector<png_bytep> rows;
  std::vector<Bytes> copies = content.rows;
  for (Bytes& row : copies) rows.push_back(row.data());
  Bytes out;
  EXPECT_TRUE(WritePng(&content, &out, rows.data()));
  return out;
}

std::vector<std::uint32_t> Decode(const Bytes& png) {
  TBitmap bitmap;
  DecodePng(png.data(), png.size(), bitmap);
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < bitmap.Height(); ++y) {
    pixels.insert(pixels.end(), bitmap.ScanLine(y), bitmap.ScanLine(y) + bitmap.Width());
  }
  return pixels;
}

std::string DecodeError(const Bytes& png) {
  TBitmap bitmap;
  try {
    DecodePng(png.data(), png.size(), bitmap);
  } catch (const GraphicsError& error) {
    return error.Message();
  }
  return "(decoded)";
}

// A 2 × 2 RGB image, the 3 × 3 interlaced one and their expected words.
PngContent SmallRgb() {
  return {2, 2, PNG_COLOR_TYPE_RGB, 8, false, {{255, 0, 0, 0, 255, 0}, {0, 0, 255, 18, 52, 86}}, {}, {}};
}
const std::vector<std::uint32_t> kSmallRgbPixels = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF123456};

TEST(PngDecoder, RgbTruecolourGivesExactPixelsAndSize) {
  TBitmap bitmap;
  const Bytes png = Encode(SmallRgb());
  DecodePng(png.data(), png.size(), bitmap);
  EXPECT_EQ(bitmap.Width(), 2);
  EXPECT_EQ(bitmap.Height(), 2);
  EXPECT_EQ(Decode(png), kSmallRgbPixels);
}

TEST(PngDecoder, AlphaIsCompositedOntoWhite) {
  PngContent content{
      4, 1, PNG_COLOR_TYPE_RGB_ALPHA, 8, false, {{10, 20, 30, 255, 0, 0, 0, 0, 0, 0, 0, 128, 255, 0, 0, 51}}, {}, {}};
  EXPECT_EQ(Decode(Encode(content)), (std::vector<std::uint32_t>{0xFF0A141E, 0xFFFFFFFF, 0xFF7F7F7F, 0xFFFFCCCC}));
}

TEST(PngDecoder, PaletteImagesWithTransparency) {
  // Two bits per index: indices 0 1 2 3 / 3 2 1 0; entry 3 fully transparent.
  PngContent content{4,
                     2,
                     PNG_COLOR_TYPE_PALETTE,
                     2,
                     false,
                     {{0b00011011}, {0b11100100}},
                     {{255, 0, 0}, {0, 128, 0}, {1, 2, 3}, {9, 9, 9}},
                     {255, 255, 255, 0}};
  EXPECT_EQ(Decode(Encode(content)), (std::vector<std::uint32_t>{0xFFFF0000, 0xFF008000, 0xFF010203, 0xFFFFFFFF,
                                                                 0xFFFFFFFF, 0xFF010203, 0xFF008000, 0xFFFF0000}));
}

TEST(PngDecoder, GreyImagesOfEveryDepthBecomeGreyPixels) {
  PngContent grey8{3, 1, PNG_COLOR_TYPE_GRAY, 8, false, {{0, 127, 255}}, {}, {}};
  EXPECT_EQ(Decode(Encode(grey8)), (std::vector<std::uint32_t>{0xFF000000, 0xFF7F7F7F, 0xFFFFFFFF}));

  PngContent grey1{3, 1, PNG_COLOR_TYPE_GRAY, 1, false, {{0b10100000}}, {}, {}};
  EXPECT_EQ(Decode(Encode(grey1)), (std::vector<std::uint32_t>{0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF}));

  PngContent greyAlpha{2, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, {{0x40, 255, 0x40, 0}}, {}, {}};
  EXPECT_EQ(Decode(Encode(greyAlpha)), (std::vector<std::uint32_t>{0xFF404040, 0xFFFFFFFF}));
}

TEST(PngDecoder, SixteenBitSamplesAreScaledToEightBits) {
  // Samples big-endian. Level b × 257 is exactly b, and + 100 is still nearer
  // to b than to b + 1 (taking the high byte alone would give 201 for 200).
  auto sample = [](int value) {
    return std::pair<std::uint8_t, std::uint8_t>(static_cast<std::uint8_t>(value >> 8),
                                                 static_cast<std::uint8_t>(value & 0xFF));
  };
  Bytes row;
  for (int value : {200 * 257 + 100, 0, 17 * 257 + 100, 65535, 65535, 0, 32768, 65535}) {
    const auto [high, low] = sample(value);
    row.insert(row.end(), {high, low});
  }
  PngContent rgba16{2, 1, PNG_COLOR_TYPE_RGB_ALPHA, 16, false, {row}, {}, {}};
  EXPECT_EQ(Decode(Encode(rgba16)), (std::vector<std::uint32_t>{0xFFC80011, 0xFFFF0080}));
}

TEST(PngDecoder, InterlacedImagesAreAssembled) {
  PngContent content{9, 9, PNG_COLOR_TYPE_RGB, 8, true, {}, {}, {}};
  std::vector<std::uint32_t> expected;
  for (int y = 0; y < 9; ++y) {
    Bytes row;
    for (int x = 0; x < 9; ++x) {
      const std::uint8_t r = static_cast<std::uint8_t>(x * 28), g = static_cast<std::uint8_t>(y * 28),
                         b = static_cast<std::uint8_t>(x * 9 + y);
      row.insert(row.end(), {r, g, b});
      expected.push_back(0xFF000000u | r << 16 | g << 8 | b);
    }
    content.rows.push_back(row);
  }
  EXPECT_EQ(Decode(Encode(content)), expected);
}

// Rewrites the CRC of the chunk whose data starts at `dataOffset`.
void FixChunkCrc(Bytes& png, std::size_t dataOffset, std::size_t dataLength) {
  const uLong crc = crc32(crc32(0, nullptr, 0), png.data() + dataOffset - 4, static_cast<uInt>(dataLength + 4));
  for (int i = 0; i < 4; ++i) png[dataOffset + dataLength + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
}

constexpr std::size_t kIhdrData = 16;  // signature 8, length 4, type 4

std::size_t FindChunk(const Bytes& png, const char* type) {
  for (std::size_t at = 8; at + 8 <= png.size();) {
    const std::size_t length = std::size_t{png[at]} << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3];
    if (std::equal(type, type + 4, png.begin() + at + 4)) return at;
    at += 12 + length;
  }
  return png.size();
}

TEST(PngDecoder, ForeignDataIsNotAPng) {
  EXPECT_EQ(DecodeError(Bytes{}), "Not a PNG image");
  EXPECT_EQ(DecodeError(Bytes{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'}), "Not a PNG image");
  Bytes png = Encode(SmallRgb());
  png.resize(7);
  EXPECT_EQ(DecodeError(png), "Not a PNG image");
}

TEST(PngDecoder, DamagedStreamsRaiseGraphicsErrorsAndLeaveTheBitmapAlone) {
  const Bytes good = Encode(SmallRgb());

  Bytes badCrc = good;
  badCrc[kIhdrData + 2] ^= 0x01;  // width changed, CRC not
  EXPECT_EQ(DecodeError(badCrc), "PNG image is damaged: IHDR: CRC error");

  Bytes badData = good;
  const std::size_t idat = FindChunk(badData, "IDAT");
  ASSERT_LT(idat, badData.size());
  const std::size_t idatLength = std::size_t{badData[idat + 2]} << 8 | badData[idat + 3];
  for (std::size_t i = 2; i < idatLength; ++i) badData[idat + 8 + i] ^= 0x5A;  // zlib stream garbled
  FixChunkCrc(badData, idat + 8, idatLength);
  EXPECT_EQ(DecodeError(badData).rfind("PNG image is damaged: ", 0), 0u) << DecodeError(badData);

  Bytes huge = good;
  huge[kIhdrData + 1] = 0x01;  // width 65538, with a valid CRC
  FixChunkCrc(huge, kIhdrData, 13);
  EXPECT_EQ(DecodeError(huge).rfind("PNG image is damaged: ", 0), 0u) << DecodeError(huge);

  TBitmap bitmap(3, 1);
  EXPECT_THROW(DecodePng(badCrc.data(), badCrc.size(), bitmap), GraphicsError);
  EXPECT_EQ(bitmap.Width(), 3);
}

TEST(PngDecoder, EveryTruncationIsReported) {
  const Bytes good = Encode(SmallRgb());
  for (std::size_t length = 8; length < good.size(); ++length) {
    const Bytes cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length));
    EXPECT_EQ(DecodeError(cut).rfind("PNG image is damaged: ", 0), 0u) << "length " << length;
  }
  const Bytes cutInPixels(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(FindChunk(good, "IDAT") + 12));
  EXPECT_EQ(DecodeError(cutInPixels), "PNG image is damaged: unexpected end of data");
}

TEST(PngDecoder, SingleByteDamageNeverEscapesAsAnythingButGraphicsError) {
  const Bytes good = Encode(SmallRgb());
  for (std::size_t at = 0; at < good.size(); ++at) {
    for (std::uint8_t mask : {0x01, 0x80, 0xFF}) {
      Bytes damaged = good;
      damaged[at] ^= mask;
      TBitmap bitmap;
      try {
        DecodePng(damaged.data(), damaged.size(), bitmap);
        EXPECT_EQ(bitmap.Width() * bitmap.Height(), 4) << "byte " << at;  // damage in a skipped part
      } catch (const GraphicsError&) {
      }
    }
  }
}

}  // namespace
}  // namespace tintoral
