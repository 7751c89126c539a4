#include "tools/iconpainter/IconRaster.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "platform/graphics/PngEncoder.h"

namespace tintoral {
namespace {

constexpr int kSamplesAcross = 4;

std::uint8_t ToByte(float value) {
  return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
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
  SavePngBytes(EncodePng({rows.data(), size_, size_, 4}, {.srgb = true, .compressionLevel = 9}), path);
}

}  // namespace tintoral
