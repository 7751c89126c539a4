#pragma once
// The program's About box layout as a window-layer form: a lowered/raised
// panel holding a stretched PNG picture and two labels, and a default OK
// button.
#include <QBuffer>
#include <QImage>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/SourceTree.h"

namespace tintoral::test {

// A 292 × 191 PNG whose pixel (x, y) is RGB(x mod 256, y, 99).
inline std::vector<std::uint8_t> AboutPicturePng() {
  QImage image(292, 191, QImage::Format_RGB32);
  for (int y = 0; y < 191; ++y)
    for (int x = 0; x < 292; ++x) image.setPixel(x, y, qRgb(x & 0xFF, y, 99));
  QByteArray encoded;
  QBuffer buffer(&encoded);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return std::vector<std::uint8_t>(encoded.begin(), encoded.end());
}

// The picture's stream data as a form stream binary value.
inline std::string PictureDataText(const std::vector<std::uint8_t>& png) {
  static const char digits[] = "0123456789ABCDEF";
  std::string text = "{";
  const std::string name = "TPngGraphic";
  std::vector<std::uint8_t> data{static_cast<std::uint8_t>(name.size())};
  data.insert(data.end(), name.begin(), name.end());
  data.insert(data.end(), png.begin(), png.end());
  for (std::size_t i = 0; i < data.size(); ++i) {
    if (i % 32 == 0) text += "\n      ";
    text += digits[data[i] >> 4];
    text += digits[data[i] & 15];
  }
  return text + "}";
}

// The program's About box layout (app/forms/AboutBox.txt) read as a plain
// form, with the picture's data given to its image.
inline std::string AboutBoxText(const std::vector<std::uint8_t>& png) {
  std::string text = SourceFileText("app/forms/AboutBox.txt");
  const auto replace = [&text](const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    if (at == std::string::npos) throw std::runtime_error("AboutBox.txt has no '" + from + "'");
    text.replace(at, from.size(), to);
  };
  replace("object AboutBox: TAboutBox", "object AboutBox: TForm");
  replace("      Stretch = True\n", "      Picture.Data = " + PictureDataText(png) + "\n      Stretch = True\n");
  return text;
}

}  // namespace tintoral::test
