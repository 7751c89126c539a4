#pragma once
// A drawing surface over a TBitmap. Geometry follows classic raster rules
// (see README "Raster rules"); text is drawn and measured by QtGui on the
// same pixels.
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "platform/graphics/Brush.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Geometry.h"
#include "platform/graphics/Pen.h"

namespace tintoral {

class TBitmap;

// Flags of TCanvas::DrawText, bit n of a 16-bit word.
namespace DrawTextFlag {
constexpr std::uint16_t Left = 1u << 0;
constexpr std::uint16_t Center = 1u << 1;
constexpr std::uint16_t Right = 1u << 2;
constexpr std::uint16_t Top = 1u << 3;
constexpr std::uint16_t VerticalCenter = 1u << 4;
constexpr std::uint16_t Bottom = 1u << 5;
constexpr std::uint16_t WordBreak = 1u << 6;
constexpr std::uint16_t SingleLine = 1u << 7;
constexpr std::uint16_t ExpandTabs = 1u << 8;
constexpr std::uint16_t NoClip = 1u << 9;
constexpr std::uint16_t Prefix = 1u << 10;  // "&x" underlines x, "&&" is "&"
constexpr std::uint16_t Calculate = 1u << 11;
constexpr std::uint16_t EndEllipsis = 1u << 12;
constexpr std::uint16_t PathEllipsis = 1u << 13;
constexpr std::uint16_t WordEllipsis = 1u << 14;
constexpr std::uint16_t ModifyString = 1u << 15;
}  // namespace DrawTextFlag

enum class TEdgeStyle { Raised, Sunken };

// Device technology codes answered by TCanvas::DeviceTechnology.
constexpr int DT_RASDISPLAY = 1;
constexpr int DT_METAFILE = 5;

class TCanvas {
 public:
  explicit TCanvas(TBitmap& target);
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;
  ~TCanvas();

  TPen& Pen() { return pen_; }
  TBrush& Brush() { return brush_; }
  TFont& Font() { return font_; }
  const TPen& Pen() const { return pen_; }
  const TBrush& Brush() const { return brush_; }
  const TFont& Font() const { return font_; }
  TBitmap& Target() { return target_; }
  const TBitmap& Target() const { return target_; }

  // Pixels, 0x00BBGGRR (clNone outside the surface).
  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor color);

  // Geometry.
  void FillRect(const TRect& rect);  // brush only
  void Rectangle(int left, int top, int right, int bottom);
  void Rectangle(const TRect& rect) { Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom); }
  void Ellipse(int left, int top, int right, int bottom);
  // The part of Ellipse(left, top, right, bottom) counter-clockwise from the
  // ray through (startX, startY) to the ray through (endX, endY).
  void Arc(int left, int top, int right, int bottom, int startX, int startY, int endX, int endY);
  void Polygon(std::span<const TPoint> points);
  void Polyline(std::span<const TPoint> points);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);  // the end point is not painted
  TPoint PenPos() const { return penPos_; }

  // Text in the current font; with a solid brush the text cell is filled first.
  void TextOut(int x, int y, const std::string& text);
  int TextWidth(const std::string& text);
  int TextHeight(const std::string& text);
  TSize TextExtent(const std::string& text);
  // Formatted text in a rectangle (DrawTextFlag bits). Returns the height of
  // the text. With Calculate, only adjusts rect (Right and Bottom) to the text.
  // With ModifyString and an ellipsis flag, text receives the shortened text.
  int DrawText(std::string& text, TRect& rect, std::uint16_t flags);

  // Images.
  void Draw(int x, int y, const TBitmap& bitmap);  // honours bitmap.Transparent()
  void StretchDraw(const TRect& dest, const TBitmap& bitmap);
  void CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect);

  // Window-system drawing.
  void DrawEdge(const TRect& rect, TEdgeStyle style);  // two-pixel rings, inside untouched
  void DrawFocusRect(const TRect& rect);               // dotted, inverting; twice restores

  // Device queries. A bitmap canvas is a raster display; a target that records
  // instead of rasterising reports DT_METAFILE.
  int DeviceTechnology() const { return technology_; }
  void SetDeviceTechnology(int technology) { technology_ = technology; }
  // True when (x, y) can be seen: inside the surface and accepted by the
  // visibility test that the window layer may install.
  bool PointVisible(int x, int y) const;
  void SetVisibilityTest(std::function<bool(int x, int y)> test) { visibilityTest_ = std::move(test); }

 private:
  TBitmap& target_;
  TPen pen_;
  TBrush brush_;
  TFont font_;
  TPoint penPos_;
  int technology_ = DT_RASDISPLAY;
  std::function<bool(int, int)> visibilityTest_;
};

}  // namespace tintoral
