#pragma once
// TiObjectCanvas: a background colour inside a bevelled border with a list
// of graphic objects drawn over it in a world coordinate system of its own
// ((OriginX, OriginY) at the centre point, DisplayRangeX × DisplayRangeY
// across the control, y growing upward). Mouse actions are reported in world
// coordinates, and a press and release inside the same object's hit
// rectangle as a click on that object's handle.
//
// Objects are added with the Add* operations, which take the current
// Default* settings and return the new object's handle; ChangeObject edits
// one, RemoveObject and Clear take them away. Objects paint in the order
// they were added, the later ones on top.
//
// Files: ObjectCanvas.cpp (properties, object list, mapping),
// ObjectCanvasPaint.cpp, ObjectCanvasMouse.cpp, ObjectCanvasImageList.*.
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "instruments/ObjectCanvasImageList.h"
#include "instruments/ObjectCanvasObject.h"
#include "instruments/base/InstrumentComponent.h"
#include "runtime/Event.h"

namespace tintoral {

using TiMouseUPDownDisplayEvent = TEvent<TMouseButton, TShiftState, double, double>;  // button, shift, world X, Y
using TiMouseMoveDisplayEvent = TEvent<TShiftState, double, double>;                  // shift, world X, Y
using TiClickObjectEvent = TEvent<int>;                                               // handle

class TiObjectCanvas : public TiCustomComponent {
  TINTORAL_CLASS(TiObjectCanvas, TiCustomComponent)

 public:
  explicit TiObjectCanvas(TComponent* owner);
  ~TiObjectCanvas() override;

  // ---- Published ----------------------------------------------------------
  double OriginX() const { return originX_; }
  void SetOriginX(double value) { SetPropertyField(value, originX_, irkRepaint); }
  double OriginY() const { return originY_; }
  void SetOriginY(double value) { SetPropertyField(value, originY_, irkRepaint); }
  double DisplayRangeX() const { return displayRangeX_; }
  void SetDisplayRangeX(double value) { SetPropertyField(value, displayRangeX_, irkRepaint); }
  double DisplayRangeY() const { return displayRangeY_; }
  void SetDisplayRangeY(double value) { SetPropertyField(value, displayRangeY_, irkRepaint); }

  // Settings new objects start with; stored only.
  TColor DefaultBrushColor() const { return defaults_.BrushColor; }
  void SetDefaultBrushColor(TColor value) { defaults_.BrushColor = value; }
  TBrushStyle DefaultBrushStyle() const { return defaults_.BrushStyle; }
  void SetDefaultBrushStyle(TBrushStyle value) { defaults_.BrushStyle = value; }
  TColor DefaultPenColor() const { return defaults_.PenColor; }
  void SetDefaultPenColor(TColor value) { defaults_.PenColor = value; }
  TPenStyle DefaultPenStyle() const { return defaults_.PenStyle; }
  void SetDefaultPenStyle(TPenStyle value) { defaults_.PenStyle = value; }
  int DefaultPenWidth() const { return defaults_.PenWidth; }
  void SetDefaultPenWidth(int value) { defaults_.PenWidth = value; }
  const std::string& DefaultFontName() const { return defaults_.FontName; }
  void SetDefaultFontName(const std::string& value) { defaults_.FontName = value; }
  int DefaultFontSize() const { return defaults_.FontSize; }
  void SetDefaultFontSize(int value) { defaults_.FontSize = value; }
  TColor DefaultFontColor() const { return defaults_.FontColor; }
  void SetDefaultFontColor(TColor value) { defaults_.FontColor = value; }
  bool DefaultFontBold() const { return defaults_.FontBold; }
  void SetDefaultFontBold(bool value) { defaults_.FontBold = value; }
  bool DefaultFontItalic() const { return defaults_.FontItalic; }
  void SetDefaultFontItalic(bool value) { defaults_.FontItalic = value; }
  bool DefaultFontUnderLine() const { return defaults_.FontUnderLine; }
  void SetDefaultFontUnderLine(bool value) { defaults_.FontUnderLine = value; }
  bool DefaultFontStrikeOut() const { return defaults_.FontStrikeOut; }
  void SetDefaultFontStrikeOut(bool value) { defaults_.FontStrikeOut = value; }

  // The image list's image size; changing it removes the images.
  int ImageListWidth() const { return imageList_.Width(); }
  void SetImageListWidth(int value) { imageList_.SetWidth(value); }
  int ImageListHeight() const { return imageList_.Height(); }
  void SetImageListHeight(int value) { imageList_.SetHeight(value); }

  const TiMouseUPDownDisplayEvent& OnMouseDownDisplay() const { return onMouseDownDisplay_; }
  void SetOnMouseDownDisplay(TiMouseUPDownDisplayEvent handler) { onMouseDownDisplay_ = std::move(handler); }
  const TiMouseMoveDisplayEvent& OnMouseMoveDisplay() const { return onMouseMoveDisplay_; }
  void SetOnMouseMoveDisplay(TiMouseMoveDisplayEvent handler) { onMouseMoveDisplay_ = std::move(handler); }
  const TiMouseUPDownDisplayEvent& OnMouseUpDisplay() const { return onMouseUpDisplay_; }
  void SetOnMouseUpDisplay(TiMouseUPDownDisplayEvent handler) { onMouseUpDisplay_ = std::move(handler); }
  const TiClickObjectEvent& OnClickObject() const { return onClickObject_; }
  void SetOnClickObject(TiClickObjectEvent handler) { onClickObject_ = std::move(handler); }

  // ---- Objects ------------------------------------------------------------
  // Each adds one visible object with the Default* settings, requests a
  // repaint and returns its handle.
  int AddEllipse(double x, double y, double width, double height, const std::string& text = {});
  int AddRectangle(double x, double y, double width, double height, const std::string& text = {});
  int AddLine(double x1, double y1, double x2, double y2);
  int AddText(double x, double y, const std::string& text);
  int AddImage(double x, double y, int imageIndex);
  // `radius` is the pixel distance of the points that fix the two rays.
  int AddArc(double x, double y, double width, double height, double startAngle, double endAngle);
  int AddPolygon(std::vector<TiWorldPoint> points);

  // The object with the handle; raises ListIndexError "Object not Found".
  TiDrawObject& ObjectByHandle(int handle);
  // Runs `change` on the object with the handle, then requests a repaint.
  void ChangeObject(int handle, const std::function<void(TiDrawObject&)>& change);
  // Removes and frees the object with the handle ("Object not Found" when
  // there is none) and requests a repaint.
  void RemoveObject(int handle);
  // Frees every object, sets the handle counter to 0 and requests a repaint.
  void Clear();
  int ObjectCount() const { return static_cast<int>(objects_.size()); }

  TiImageList& ImageList() { return imageList_; }
  const TiImageList& ImageList() const { return imageList_; }

  // ---- Mapping --------------------------------------------------------------
  // World to client pixels (RoundHalfUp of the scaled offset plus the centre
  // point) and client pixels to world.
  TPoint WorldToPixel(double x, double y);
  TiWorldPoint PixelToWorld(int x, int y) const;

  // ---- Pressed state --------------------------------------------------------
  bool Pressed() const { return pressed_; }
  int HitHandle() const { return hitHandle_; }

  void HandleFocusLost() override;
  void HandleMouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void HandleMouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void HandleMouseMove(TShiftState shift, int x, int y) override;
  void PaintTo(TCanvas& canvas) override;

 private:
  struct Entry {
    std::string key;  // the handle in decimal
    std::unique_ptr<TiDrawObject> object;
  };
  // The world-to-pixel scale of one paint.
  struct Mapping {
    TPoint center;
    double sx;
    double sy;
  };

  int AddObject(TiDrawObject object);
  std::vector<Entry>::iterator FindEntry(int handle);
  Mapping CurrentMapping();
  int Px(const Mapping& m, double x) const;
  int Py(const Mapping& m, double y) const;

  // Painting by kind (ObjectCanvasPaint.cpp).
  void PaintObject(TCanvas& canvas, const Mapping& m, TiDrawObject& object);
  void PaintBoxed(TCanvas& canvas, const Mapping& m, TiDrawObject& object);
  void PaintLine(TCanvas& canvas, const Mapping& m, TiDrawObject& object);
  void PaintText(TCanvas& canvas, const Mapping& m, TiDrawObject& object);
  void PaintImage(TCanvas& canvas, const Mapping& m, TiDrawObject& object);
  void PaintPolygon(TCanvas& canvas, const Mapping& m, const TiDrawObject& object);
  TRect BoxOf(const Mapping& m, const TiDrawObject& object) const;

  void ReadImageList(const std::vector<std::uint8_t>& bytes);
  std::vector<std::uint8_t> WriteImageList() const;

  bool pressed_ = false;
  int hitHandle_ = -1;
  int handleCounter_ = 0;
  TiImageList imageList_;
  std::vector<Entry> objects_;
  double originX_ = 0;
  double originY_ = 0;
  double displayRangeX_ = 100;
  double displayRangeY_ = 100;
  TiDrawObject defaults_{idokEllipse};  // only its pen, brush and font settings are used
  TiMouseUPDownDisplayEvent onMouseDownDisplay_;
  TiMouseMoveDisplayEvent onMouseMoveDisplay_;
  TiMouseUPDownDisplayEvent onMouseUpDisplay_;
  TiClickObjectEvent onClickObject_;
};

}  // namespace tintoral
