#pragma once
// The form as the designer shows it: the root control rendered as formshot
// renders it (the same RenderTo, pixel for pixel), with the selection's
// handles and the rubber band drawn over it. The mouse selects (click,
// Shift+click, rubber band), moves (drag), resizes (handles) and places a
// control of the palette's class (click or drag); the keyboard moves by one
// pixel (arrows) or by the grid (Ctrl+arrows), resizes with Shift, and walks
// the controls with Tab (Ctrl+Tab adds the next one to the selection).
// Positions snap to the grid unless Alt is held. Screen readers find the
// controls as the canvas's children (DesignCanvasAccessible.h).
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Geometry.h"

namespace tintoral {

class TControl;
class TDesignDocument;

class DesignCanvas : public QWidget {
 public:
  explicit DesignCanvas(QWidget* parent = nullptr);

  void SetDocument(TDesignDocument* document);
  TDesignDocument* Document() const { return document_; }
  // Renders the form again and repaints.
  void Refresh();
  void SetGrid(int pixels) { grid_ = pixels < 1 ? 1 : pixels; }
  int Grid() const { return grid_; }
  void SetSnap(bool snap) { snap_ = snap; }
  // The class the next click or drag places ("" for none).
  void SetPlacing(const std::string& className) { placing_ = className; }
  const std::string& Placing() const { return placing_; }
  // Places a control of the class in the selected container (or the form)
  // at the next free grid point: placing by keyboard.
  void PlaceAtKeyboard(const std::string& className);
  // The canvas's pixels as last rendered (the form alone, no handles).
  const TBitmap& Picture() const { return picture_; }

  // Told after every change of the selection or the form made here, and with
  // the message of a command that failed.
  std::function<void()> onChanged;
  std::function<void(const std::string&)> onError;
  // Told when a control was placed (the palette then stops placing).
  std::function<void()> onPlaced;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  enum class TDrag { None, Move, Resize, RubberBand, Place };

  int Snapped(int value, bool snap) const;
  int HandleAt(TPoint point) const;  // -1 when none
  std::vector<TRect> HandlesOf(const TRect& bounds) const;
  void Changed();
  void Report(const std::string& message);
  template <class F>
  void Attempt(F&& command);

  TDesignDocument* document_ = nullptr;
  TBitmap picture_;
  int grid_ = 8;
  bool snap_ = true;
  std::string placing_;

  TDrag drag_ = TDrag::None;
  TPoint press_;
  TPoint current_;
  int handle_ = -1;
  std::vector<TControl*> dragged_;
  std::vector<TRect> startBounds_;
};

}  // namespace tintoral
