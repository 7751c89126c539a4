// Generates the question-mark button's glyph and prints it as the form-file
// line "Glyph.Data = { ... }" that app/forms/MainForm.txt holds.
//
// The glyph is 32 x 16 pixels in two 16 x 16 images, using only the 16 classic
// palette colours. The first image (enabled) is a red question mark on a
// yellow disc with a white highlight and a grey rim; the second (disabled) is
// the same shape as a grey outline embossed with white one pixel down-right.
// Everything else is olive, the colour of the bottom-left pixel, which the
// button draws as transparent.
//
// The pixels are written in the bitmap stream form: the bytes "TBMP", width
// and height as 32-bit little-endian numbers, then red, green, blue per pixel,
// rows from the top.
//
// Usage: questionglyph [INDENT]   (INDENT: spaces before the line, default 4)

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kSide = 16;

struct Rgb {
  std::uint8_t r, g, b;
  bool operator==(const Rgb&) const = default;
};

constexpr Rgb kOlive{0x80, 0x80, 0x00};
constexpr Rgb kYellow{0xFF, 0xFF, 0x00};
constexpr Rgb kWhite{0xFF, 0xFF, 0xFF};
constexpr Rgb kRed{0xFF, 0x00, 0x00};
constexpr Rgb kGray{0x80, 0x80, 0x80};

using Image = std::array<std::array<Rgb, kSide>, kSide>;

// The question mark, 6 x 10 pixels, placed at column 5, row 3.
constexpr std::array<const char*, 10> kMark = {
    ".####.",  //
    "##..##",  //
    "##..##",  //
    "....##",  //
    "...##.",  //
    "..##..",  //
    "..##..",  //
    "......",  //
    "..##..",  //
    "..##..",  //
};
constexpr int kMarkLeft = 5;
constexpr int kMarkTop = 3;

bool InMark(int x, int y) {
  const int col = x - kMarkLeft, row = y - kMarkTop;
  if (col < 0 || row < 0 || row >= static_cast<int>(kMark.size()) || col >= 6) return false;
  return kMark[row][col] == '#';
}

double SquaredDistance(double x, double y, double cx, double cy) { return (x - cx) * (x - cx) + (y - cy) * (y - cy); }

// Disc of radius 7.5 around the image centre, measured at pixel centres.
bool InDisc(int x, int y) { return SquaredDistance(x + 0.5, y + 0.5, 8.0, 8.0) <= 7.5 * 7.5; }
bool OnRim(int x, int y) { return InDisc(x, y) && SquaredDistance(x + 0.5, y + 0.5, 8.0, 8.0) > 6.3 * 6.3; }
bool InHighlight(int x, int y) { return SquaredDistance(x + 0.5, y + 0.5, 5.5, 5.0) < 7.0; }

Image EnabledImage() {
  Image image{};
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x) {
      Rgb c = kOlive;
      if (InDisc(x, y)) c = InHighlight(x, y) ? kWhite : kYellow;
      if (OnRim(x, y)) c = kGray;
      if (InMark(x, y)) c = kRed;
      image[y][x] = c;
    }
  return image;
}

// Ink (rim and mark) becomes grey; pixels one step down-right of ink that are
// not ink themselves become white; the rest is transparent olive.
Image DisabledImage() {
  const auto ink = [](int x, int y) {
    return x >= 0 && y >= 0 && x < kSide && y < kSide && (OnRim(x, y) || InMark(x, y));
  };
  Image image{};
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x) image[y][x] = ink(x, y) ? kGray : ink(x - 1, y - 1) ? kWhite : kOlive;
  return image;
}

void AppendLittleEndian(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::vector<std::uint8_t> StreamData(const Image& enabled, const Image& disabled) {
  std::vector<std::uint8_t> bytes{'T', 'B', 'M', 'P'};
  AppendLittleEndian(bytes, 2 * kSide);
  AppendLittleEndian(bytes, kSide);
  for (int y = 0; y < kSide; ++y)
    for (const Image* image : {&enabled, &disabled})
      for (const Rgb& c : (*image)[y]) bytes.insert(bytes.end(), {c.r, c.g, c.b});
  return bytes;
}

// The block as the form writer lays it out: 32 bytes per line, indented two
// more than the property.
void PrintProperty(const std::vector<std::uint8_t>& bytes, int indent) {
  const std::string pad(indent, ' ');
  std::printf("%sGlyph.Data = {", pad.c_str());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i % 32 == 0) std::printf("\n%s  ", pad.c_str());
    std::printf("%02X", bytes[i]);
  }
  std::printf("}\n");
}

}  // namespace

int main(int argc, char** argv) {
  const int indent = argc > 1 ? std::atoi(argv[1]) : 4;
  PrintProperty(StreamData(EnabledImage(), DisabledImage()), indent);
  return 0;
}
