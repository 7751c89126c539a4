#include "tools/iconpainter/IconRaster.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace tintoral {
namespace {

constexpr int kSamplesAcross = 4;

std::uint8_t ToByte(float value) {
  return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

// libpng reports errors by longjmp, so this function holds only trivially
// destructible locals and returns false on failure.
bool WritePngStream(std::FILE* file, int size, const std::uint8_t* rows) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_compression_level(png, 9);
  png_set_IHDR(png, info, size, size, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_set_sRGB(png, info, PNG_sRGB_INTENT_PERCEPTUAL);
  png_write_info(png, info);
  for (int y = 0; y < size; ++y) png_write_row(png, rows + static_cast<std::size_t>(y) * size * 4);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

IconRaster::IconRaster(int size) : size_(size), pixels_(static_cast<std::size_t>(size) * size, IconColor{0, 0, 0, 0}) {
  if (size <= 0) throw std::invalid_argument("the icon size must be positive");
}

void IconRaster::Fill(const IconShape& shape, IconColor color) {
  Fill(shape, [color](float, float) { return color; });
}

void IconRaster::Fill(const IconShape& shape, const IconPaint& paint) {
  const float unit = UnitsPerPixel();
  const float step = unit / kSamplesAcross;
  for (int y = 0; y < size_; ++y) {
    for (int x = 0; x < size_; ++x) {
      int inside = 0;
      for (int sy = 0; sy < kSamplesAcross; ++sy)
        for (int sx = 0; sx < kSamplesAcross; ++sx)
          if (shape(x * unit + (sx + 0.5f) * step, y * unit + (sy + 0.5f) * step) < 0) ++inside;
      if (inside == 0) continue;
      const float coverage = static_cast<float>(inside) / (kSamplesAcross * kSamplesAcross);
      Blend(x, y, paint((x + 0.5f) * unit, (y + 0.5f) * unit), coverage);
    }
  }
}

void IconRaster::Blend(int x, int y, IconColor color, float coverage) {
  IconColor& under = pixels_[static_cast<std::size_t>(y) * size_ + x];
  const float top = color.a * coverage;
  const float alpha = top + under.a * (1 - top);
  if (alpha <= 0) return;
  const auto mix = [&](float over, float below) { return (over * top + below * under.a * (1 - top)) / alpha; };
  under = {mix(color.r, under.r), mix(color.g, under.g), mix(color.b, under.b), alpha};
}

void IconRaster::SavePng(const std::string& path) const {
  std::vector<std::uint8_t> rows;
  rows.reserve(pixels_.size() * 4);
  for (const IconColor& pixel : pixels_)
    for (float channel : {pixel.r, pixel.g, pixel.b, pixel.a}) rows.push_back(ToByte(channel));
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) throw std::runtime_error("cannot open " + path + " for writing");
  const bool written = WritePngStream(file, size_, rows.data());
  if (std::fclose(file) != 0 || !written) throw std::runtime_error("cannot write " + path);
}

}  // namespace tintoral
