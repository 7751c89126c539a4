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

// The measures of one cell, in pixels: its size, the margin around the
// segments, the gap between neighbouring segments, the segment size (half
// the thickness of a side segment) and the middle row.
struct Cell {
  TPoint origin;
  std::int64_t width, height, margin, gap, size;
  std::int64_t midRow;

  TPoint At(CellPoint p) const { return TPoint{SaturateToInt(origin.X + p.x), SaturateToInt(origin.Y + p.y)}; }
};

// Nearest integer, exact halves to the even one; 0 beyond the 64-bit range.
std::int64_t RoundHalfEven(double v) {
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

// Segment `index` (0 = A … 6 = G). The side segments are bevelled
// quadrilaterals `thick` pixels deep; G is a hexagon `size` pixels to
// either side of the middle row.
void DrawSegment(TCanvas& canvas, const Cell& c, int index, TColor color) {
  const std::int64_t m = c.margin, gap = c.gap, size = c.size, thick = 2 * c.size, mid = c.midRow;
  const std::int64_t right = c.width - 1 - m, bottom = c.height - 1 - m;
  switch (index) {
    case 0:
      FillPolygon(canvas, c, color,
                  {{m + gap, m}, {right - gap, m}, {right - gap - thick, m + thick}, {m + gap + thick, m + thick}});
      break;
    case 1:
      FillPolygon(
          canvas, c, color,
          {{right, m + gap}, {right, mid - gap}, {right - thick, mid - gap - thick}, {right - thick, m + gap + thick}});
      break;
    case 2:
      FillPolygon(canvas, c, color,
                  {{right, mid + gap},
                   {right, bottom - gap},
                   {right - thick, bottom - gap - thick},
                   {right - thick, mid + gap + thick}});
      break;
    case 3:
      FillPolygon(canvas, c, color,
                  {{m + gap, bottom},
                   {right - gap, bottom},
                   {right - gap - thick, bottom - thick},
                   {m + gap + thick, bottom - thick}});
      break;
    case 4:
      FillPolygon(
          canvas, c, color,
          {{m, mid + gap}, {m, bottom - gap}, {m + thick, bottom - gap - thick}, {m + thick, mid + gap + thick}});
      break;
    case 5:
      FillPolygon(canvas, c, color,
                  {{m, m + gap}, {m, mid - gap}, {m + thick, mid - gap - thick}, {m + thick, m + gap + thick}});
      break;
    default:
      FillPolygon(canvas, c, color,
                  {{m + gap, mid},
                   {m + gap + size, mid - size},
                   {right - gap - size, mid - size},
                   {right - gap, mid},
                   {right - gap - size, mid + size},
                   {m + gap + size, mid + size}});
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

// The row k eighteenths of the cell height down.
std::int64_t Eighteenth(const Cell& c, double k) { return RoundHalfEven(k * static_cast<double>(c.height) / 18); }

// The plus sign's bar and upright, in the upper half of the cell.
void DrawPlus(TCanvas& canvas, const Cell& c, TColor color) {
  const double width = static_cast<double>(c.width), height = static_cast<double>(c.height);
  const double size = static_cast<double>(c.size);
  DrawRect(canvas, c, color, RoundHalfEven(2.5 * width / 10), RoundHalfEven(4.5 * height / 18 - 0.5 * size),
           RoundHalfEven(7.5 * width / 10), RoundHalfEven(4.5 * height / 18 + 0.5 * size));
  DrawRect(canvas, c, color, RoundHalfEven(0.5 * width - 0.5 * size), Eighteenth(c, 2),
           RoundHalfEven(0.5 * width + 0.5 * size), Eighteenth(c, 7));
}

// The minus sign's bar, in the lower half of the cell.
void DrawMinus(TCanvas& canvas, const Cell& c, TColor color) {
  const double width = static_cast<double>(c.width), height = static_cast<double>(c.height);
  const double size = static_cast<double>(c.size);
  DrawRect(canvas, c, color, RoundHalfEven(2.5 * width / 10), RoundHalfEven(13.5 * height / 18 - 0.5 * size),
           RoundHalfEven(7.5 * width / 10), RoundHalfEven(13.5 * height / 18 + 0.5 * size));
}

void DrawDotSquare(TCanvas& canvas, const Cell& c, TColor color, double fromEighteenth, double toEighteenth) {
  const std::int64_t cx = c.width / 2;
  DrawRect(canvas, c, color, cx - c.size, Eighteenth(c, fromEighteenth), cx + c.size, Eighteenth(c, toEighteenth));
}

void DrawTail(TCanvas& canvas, const Cell& c, TColor color) {
  const std::int64_t cx = c.width / 2;
  DrawRect(canvas, c, color, cx, Eighteenth(c, 13), cx + c.size, Eighteenth(c, 16));
}

void DrawArrow(TCanvas& canvas, const Cell& c, TColor color, bool up) {
  const std::int64_t a = (c.width - 1 - 2 * c.margin) / 2, cy = c.height / 2, cw = (c.width - 1) / 2;
  std::int64_t apex;
  if (up) apex = cy - a > c.margin ? cy - a : c.margin;
  else apex = c.height - 1 - c.margin > cy + a ? cy + a : c.height - 1 - c.margin;
  FillPolygon(canvas, c, color, {{cw + a, cy}, {cw - a, cy}, {cw, apex}});
}

// The shapes that are not made of segments, in the on colour.
void DrawShape(TCanvas& canvas, const Cell& c, TSevenSegmentCharacter value, TColor on, TColor off, bool showOff) {
  switch (value) {
    case sscPeriod:
      DrawRect(canvas, c, on, c.width / 2 - c.size, c.height - 2 * c.size, c.width / 2 + c.size, c.height);
      break;
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
    case sscLine:
      DrawRect(canvas, c, on, c.margin, c.midRow - c.size / 2, c.width - 1 - c.margin, c.midRow + c.size / 2);
      break;
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

void TiSevenSegmentCharacter::DrawCharacter(TCanvas& canvas, TPoint origin, TSevenSegmentCharacter value, int cellWidth,
                                            int cellHeight) const {
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
