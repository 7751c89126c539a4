#pragma once
// TImage: shows a picture (a bitmap or a PNG image), at its own size, or
// stretched to the control (Stretch), keeping its aspect (Proportional),
// centred (Center); with Transparent the picture's lower-left colour lets
// the parent show through. AutoSize sizes the control to the picture.
//
// Canvas() is a drawing surface: the canvas of the picture's bitmap. An
// empty picture first gets a bitmap of the control's size. Whatever is
// drawn there shows at the next paint: every change of the picture
// invalidates the image. DrawOnPicture draws there and repaints only the
// part the drawing says it changed.
#include <functional>
#include <vector>

#include "platform/graphics/Picture.h"
#include "platform/window/GraphicControl.h"

namespace tintoral {

class TImage : public TGraphicControl {
  TINTORAL_CLASS(TImage, TGraphicControl)

 public:
  explicit TImage(TComponent* owner);

  TPicture& Picture() { return picture_; }
  const TPicture& Picture() const { return picture_; }
  void SetPicture(const TPicture& value) { picture_.Assign(value); }
  // The picture's bitmap canvas (hides the control's paint canvas).
  TCanvas& Canvas();

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  bool Center() const { return center_; }
  void SetCenter(bool value);
  bool Proportional() const { return proportional_; }
  void SetProportional(bool value);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  // Stored only: pictures are always shown whole.
  bool IncrementalDisplay() const { return incrementalDisplay_; }
  void SetIncrementalDisplay(bool value) { incrementalDisplay_ = value; }

  // Where the picture is drawn in the client area.
  TRect DestRect() const;

  // Runs `draw` on Canvas(); it returns the part of the picture (picture
  // coordinates) whose pixels it may have changed, and only that part of
  // the image is repainted (all of it when the picture is scaled, when the
  // drawing resizes the picture or when it throws).
  void DrawOnPicture(const std::function<TRect(TCanvas&)>& draw);
  // The same for a drawing that changes several parts far apart: each is
  // repainted alone.
  void DrawPartsOnPicture(const std::function<std::vector<TRect>(TCanvas&)>& draw);

 protected:
  void Paint() override;

 private:
  void PictureChanged();
  void SizeToPicture();
  void InvalidatePicturePart(const TRect& part);

  TPicture picture_;
  bool autoSize_ = false;
  bool center_ = false;
  bool proportional_ = false;
  bool stretch_ = false;
  bool transparent_ = false;
  bool incrementalDisplay_ = false;
  bool drawingOnPicture_ = false;  // DrawOnPicture decides what to repaint
};

}  // namespace tintoral
