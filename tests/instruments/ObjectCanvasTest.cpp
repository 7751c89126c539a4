// The object canvas: the swatch use, the two mappings, the pixels of each
// object kind, hit testing and clicks, the object interface and its errors.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "instruments/ObjectCanvas.h"
#include "runtime/Exception.h"

namespace tintoral {
namespace {

using Log = std::vector<std::string>;

std::string World(const char* what, double x, double y) {
  char text[64];
  std::snprintf(text, sizeof text, "%s %.1f,%.1f", what, x, y);
  return text;
}

class CountingCanvas : public TiObjectCanvas {
 public:
  using TiObjectCanvas::TiObjectCanvas;
  int invalidations = 0;
  void Invalidate() override {
    ++invalidations;
    TiObjectCanvas::Invalidate();
  }
};

const TBitmap& Render(TiObjectCanvas& c) {
  c.PaintBufferNow(false);
  return c.PaintBuffer();
}

// A 101 × 101 canvas whose world unit is one pixel, (0, 0) at pixel (50, 50),
// black background, red brush and white pen.
struct UnitCanvas {
  UnitCanvas() {
    c.SetBounds(0, 0, 101, 101);
    c.SetDisplayRangeX(101);
    c.SetDisplayRangeY(101);
    c.SetDefaultBrushColor(clRed);
  }
  TColor At(int x, int y) { return Render(c).Pixel(x, y); }
  // Pixels of the colour in rows top … bottom - 1, inside the border.
  int CountIn(TColor color, int top, int bottom) {
    const TBitmap& image = Render(c);
    int n = 0;
    for (int y = std::max(top, 2); y < std::min(bottom, 99); ++y)
      for (int x = 2; x < 99; ++x) n += image.Pixel(x, y) == color;
    return n;
  }
  TiObjectCanvas c{nullptr};
};

TEST(ObjectCanvas, TheSwatchIsAFillInsideALoweredBorderAndTheSameColourRepaintsOnce) {
  CountingCanvas swatch(nullptr);
  EXPECT_EQ(swatch.Width(), 200);
  EXPECT_EQ(swatch.BorderStyle(), ibsLowered);
  EXPECT_EQ(swatch.BackGroundColor(), clBlack);
  swatch.SetBounds(0, 0, 65, 65);
  const int before = swatch.invalidations;
  swatch.SetBackGroundColor(0x3366CC);
  swatch.SetBackGroundColor(0x3366CC);
  EXPECT_EQ(swatch.invalidations, before + 1);

  const TBitmap& image = Render(swatch);
  int fill = 0;
  for (int y = 2; y < 63; ++y)
    for (int x = 2; x < 63; ++x) fill += image.Pixel(x, y) == 0x3366CC;
  EXPECT_EQ(fill, 61 * 61);
  for (int i = 0; i < 65; ++i) {  // the two-pixel edge all round
    EXPECT_NE(image.Pixel(i, 0), 0x3366CC);
    EXPECT_NE(image.Pixel(0, i), 0x3366CC);
    EXPECT_NE(image.Pixel(i, 64), 0x3366CC);
    EXPECT_NE(image.Pixel(64, i), 0x3366CC);
  }
}

TEST(ObjectCanvas, WorldAndPixelsMapThroughTheCentreWithRoundHalfUp) {
  TiObjectCanvas c(nullptr);
  c.SetBounds(0, 0, 65, 65);
  struct Case {
    double originX, x, y;
    TPoint pixel;
  };
  // 65 / 100 = 0.65 pixels per unit: ±50 units are ±32.5 pixels, and the
  // halves round up, so the left edge is 0 and the right one 65.
  for (const Case& k : {Case{0, 0, 0, {32, 32}}, Case{0, -50, 50, {0, 0}}, Case{0, 50, -50, {65, 65}},
                        Case{10, 10, 0, {32, 32}}, Case{10, 0, 0, {26, 32}}}) {
    c.SetOriginX(k.originX);
    EXPECT_EQ(c.WorldToPixel(k.x, k.y), k.pixel) << k.originX << " " << k.x << " " << k.y;
  }
  c.SetOriginX(0);
  EXPECT_EQ(c.PixelToWorld(0, 0), (TiWorldPoint{-50, 50}));
  EXPECT_EQ(c.PixelToWorld(65, 65), (TiWorldPoint{50, -50}));
}

// RoundHalfUp truncates toward zero after adding 0.5, so an edge at a
// negative whole offset lands one pixel nearer the centre: -10 units is
// pixel 41, +10 units pixel 60.
TEST(ObjectCanvas, RectangleEllipseAndLineHaveExactPixelsAndHitRectangles) {
  UnitCanvas u;
  const int rect = u.c.AddRectangle(0, 0, 20, 10);
  EXPECT_EQ(u.At(41, 46), clWhite);  // outline corners
  EXPECT_EQ(u.At(59, 54), clWhite);
  EXPECT_EQ(u.At(42, 47), clRed);  // fill
  EXPECT_EQ(u.At(60, 46), clBlack);
  EXPECT_EQ(u.At(40, 45), clBlack);
  EXPECT_EQ(u.c.ObjectByHandle(rect).HitRect, (TRect{41, 46, 60, 55}));

  u.c.Clear();
  const int ellipse = u.c.AddEllipse(0, 0, 20, 10);
  EXPECT_EQ(u.At(50, 50), clRed);
  EXPECT_EQ(u.At(41, 46), clBlack);  // outside the curve
  EXPECT_EQ(u.c.ObjectByHandle(ellipse).HitRect, (TRect{41, 46, 60, 55}));

  u.c.Clear();
  const int line = u.c.AddLine(-10, 0, 10, 0);
  EXPECT_EQ(u.CountIn(clWhite, 50, 51), 19);
  EXPECT_EQ(u.At(41, 50), clWhite);
  EXPECT_EQ(u.At(60, 50), clBlack);  // the end point is not drawn
  EXPECT_EQ(u.c.ObjectByHandle(line).HitRect, (TRect{41, 50, 60, 50}));
}

TEST(ObjectCanvas, TinyEllipsesAreTwoPixelsEachWay) {
  UnitCanvas u;
  const int h = u.c.AddEllipse(0, 0, 0.5, 0.5);
  Render(u.c);
  EXPECT_EQ(u.c.ObjectByHandle(h).HitRect, (TRect{50, 50, 52, 52}));
}

TEST(ObjectCanvas, TextImageArcAndPolygon) {
  UnitCanvas u;
  const int text = u.c.AddText(0, 0, "Hi");
  Render(u.c);
  const TRect t = u.c.ObjectByHandle(text).HitRect;
  EXPECT_EQ(t.Left + t.Right, 100);  // centred on (50, 50)
  EXPECT_EQ(t.Top + t.Bottom, 100);
  EXPECT_GT(t.Width(), 4);
  EXPECT_EQ(u.At(t.Left, t.Top), clRed);  // the solid brush fills the text cell

  u.c.Clear();
  u.c.SetImageListWidth(4);
  u.c.SetImageListHeight(4);
  TBitmap picture(4, 4);
  picture.Canvas().Brush().SetColor(clLime);
  picture.Canvas().FillRect(TRect{0, 0, 4, 4});
  picture.SetPixel(0, 0, clFuchsia);
  u.c.ImageList().AddMasked(picture, clFuchsia);
  const int image = u.c.AddImage(0, 0, 0);
  EXPECT_EQ(u.CountIn(clLime, 0, 101), 15);
  EXPECT_EQ(u.At(48, 48), clBlack);  // masked out
  EXPECT_EQ(u.At(51, 51), clLime);
  EXPECT_EQ(u.c.ObjectByHandle(image).HitRect, (TRect{48, 48, 52, 52}));

  u.c.Clear();
  const int arc = u.c.AddArc(0, 0, 20, 20, 0, 180);  // the upper half
  EXPECT_GT(u.CountIn(clWhite, 40, 49), 10);
  EXPECT_EQ(u.CountIn(clWhite, 52, 101), 0);
  EXPECT_EQ(u.c.ObjectByHandle(arc).HitRect, (TRect{41, 41, 60, 60}));

  u.c.Clear();
  const int polygon = u.c.AddPolygon({{-10, -10}, {10, -10}, {0, 10}});
  EXPECT_EQ(u.At(50, 55), clRed);
  EXPECT_EQ(u.At(50, 41), clWhite);  // apex on the outline
  EXPECT_EQ(u.At(45, 42), clBlack);
  EXPECT_EQ(u.c.ObjectByHandle(polygon).HitRect, (TRect{0, 0, 0, 0}));  // never set
  EXPECT_EQ(u.c.ObjectByHandle(polygon).Point(2), (TiWorldPoint{0, 10}));
}

TEST(ObjectCanvas, InvisibleObjectsAreSkippedAndChangesRepaint) {
  UnitCanvas u;
  const int h = u.c.AddRectangle(0, 0, 20, 10);
  u.c.ChangeObject(h, [](TiDrawObject& o) { o.Visible = false; });
  EXPECT_EQ(u.CountIn(clRed, 0, 101), 0);
  u.c.ChangeObject(h, [](TiDrawObject& o) {
    o.Visible = true;
    o.BrushColor = clBlue;
  });
  EXPECT_EQ(u.At(50, 50), clBlue);
}

class ObjectCanvasClick : public ::testing::Test {
 protected:
  ObjectCanvasClick() {
    u.c.SetOnMouseDownDisplay(
        [this](TObject*, TMouseButton, TShiftState, double x, double y) { log.push_back(World("down", x, y)); });
    u.c.SetOnMouseUpDisplay(
        [this](TObject*, TMouseButton, TShiftState, double x, double y) { log.push_back(World("up", x, y)); });
    u.c.SetOnClickObject([this](TObject*, int handle) { log.push_back("click " + std::to_string(handle)); });
  }
  void Click(int x1, int y1, int x2, int y2) {
    u.c.DispatchMouseDown(mbLeft, {ssLeft}, x1, y1);
    u.c.DispatchMouseUp(mbLeft, {}, x2, y2);
  }
  UnitCanvas u;
  Log log;
};

TEST_F(ObjectCanvasClick, PressAndReleaseInOneObjectClickTheTopmost) {
  const int below = u.c.AddRectangle(0, 0, 20, 20);   // pixels 41 … 59
  const int above = u.c.AddRectangle(10, 0, 20, 20);  // pixels 50 … 69
  Render(u.c);
  Click(55, 50, 55, 50);
  Click(45, 50, 49, 59);
  Click(45, 50, 80, 50);  // released outside: no click
  Click(90, 90, 90, 90);  // on nothing
  EXPECT_EQ(
      log, (Log{"down 4.5,0.5", "up 4.5,0.5", "click " + std::to_string(above), "down -5.5,0.5", "up -1.5,-8.5",
                "click " + std::to_string(below), "down -5.5,0.5", "up 29.5,0.5", "down 39.5,-39.5", "up 39.5,-39.5"}));
  EXPECT_FALSE(u.c.Pressed());
  EXPECT_EQ(u.c.HitHandle(), -1);
}

TEST_F(ObjectCanvasClick, LinesDrawnLeftwardOrUpwardCannotBeHit) {
  u.c.AddLine(10, 0, -10, 0);
  u.c.AddLine(0, -10, 0, 10);
  Render(u.c);
  u.c.DispatchMouseDown(mbLeft, {ssLeft}, 50, 50);
  EXPECT_EQ(u.c.HitHandle(), -1);
}

TEST_F(ObjectCanvasClick, AnObjectRemovedWhilePressedEndsThePressWithoutAClick) {
  const int h = u.c.AddRectangle(0, 0, 20, 20);
  Render(u.c);
  u.c.DispatchMouseDown(mbLeft, {ssLeft}, 50, 50);
  EXPECT_EQ(u.c.HitHandle(), h);
  u.c.RemoveObject(h);
  u.c.DispatchMouseUp(mbLeft, {}, 50, 50);  // "Object not Found", swallowed by the base
  EXPECT_EQ(u.c.HitHandle(), -1);
  EXPECT_EQ(log, (Log{"down -0.5,0.5", "up -0.5,0.5"}));
}

TEST_F(ObjectCanvasClick, LosingTheFocusReleasesAtPixelZero) {
  u.c.AddRectangle(0, 0, 20, 20);
  Render(u.c);
  u.c.DispatchMouseDown(mbLeft, {ssLeft}, 50, 50);
  u.c.HandleFocusLost();
  EXPECT_FALSE(u.c.Pressed());
  EXPECT_EQ(u.c.HitHandle(), -1);
  EXPECT_EQ(log, (Log{"down -0.5,0.5", "up -50.5,50.5"}));
}

TEST(ObjectCanvas, HandlesCountFromZeroAgainAfterClearAndBadOnesRaise) {
  TiObjectCanvas c(nullptr);
  EXPECT_EQ(c.AddText(0, 0, "a"), 0);
  EXPECT_EQ(c.AddText(0, 0, "b"), 1);
  c.RemoveObject(0);
  EXPECT_EQ(c.ObjectByHandle(1).Text, "b");
  EXPECT_EQ(c.AddText(0, 0, "c"), 2);  // handles are not reused
  for (int missing : {0, 3, -1}) {
    try {
      c.ObjectByHandle(missing);
      ADD_FAILURE() << missing;
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), "Object not Found");
    }
  }
  c.Clear();
  EXPECT_EQ(c.ObjectCount(), 0);
  EXPECT_EQ(c.AddPolygon({{1, 2}}), 0);
  for (int bad : {-1, 1}) {
    try {
      c.ObjectByHandle(0).Point(bad);
      ADD_FAILURE() << bad;
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), "Index out of Bounds");
    }
  }
}

TEST(ObjectCanvas, AZeroDisplayRangePaintsTheErrorText) {
  UnitCanvas u;
  u.c.SetBackGroundColor(clBlue);
  u.c.AddRectangle(0, 0, 20, 10);
  u.c.SetDisplayRangeY(0);
  EXPECT_EQ(u.CountIn(clBlue, 0, 101), 0);
  EXPECT_GT(u.CountIn(clWhite, 0, 101), 0);
  EXPECT_EQ(u.At(100, 100), clBlack);
}

TEST(ObjectCanvas, FarAwayObjectsPaintQuicklyAndUnmappableOnesFailThePaint) {
  UnitCanvas u;
  u.c.SetDefaultPenWidth(3);
  const int huge = u.c.AddEllipse(0, 0, 1e10, 1e10);  // beyond the 32-bit pixel range
  u.c.AddLine(-1e10, 0, 1e10, 0);
  EXPECT_EQ(u.At(50, 30), clRed);
  EXPECT_EQ(u.At(50, 50), clWhite);  // the wide line through the middle
  EXPECT_EQ(u.c.ObjectByHandle(huge).HitRect.Left, std::numeric_limits<int>::min());
  u.c.AddRectangle(1e300, 0, 1, 1);  // no 64-bit pixel: the paint shows the error
  EXPECT_EQ(u.CountIn(clRed, 0, 101), 0);
  EXPECT_GT(u.CountIn(clWhite, 0, 101), 0);
}

}  // namespace
}  // namespace tintoral
