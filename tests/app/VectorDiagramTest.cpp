// The vector diagram's pixels: the green frame on black, the aqua vector
// from the origin to its end point (aqua where it crosses an axis), the
// texts, and a fresh picture at every drawing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "app/ColorSignals.h"
#include "app/VectorDiagram.h"
#include "tests/platform/graphics/CanvasTestSupport.h"

namespace tintoral {
namespace {

using test::PixelSet;
using test::Surface;

constexpr TPoint kOrigin{153, 115};

// The diagram of a colour, drawn on a fresh white bitmap.
struct Diagram : Surface {
  TColorSignalValues signals;
  Diagram(double red, double green, double blue)
      : Surface(kVectorDiagramWidth, kVectorDiagramHeight), signals(ComputeColorSignals(red, green, blue)) {
    DrawVectorDiagram(canvas, signals.U, signals.V);
  }
};

double DistanceToSegment(double px, double py, TPoint a, TPoint b) {
  const double dx = b.X - a.X, dy = b.Y - a.Y;
  const double length2 = dx * dx + dy * dy;
  const double t = length2 == 0 ? 0 : std::clamp(((px - a.X) * dx + (py - a.Y) * dy) / length2, 0.0, 1.0);
  return std::hypot(px - (a.X + t * dx), py - (a.Y + t * dy));
}

// The texts' corner of the diagram, where the aqua is glyphs.
bool InTextArea(int x, int y) { return x < 100 && y < 32; }

// Aqua pixels in the text rows right of the given width (the angle text
// starts at x 35 in the first row, the modulus text in the second).
int AquaRightOf(const Diagram& d, int top, int textRight) {
  int count = 0;
  for (int y = top; y < top + 13; ++y)
    for (int x = textRight; x < 100; ++x) count += d.At(x, y) == clAqua;
  return count;
}

TEST(VectorDiagram, FrameIsAGreenCircleAndTwoAxesOnBlack) {
  const Diagram d(0, 0, 0);
  const struct {
    int x, y;
    TColor color;
  } pixels[] = {
      {0, 0, clBlack},    {304, 232, clBlack}, {100, 60, clBlack},                       // ground, inside the circle
      {53, 116, clGreen}, {252, 116, clGreen}, {152, 16, clGreen}, {152, 215, clGreen},  // circle
      {52, 116, clBlack}, {253, 116, clBlack}, {152, 15, clBlack}, {152, 216, clBlack},
      {153, 10, clGreen}, {153, 221, clGreen}, {153, 9, clBlack},  {153, 222, clBlack},  // vertical axis
      {44, 115, clGreen}, {259, 115, clGreen}, {43, 115, clBlack}, {260, 115, clBlack},  // horizontal axis
  };
  for (const auto& p : pixels) EXPECT_EQ(d.At(p.x, p.y), p.color) << p.x << ", " << p.y;
  // Nothing but black, green and aqua; a vector of zero length paints
  // nothing, so all the aqua is text.
  PixelSet others = d.PixelsNot(clBlack);
  for (const auto& p : d.PixelsOf(clGreen)) others.erase(p);
  for (const auto& [x, y] : d.PixelsOf(clAqua)) {
    EXPECT_TRUE(InTextArea(x, y)) << x << ", " << y;
    others.erase({x, y});
  }
  EXPECT_TRUE(others.empty()) << others.size() << " pixels of other colours";  // glyph edges are aqua or black
}

TEST(VectorDiagram, VectorRunsFromTheOriginToItsEndPoint) {
  const struct {
    double red, green, blue;
    TPoint end;
  } cases[] = {
      {100, 0, 0, {131, 23}},
      {0, 100, 100, {175, 207}},
      {0, 0, 100, {219, 129}},
      {100, 100, 0, {87, 101}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.red << ", " << c.green << ", " << c.blue);
    const Diagram d(c.red, c.green, c.blue);
    EXPECT_EQ(d.At(kOrigin.X, kOrigin.Y), clAqua);
    EXPECT_EQ(d.At(c.end.X, c.end.Y), clAqua);
    int covered = 0;
    for (int y = 0; y < kVectorDiagramHeight; ++y)
      for (int x = 0; x < kVectorDiagramWidth; ++x) {
        if (InTextArea(x, y)) continue;
        const double distance = DistanceToSegment(x, y, kOrigin, c.end);
        const bool aqua = d.At(x, y) == clAqua;
        if (distance <= 0.5) covered += aqua;  // the 3-pixel line's core
        if (distance >= 2.5) {
          EXPECT_FALSE(aqua) << x << ", " << y;
        }
      }
    const double length = std::hypot(c.end.X - kOrigin.X, c.end.Y - kOrigin.Y);
    EXPECT_GE(covered, static_cast<int>(length));
    // Under pmMerge the axes stay green away from the vector and turn aqua
    // (aqua OR green) where it covers them.
    EXPECT_EQ(d.At(153, 10), clGreen);
    EXPECT_EQ(d.At(153, 221), clGreen);
    EXPECT_EQ(d.At(44, 115), clGreen);
    EXPECT_EQ(d.At(259, 115), clGreen);
    EXPECT_EQ(d.At(kOrigin.X + (c.end.X > kOrigin.X ? 1 : -1), kOrigin.Y), clAqua);
    EXPECT_EQ(d.At(kOrigin.X, kOrigin.Y + (c.end.Y > kOrigin.Y ? 1 : -1)), clAqua);
  }
}

TEST(VectorDiagram, TextsShowAngleAndModulusInTheirPlaces) {
  const struct { double red, green, blue; } colors[] = {{0, 0, 0}, {100, 0, 0}, {10, 20, 30}};
  for (const auto& c : colors) {
    Diagram d(c.red, c.green, c.blue);
    SCOPED_TRACE(d.signals.AngleText + " " + d.signals.ModulusText);
    PixelSet labels, angle, modulus;
    for (const auto& [x, y] : d.PixelsOf(clAqua)) {
      if (!InTextArea(x, y)) continue;
      (x < 35 ? labels : y < 18 ? angle : modulus).insert({x, y});
    }
    EXPECT_GT(labels.size(), 20u);  // "Ang:" and "Mod:"
    EXPECT_GT(angle.size(), 5u);
    EXPECT_GT(modulus.size(), 5u);
    EXPECT_EQ(AquaRightOf(d, 5, 35 + d.canvas.TextWidth(d.signals.AngleText)), 0);
    EXPECT_EQ(AquaRightOf(d, 18, 35 + d.canvas.TextWidth(d.signals.ModulusText)), 0);
  }
}

// The pen, brush and font keep the diagram's last settings between drawings.
TEST(VectorDiagram, CanvasKeepsTheLastPenBrushAndFont) {
  Diagram d(100, 0, 0);
  EXPECT_EQ(d.canvas.Pen().Color(), clAqua);
  EXPECT_EQ(d.canvas.Pen().Width(), 3);
  EXPECT_EQ(d.canvas.Pen().Mode(), pmMerge);
  EXPECT_EQ(d.canvas.Brush().Color(), clBlack);
  EXPECT_EQ(d.canvas.Brush().Style(), bsSolid);
  EXPECT_EQ(d.canvas.Font().Name(), "Lucida Console");
  EXPECT_EQ(d.canvas.Font().Size(), 8);
  EXPECT_EQ(d.canvas.Font().Color(), clAqua);
}

// Every drawing starts from a black ground: a shorter text and a shorter
// vector after longer ones leave nothing of them.
TEST(VectorDiagram, RedrawingLeavesNoTraceOfTheEarlierPicture) {
  Diagram redrawn(100, 0, 0);
  const TColorSignalValues black = ComputeColorSignals(0, 0, 0);
  DrawVectorDiagram(redrawn.canvas, black.U, black.V);
  const Diagram fresh(0, 0, 0);
  int differing = 0;
  for (int y = 0; y < kVectorDiagramHeight; ++y)
    for (int x = 0; x < kVectorDiagramWidth; ++x) differing += redrawn.At(x, y) != fresh.At(x, y);
  EXPECT_EQ(differing, 0);
}

// Kept up to date on one surface, the diagram has the pixels of a fresh
// drawing, and a redrawing changes pixels only inside the part it names:
// texts growing and shrinking, the vector turning through every quadrant,
// growing from nothing and shrinking back to nothing.
TEST(VectorDiagram, SurfaceRedrawsAsAFreshDrawingAndNamesWhatChanged) {
  const double colours[][3] = {{0, 1, 0},   {100, 0, 0},  {0, 100, 100}, {0, 0, 100}, {100, 0, 100},
                               {0, 100, 0}, {37, 12, 90}, {0, 0, 0},     {1, 0, 0}};
  Surface surface(kVectorDiagramWidth, kVectorDiagramHeight);
  TVectorDiagramSurface diagram;
  EXPECT_EQ(diagram.Redraw(surface.canvas, 0, 0), (TRect{0, 0, kVectorDiagramWidth, kVectorDiagramHeight}));
  for (const auto& rgb : colours) {
    TBitmap before;
    before.Assign(surface.bitmap);
    const TColorSignalValues s = ComputeColorSignals(rgb[0], rgb[1], rgb[2]);
    const TRect changed = diagram.Redraw(surface.canvas, s.U, s.V);
    const Diagram fresh(rgb[0], rgb[1], rgb[2]);
    int outside = 0, wrong = 0;
    for (int y = 0; y < kVectorDiagramHeight; ++y)
      for (int x = 0; x < kVectorDiagramWidth; ++x) {
        outside += !changed.Contains(x, y) && surface.At(x, y) != before.Pixel(x, y);
        wrong += surface.At(x, y) != fresh.At(x, y);
      }
    EXPECT_EQ(outside, 0) << rgb[0] << " " << rgb[1] << " " << rgb[2];
    EXPECT_EQ(wrong, 0) << rgb[0] << " " << rgb[1] << " " << rgb[2];
    EXPECT_LT(changed.Width() * changed.Height(), kVectorDiagramWidth * kVectorDiagramHeight);
  }
  EXPECT_EQ(surface.canvas.Pen().Width(), 3);  // the tools a full drawing leaves
  EXPECT_EQ(surface.canvas.Pen().Mode(), pmMerge);
}

}  // namespace
}  // namespace tintoral
