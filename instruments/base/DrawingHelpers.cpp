// Numeric and drawing helpers shared by the instruments.
#include "instruments/base/DrawingHelpers.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "runtime/Exception.h"

namespace tintoral {
namespace {

constexpr long double kRadiansPerDegree = 0.017453292519943295769L;
constexpr long double kLog10Of2 = 0.30102999566398119523L;
constexpr TColor kWhite = 0xFFFFFF;
constexpr TColor kBlack = 0;

int ScaleChannel(std::int64_t channel, int factor) {
  const std::int64_t scaled = factor >= 1 ? channel / factor : channel * -static_cast<std::int64_t>(factor);
  return static_cast<int>(std::clamp<std::int64_t>(scaled, 0, 255));
}

void Stroke(TCanvas& canvas, int x1, int y1, int x2, int y2) {
  const TPoint points[2] = {{x1, y1}, {x2, y2}};
  canvas.Polyline(points);
}

void ColoredStroke(TCanvas& canvas, TColor color, int x1, int y1, int x2, int y2) {
  canvas.Pen().SetColor(color);
  Stroke(canvas, x1, y1, x2, y2);
}

// Strokes of a bevelled line: the colours of the offsets −1, 0, +1 across the
// line (a vertical line uses all three, a horizontal one 0 and +1).
struct BevelColors {
  TColor before, middle, after;
};

BevelColors ColorsOf(TiBevelStyle style) {
  return style == ibsRaised ? BevelColors{kWhite, kWhite, kBlack} : BevelColors{kBlack, kWhite, kWhite};
}

void DrawVerticalBevel(TCanvas& canvas, int x, int y1, int y2, TiBevelStyle style) {
  if (y1 > y2) std::swap(y1, y2);
  if (style == ibsNone) return Stroke(canvas, x, y1, x, y2);
  const BevelColors colors = ColorsOf(style);
  ColoredStroke(canvas, colors.before, x - 1, y1, x - 1, y2);
  ColoredStroke(canvas, colors.middle, x, y1, x, y2);
  ColoredStroke(canvas, colors.after, x + 1, y1, x + 1, y2);
}

void DrawHorizontalBevel(TCanvas& canvas, int x1, int y1, int x2, int y2, TiBevelStyle style) {
  if (x1 > x2) {
    std::swap(x1, x2);
    std::swap(y1, y2);
  }
  if (style == ibsNone) return Stroke(canvas, x1, y1, x2, y2);
  // Raised: white on the line, black below; lowered: black on it, white below.
  const bool raised = style == ibsRaised;
  ColoredStroke(canvas, raised ? kWhite : kBlack, x1, y1, x2, y2);
  ColoredStroke(canvas, raised ? kBlack : kWhite, x1, y1 + 1, x2, y2 + 1);
}

}  // namespace

long double DegToRad(long double x) { return x * kRadiansPerDegree; }

long double Log10(long double x) { return std::log2(x) * kLog10Of2; }

long double Power(long double base, long double exponent) { return std::exp2(exponent * std::log2(base)); }

std::int64_t RoundHalfUp(long double x) {
  const long double truncated = std::trunc(x + 0.5L);
  // 2^63 exactly is one past the largest 64-bit integer.
  constexpr long double kLimit = 9223372036854775808.0L;
  if (!(truncated >= -kLimit && truncated < kLimit)) throw ConvertError("Value out of range for a 64-bit integer");
  return static_cast<std::int64_t>(truncated);
}

TColor ScaleColor(TColor color, int factor) {
  const auto bits = static_cast<std::uint32_t>(color);
  const int red = ScaleChannel(bits & 0xFF, factor);
  const int green = ScaleChannel((bits >> 8) & 0xFF, factor);
  const int blue = ScaleChannel((bits >> 16) & 0xFF, factor);
  return red + green * 256 + blue * 65536;
}

void DrawBevelRect(TCanvas& canvas, const TRect& rect, int kind) {
  switch (kind) {
    case bevelRectSunken: canvas.DrawEdge(rect, TEdgeStyle::Sunken); break;
    case bevelRectRaised: canvas.DrawEdge(rect, TEdgeStyle::Raised); break;
    case bevelRectFramed: {
      canvas.Pen().SetColor(clBtnShadow);
      canvas.Pen().SetStyle(psSolid);
      const TPoint corners[4] = {{rect.Left, rect.Top},
                                 {rect.Right - 1, rect.Top},
                                 {rect.Right - 1, rect.Bottom - 1},
                                 {rect.Left, rect.Bottom - 1}};
      canvas.Polygon(corners);
      break;
    }
    default: break;
  }
}

void DrawBevelLine(TCanvas& canvas, int x1, int y1, int x2, int y2, TiBevelStyle style) {
  if (style != ibsNone && style != ibsRaised && style != ibsLowered) return;
  if (x1 == x2) DrawVerticalBevel(canvas, x1, y1, y2, style);
  else DrawHorizontalBevel(canvas, x1, y1, x2, y2, style);
}

void DrawLine(TCanvas& canvas, int x1, int y1, int x2, int y2) { Stroke(canvas, x1, y1, x2, y2); }

int DrawTextFlags(TCanvas& canvas, std::string& text, TRect& rect, std::uint16_t flags) {
  // The canvas's flag bits are the same bit numbers.
  return canvas.DrawText(text, rect, flags);
}

int DrawTextFlags(TCanvas& canvas, const std::string& text, const TRect& rect, std::uint16_t flags) {
  std::string ownText = text;
  TRect ownRect = rect;
  return DrawTextFlags(canvas, ownText, ownRect, flags);
}

void DrawFocusFrame(TCanvas& canvas, const TRect& rect) { canvas.DrawFocusRect(rect); }

void DrawColorFocusFrame(TCanvas& canvas, const TRect& rect, TColor color) {
  canvas.Pen().SetColor(color);
  canvas.Brush().SetColor(color);
  DrawFocusFrame(canvas, rect);
}

}  // namespace tintoral
