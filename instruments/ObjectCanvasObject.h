#pragma once
// TiDrawObject: one graphic object of the object canvas (an ellipse,
// rectangle, line, text, image, arc or polygon) with its world geometry,
// its own pen, brush and font settings, and the hit rectangle of its last
// paint.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/graphics/Brush.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Geometry.h"
#include "platform/graphics/Pen.h"

namespace tintoral {

enum TiDrawObjectKind : std::uint8_t {
  idokEllipse,
  idokRectangle,
  idokLine,
  idokText,
  idokImage,
  idokArc,
  idokPolygon,
};

// A point in world coordinates (y grows upward).
struct TiWorldPoint {
  double X = 0;
  double Y = 0;
  bool operator==(const TiWorldPoint&) const = default;
};

class TiDrawObject {
 public:
  explicit TiDrawObject(TiDrawObjectKind kind) : Kind(kind) {}

  // Polygon vertices. Point raises ListIndexError "Index out of Bounds" for
  // an index below 0 or not below PointCount.
  int PointCount() const { return static_cast<int>(points_.size()); }
  TiWorldPoint Point(int index) const;
  void SetPoints(std::vector<TiWorldPoint> points) { points_ = std::move(points); }

  TiDrawObjectKind Kind;
  bool Visible = true;
  // Centre (ellipse, rectangle, arc, text, image) or start point (line).
  double X = 0;
  double Y = 0;
  // Full size in world units (ellipse, rectangle, arc), or the end point
  // (line). For an arc the width is also the pixel distance of the points
  // that fix the start and end rays.
  double Width = 0;
  double Height = 0;
  double StartAngle = 0;  // degrees, counter-clockwise from +x (arc)
  double EndAngle = 0;
  int ImageIndex = 0;  // into the canvas's image list (image)
  // Drawn by text objects, and over ellipses and rectangles when not blank.
  std::string Text;
  std::string FontName;
  int FontSize = 8;  // points
  TColor FontColor = clWhite;
  bool FontBold = false;
  bool FontItalic = false;
  bool FontUnderLine = false;
  bool FontStrikeOut = false;
  TColor BrushColor = clBlack;
  TBrushStyle BrushStyle = bsSolid;
  TColor PenColor = clWhite;
  TPenStyle PenStyle = psSolid;
  int PenWidth = 1;
  // Client pixels of the last paint (left, top, right, bottom); a point is
  // inside when left <= x < right and top <= y < bottom.
  TRect HitRect{0, 0, 0, 0};

 private:
  std::vector<TiWorldPoint> points_;
};

}  // namespace tintoral
