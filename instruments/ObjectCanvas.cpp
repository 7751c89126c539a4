// TiObjectCanvas: published properties, construction, the object list and
// the two coordinate mappings.
#include "instruments/ObjectCanvas.h"

#include <algorithm>

#include "instruments/base/DrawingHelpers.h"
#include "platform/graphics/GraphicsClasses.h"
#include "platform/graphics/SaturateToInt.h"
#include "platform/window/ControlProperties.h"
#include "runtime/ClassBuilder.h"
#include "runtime/Exception.h"

namespace tintoral {

const TClassInfo& TiObjectCanvas::StaticClass() {
  using T = TiObjectCanvas;
  static const TClassInfo info = DescribeClass<T>("TiObjectCanvas", TiCustomComponent::StaticClass(), [](auto& b) {
    b.Property("OriginX", &T::OriginX, &T::SetOriginX);
    b.Property("OriginY", &T::OriginY, &T::SetOriginY);
    b.Property("DisplayRangeX", &T::DisplayRangeX, &T::SetDisplayRangeX).Default(100.0);
    b.Property("DisplayRangeY", &T::DisplayRangeY, &T::SetDisplayRangeY).Default(100.0);
    b.Property("DefaultBrushColor", &T::DefaultBrushColor, &T::SetDefaultBrushColor)
        .Default(clBlack)
        .TypeName("TColor");
    b.Property("DefaultBrushStyle", &T::DefaultBrushStyle, &T::SetDefaultBrushStyle).Default(bsSolid);
    b.Property("DefaultPenColor", &T::DefaultPenColor, &T::SetDefaultPenColor).Default(clWhite).TypeName("TColor");
    b.Property("DefaultPenStyle", &T::DefaultPenStyle, &T::SetDefaultPenStyle).Default(psSolid);
    b.Property("DefaultPenWidth", &T::DefaultPenWidth, &T::SetDefaultPenWidth).Default(1);
    b.Property("DefaultFontName", &T::DefaultFontName, &T::SetDefaultFontName);  // never empty, so always written
    b.Property("DefaultFontSize", &T::DefaultFontSize, &T::SetDefaultFontSize).Default(8);
    b.Property("DefaultFontColor", &T::DefaultFontColor, &T::SetDefaultFontColor).Default(clWhite).TypeName("TColor");
    b.Property("DefaultFontBold", &T::DefaultFontBold, &T::SetDefaultFontBold).Default(false);
    b.Property("DefaultFontItalic", &T::DefaultFontItalic, &T::SetDefaultFontItalic).Default(false);
    b.Property("DefaultFontUnderLine", &T::DefaultFontUnderLine, &T::SetDefaultFontUnderLine).Default(false);
    b.Property("DefaultFontStrikeOut", &T::DefaultFontStrikeOut, &T::SetDefaultFontStrikeOut).Default(false);
    b.Property("ImageListWidth", &T::ImageListWidth, &T::SetImageListWidth).Default(24);
    b.Property("ImageListHeight", &T::ImageListHeight, &T::SetImageListHeight).Default(24);
    b.Event("OnMouseDownDisplay", &T::OnMouseDownDisplay, &T::SetOnMouseDownDisplay);
    b.Event("OnMouseMoveDisplay", &T::OnMouseMoveDisplay, &T::SetOnMouseMoveDisplay);
    b.Event("OnMouseUpDisplay", &T::OnMouseUpDisplay, &T::SetOnMouseUpDisplay);
    b.Event("OnClickObject", &T::OnClickObject, &T::SetOnClickObject);
    b.Property("BackGroundColor", &T::BackGroundColor, &T::SetBackGroundColor).Default(clBlack).TypeName("TColor");
    b.Object("BackGroundPicture", &T::BackGroundPicture, &T::SetBackGroundPicture);
    b.Property("BorderStyle", &T::BorderStyle, &T::SetBorderStyle).Default(ibsLowered);
    b.Property("Transparent", &T::Transparent, &T::SetTransparent).Default(false);
    PublishControlProperties(b, {"Align"});
    b.Event("OnPaint", &T::OnPaint, &T::SetOnPaint);
    b.BinaryProperty("ImageList", &T::ReadImageList, &T::WriteImageList,
                     [](const T& c) { return c.ImageList().Count() > 0; });
  });
  return info;
}

TiObjectCanvas::TiObjectCanvas(TComponent* owner) : TiCustomComponent(owner) {
  SetBounds(Left(), Top(), 200, 200);
  SetBackGroundColor(clBlack);
  SetBorderStyle(ibsLowered);
  defaults_.FontName = "Arial";
  CreateBackGroundPicture();
}

TiObjectCanvas::~TiObjectCanvas() = default;

// ---- Objects ----------------------------------------------------------------------

int TiObjectCanvas::AddObject(TiDrawObject object) {
  const int handle = handleCounter_++;
  objects_.push_back(Entry{std::to_string(handle), std::make_unique<TiDrawObject>(std::move(object))});
  RequestRepaint();
  return handle;
}

namespace {

TiDrawObject Placed(const TiDrawObject& defaults, TiDrawObjectKind kind, double x, double y, double width,
                    double height) {
  TiDrawObject object = defaults;
  object.Kind = kind;
  object.X = x;
  object.Y = y;
  object.Width = width;
  object.Height = height;
  return object;
}

}  // namespace

int TiObjectCanvas::AddEllipse(double x, double y, double width, double height, const std::string& text) {
  TiDrawObject object = Placed(defaults_, idokEllipse, x, y, width, height);
  object.Text = text;
  return AddObject(std::move(object));
}

int TiObjectCanvas::AddRectangle(double x, double y, double width, double height, const std::string& text) {
  TiDrawObject object = Placed(defaults_, idokRectangle, x, y, width, height);
  object.Text = text;
  return AddObject(std::move(object));
}

int TiObjectCanvas::AddLine(double x1, double y1, double x2, double y2) {
  return AddObject(Placed(defaults_, idokLine, x1, y1, x2, y2));
}

int TiObjectCanvas::AddText(double x, double y, const std::string& text) {
  TiDrawObject object = Placed(defaults_, idokText, x, y, 0, 0);
  object.Text = text;
  return AddObject(std::move(object));
}

int TiObjectCanvas::AddImage(double x, double y, int imageIndex) {
  TiDrawObject object = Placed(defaults_, idokImage, x, y, 0, 0);
  object.ImageIndex = imageIndex;
  return AddObject(std::move(object));
}

int TiObjectCanvas::AddArc(double x, double y, double width, double height, double startAngle, double endAngle) {
  TiDrawObject object = Placed(defaults_, idokArc, x, y, width, height);
  object.StartAngle = startAngle;
  object.EndAngle = endAngle;
  return AddObject(std::move(object));
}

int TiObjectCanvas::AddPolygon(std::vector<TiWorldPoint> points) {
  TiDrawObject object = Placed(defaults_, idokPolygon, 0, 0, 0, 0);
  object.SetPoints(std::move(points));
  return AddObject(std::move(object));
}

std::vector<TiObjectCanvas::Entry>::iterator TiObjectCanvas::FindEntry(int handle) {
  const std::string key = std::to_string(handle);
  const auto found = std::find_if(objects_.begin(), objects_.end(), [&](const Entry& e) { return e.key == key; });
  if (found == objects_.end()) throw ListIndexError("Object not Found");
  return found;
}

TiDrawObject& TiObjectCanvas::ObjectByHandle(int handle) { return *FindEntry(handle)->object; }

void TiObjectCanvas::ChangeObject(int handle, const std::function<void(TiDrawObject&)>& change) {
  change(ObjectByHandle(handle));
  RequestRepaint();
}

void TiObjectCanvas::RemoveObject(int handle) {
  objects_.erase(FindEntry(handle));
  RequestRepaint();
}

void TiObjectCanvas::Clear() {
  objects_.clear();
  handleCounter_ = 0;
  RequestRepaint();
}

TiWorldPoint TiDrawObject::Point(int index) const {
  if (index < 0 || index >= PointCount()) throw ListIndexError("Index out of Bounds");
  return points_[static_cast<std::size_t>(index)];
}

// ---- Mapping --------------------------------------------------------------------------

namespace {

// A rounded offset plus the centre, kept inside the 32-bit pixel range.
int PixelOf(long double offset, int center) { return SaturateToInt(RoundHalfUp(offset) + center); }

}  // namespace

TiObjectCanvas::Mapping TiObjectCanvas::CurrentMapping() {
  // A zero range would scale by infinity; the paint fails with this message
  // instead, which the base draws into the control.
  if (displayRangeX_ == 0 || displayRangeY_ == 0) throw ConvertError("Floating point division by zero");
  return Mapping{GetCenterPoint(), Width() / displayRangeX_, Height() / displayRangeY_};
}

int TiObjectCanvas::Px(const Mapping& m, double x) const { return PixelOf((x - originX_) * m.sx, m.center.X); }
int TiObjectCanvas::Py(const Mapping& m, double y) const { return PixelOf(-(y - originY_) * m.sy, m.center.Y); }

TPoint TiObjectCanvas::WorldToPixel(double x, double y) {
  const Mapping m = CurrentMapping();
  return TPoint{Px(m, x), Py(m, y)};
}

TiWorldPoint TiObjectCanvas::PixelToWorld(int x, int y) const {
  const double width = Width();
  const double height = Height();
  return TiWorldPoint{x / width * displayRangeX_ + originX_ - displayRangeX_ / 2,
                      (1 - y / height) * displayRangeY_ + originY_ - displayRangeY_ / 2};
}

// ---- Image list stream ------------------------------------------------------------

void TiObjectCanvas::ReadImageList(const std::vector<std::uint8_t>& bytes) {
  imageList_.Clear();
  imageList_.ReadFromBytes(bytes);
}

std::vector<std::uint8_t> TiObjectCanvas::WriteImageList() const { return imageList_.WriteToBytes(); }

}  // namespace tintoral
