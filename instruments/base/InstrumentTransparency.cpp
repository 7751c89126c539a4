// TiVCLComponent: the transparent mode. The control keeps a snapshot of
// the pixels beneath it, captured during a paint when the control is fully
// uncovered, and draws it as its background.
#include "instruments/base/InstrumentComponent.h"
#include "instruments/base/WindowStyles.h"

namespace tintoral {

void TiVCLComponent::SetTransparent(bool value) {
  if (transparent_ == value) return;
  transparent_ = value;
  if (value) {
    AddExtendedWindowStyle(*this, WS_EX_TRANSPARENT);
    if (!parentSnapshot_) {
      parentSnapshot_ = std::make_unique<TBitmap>();
      ResizeParentSnapshot();
    }
    RequestSnapshot();
  } else {
    RemoveExtendedWindowStyle(*this, WS_EX_TRANSPARENT);
    parentSnapshot_.reset();
    snapshotPending_ = false;
  }
  RequestBackgroundRepaint();
}

// The parent is repainted so that the pixels beneath are fresh when the
// control paints next.
void TiVCLComponent::RequestSnapshot() {
  if (!transparent_ || snapshotPending_) return;
  snapshotPending_ = true;
  RequestBackgroundRepaint();
  if (Parent()) Parent()->Invalidate();
}

void TiVCLComponent::CaptureSnapshot() {
  // The control's own canvas holds the pixels beneath it until the
  // off-screen bitmap is drawn onto it.
  TCanvas& window = Canvas();
  const int w = Width();
  const int h = Height();
  const bool uncovered = window.PointVisible(5, 5) && window.PointVisible(w - 5, 5) && window.PointVisible(5, h - 5) &&
                         window.PointVisible(w - 5, h - 5);
  TCanvas& snapshot = parentSnapshot_->Canvas();
  if (uncovered) {
    snapshot.CopyRect(TRect{0, 0, w, h}, window, TRect{0, 0, w, h});
    snapshotPending_ = false;
  } else {
    snapshot.Brush().SetStyle(bsSolid);
    snapshot.Brush().SetColor(BackGroundColor());
    snapshot.FillRect(TRect{0, 0, w, h});
  }
}

void TiVCLComponent::DrawBackground(TCanvas& canvas, TColor color) {
  if (!transparent_) {
    TiComponent::DrawBackground(canvas, color);
    return;
  }
  if (!parentSnapshot_) parentSnapshot_ = std::make_unique<TBitmap>(Width(), Height());
  if (snapshotPending_) CaptureSnapshot();
  canvas.Draw(0, 0, *parentSnapshot_);
}

}  // namespace tintoral
