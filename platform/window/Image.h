#pragma once
// TImage: shows a picture (a bitmap or a PNG image), at its own size, or
// stretched to the control (Stretch), keeping its aspect (Proportional),
// centred (Center); with Transparent the picture's lower-left colour lets
// the parent show through. AutoSize sizes the control to the picture.
//
// Canvas() is a drawing surface: the canvas of the picture's bitmap. An
// empty picture first gets a bitmap of the control's size. Whatever is
// drawn there shows at the next paint: every change of the picture
// invalidates the image.
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

 protected:
  void Paint() override;

 private:
  void PictureChanged();
  void SizeToPicture();

  TPicture picture_;
  bool autoSize_ = false;
  bool center_ = false;
  bool proportional_ = false;
  bool stretch_ = false;
  bool transparent_ = false;
  bool incrementalDisplay_ = false;
};

}  // namespace tintoral
