// The drawing of one seven-segment cell: the colours, the seven segment
// polygons and the punctuation and sign shapes.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <initializer_list>

#include "instruments/SevenSegmentCharacter.h"
#include "instruments/base/DrawingHelpers.h"
#include "platform/graphics/SaturateToInt.h"

namespace tintoral {

namespace {

// The palette-relative form of an RGB colour (worked on the raw value).
constexpr std::uint32_t PaletteRelative = 0x02000000u;

TColor AddPaletteRelative(TColor color) {
  return static_cast<TColor>(static_cast<std::uint32_t>(color) + PaletteRelative);
}

// Cell-relative coordinates in 64 bits, so that extreme sizes cannot overflow.
struct CellPoint {
  std::int64_t x;
  std::int64_t y;
};

// The measures of one cell.
struct Cell {
  TPoint origin;
  std::int64_t W, H, M, S, Z;
  std::int64_t h;  // mid row

  TPoint At(CellPoint p) const { return TPoint{SaturateToInt(origin.X + p.x), SaturateToInt(origin.Y + p.y)}; }
};

// Nearest integer, exact halves to the even one.
std::int64_t R(double v) {
  const double r = std::nearbyint(v);
  if (!(r > -9.0e18 && r < 9.0e18)) return 0;
  return static_cast<std::int64_t>(r);
}

// Shapes have at most six corners: the vertices stay on the stack.
void FillPolygon(TCanvas& canvas, const Cell& cell, TColor color, std::initializer_list<CellPoint> points) {
  std::array<TPoint, 8> vertices;
  const std::size_t count = std::min(points.size(), vertices.size());
  std::transform(points.begin(), points.begin() + count, vertices.begin(), [&](CellPoint p) { return cell.At(p); });
  canvas.Brush().SetColor(color);
  canvas.Pen().SetColor(color);
  canvas.Polygon(std::span<const TPoint>(vertices.data(), count));
}

// Segment `index` (0 = A … 6 = G).
void DrawSegment(TCanvas& canvas, const Cell& c, int index, TColor color) {
  const std::int64_t W = c.W, H = c.H, M = c.M, S = c.S, Z2 = 2 * c.Z, Z = c.Z, h = c.h;
  const std::int64_t right = W - 1 - M, bottom = H - 1 - M;
  switch (index) {
    case 0:
      FillPolygon(canvas, c, color, {{M + S, M}, {right - S, M}, {right - S - Z2, M + Z2}, {M + S + Z2, M + Z2}});
      break;
    case 1:
      FillPolygon(canvas, c, color,
                  {{right, M + S}, {right, h - S}, {right - Z2, h - S - Z2}, {right - Z2, M + S + Z2}});
      break;
    case 2:
      FillPolygon(canvas, c, color,
                  {{right, h + S}, {right, bottom - S}, {right - Z2, bottom - S - Z2}, {right - Z2, h + S + Z2}});
      break;
    case 3:
      FillPolygon(canvas, c, color,
                  {{M + S, bottom}, {right - S, bottom}, {right - S - Z2, bottom - Z2}, {M + S + Z2, bottom - Z2}});
      break;
    case 4:
      FillPolygon(canvas, c, color, {{M, h + S}, {M, bottom - S}, {M + Z2, bottom - S - Z2}, {M + Z2, h + S + Z2}});
      break;
    case 5: FillPolygon(canvas, c, color, {{M, M + S}, {M, h - S}, {M + Z2, h - S - Z2}, {M + Z2, M + S + Z2}}); break;
    default:
      FillPolygon(canvas, c, color,
                  {{M + S, h},
                   {M + S + Z, h - Z},
                   {right - S - Z, h - Z},
                   {right - S, h},
                   {right - S - Z, h + Z},
                   {M + S + Z, h + Z}});
      break;
  }
}

void DrawSegments(TCanvas& canvas, const Cell& cell, std::uint8_t lit, TColor on, TColor off, bool showOff) {
  for (int i = 0; i < 7; ++i) {
    if (lit & (1u << i)) DrawSegment(canvas, cell, i, on);
    else if (showOff) DrawSegment(canvas, cell, i, off);
  }
}

void DrawRect(TCanvas& canvas, const Cell& c, TColor color, std::int64_t l, std::int64_t t, std::int64_t r,
              std::int64_t b) {
  FillPolygon(canvas, c, color, {{l, t}, {r, t}, {r, b}, {l, b}});
}

// Row R(k × H / 18).
std::int64_t Eighteenth(const Cell& c, double k) { return R(k * static_cast<double>(c.H) / 18); }

void DrawPlus(TCanvas& canvas, const Cell& c, TColor color) {
  const double W = static_cast<double>(c.W), H = static_cast<double>(c.H), Z = static_cast<double>(c.Z);
  DrawRect(canvas, c, color, R(2.5 * W / 10), R(4.5 * H / 18 - 0.5 * Z), R(7.5 * W / 10), R(4.5 * H / 18 + 0.5 * Z));
  DrawRect(canvas, c, color, R(0.5 * W - 0.5 * Z), Eighteenth(c, 2), R(0.5 * W + 0.5 * Z), Eighteenth(c, 7));
}

void DrawMinus(TCanvas& canvas, const Cell& c, TColor color) {
  const double W = static_cast<double>(c.W), H = static_cast<double>(c.H), Z = static_cast<double>(c.Z);
  DrawRect(canvas, c, color, R(2.5 * W / 10), R(13.5 * H / 18 - 0.5 * Z), R(7.5 * W / 10), R(13.5 * H / 18 + 0.5 * Z));
}

void DrawDotSquare(TCanvas& canvas, const Cell& c, TColor color, double fromEighteenth, double toEighteenth) {
  const std::int64_t cx = c.W / 2;
  DrawRect(canvas, c, color, cx - c.Z, Eighteenth(c, fromEighteenth), cx + c.Z, Eighteenth(c, toEighteenth));
}

void DrawTail(TCanvas& canvas, const Cell& c, TColor color) {
  const std::int64_t cx = c.W / 2;
  DrawRect(canvas, c, color, cx, Eighteenth(c, 13), cx + c.Z, Eighteenth(c, 16));
}

void DrawArrow(TCanvas& canvas, const Cell& c, TColor color, bool up) {
  const std::int64_t a = (c.W - 1 - 2 * c.M) / 2, cy = c.H / 2, cw = (c.W - 1) / 2;
  std::int64_t apex;
  if (up) apex = cy - a > c.M ? cy - a : c.M;
  else apex = c.H - 1 - c.M > cy + a ? cy + a : c.H - 1 - c.M;
  FillPolygon(canvas, c, color, {{cw + a, cy}, {cw - a, cy}, {cw, apex}});
}

// The shapes that are not made of segments, in the on colour.
void DrawShape(TCanvas& canvas, const Cell& c, TSevenSegmentCharacter value, TColor on, TColor off, bool showOff) {
  switch (value) {
    case sscPeriod: DrawRect(canvas, c, on, c.W / 2 - c.Z, c.H - 2 * c.Z, c.W / 2 + c.Z, c.H); break;
    case sscColon:
      DrawDotSquare(canvas, c, on, 5, 7);
      DrawDotSquare(canvas, c, on, 11, 13);
      break;
    case sscSemiColon:
      DrawDotSquare(canvas, c, on, 5, 7);
      DrawDotSquare(canvas, c, on, 11, 13);
      DrawTail(canvas, c, on);
      break;
    case sscComma:
      DrawDotSquare(canvas, c, on, 11, 13);
      DrawTail(canvas, c, on);
      break;
    case sscPlus:
      DrawPlus(canvas, c, on);
      if (showOff) DrawMinus(canvas, c, off);
      break;
    case sscMinus:
      DrawMinus(canvas, c, on);
      if (showOff) DrawPlus(canvas, c, off);
      break;
    case sscLine: DrawRect(canvas, c, on, c.M, c.h - c.Z / 2, c.W - 1 - c.M, c.h + c.Z / 2); break;
    case sscUpArrow:
    case sscDownArrow: DrawArrow(canvas, c, on, value == sscUpArrow); break;
    default: break;  // values above sscComma draw nothing
  }
}

}  // namespace

TColor TiSevenSegmentCharacter::OffColor() const {
  return autoSegmentOffColor_ ? AddPaletteRelative(ScaleColor(segmentColor_, 3)) : segmentOffColor_;
}

TColor TiSevenSegmentCharacter::OnColor() const { return powerOff_ ? OffColor() : AddPaletteRelative(segmentColor_); }

void TiSevenSegmentCharacter::DrawCharacter(TCanvas& canvas, TPoint origin, TSevenSegmentCharacter value,
                                            int cellHeight, int cellWidth) const {
  const TColor off = OffColor();
  const TColor on = OnColor();
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetWidth(1);
  const Cell cell{origin,
                  cellWidth,
                  cellHeight,
                  segmentMargin_,
                  segmentSeperation_,
                  segmentSize_,
                  (std::int64_t{cellHeight} - 1) / 2};
  if (useSegmentBits_) DrawSegments(canvas, cell, SegmentBits(), on, off, showOffSegments_);
  else if (IsSegmentShape(value)) DrawSegments(canvas, cell, SegmentsOf(value), on, off, showOffSegments_);
  else DrawShape(canvas, cell, value, on, off, showOffSegments_);
}

}  // namespace tintoral
