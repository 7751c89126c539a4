// TiTrendChart: keys, mouse and wheel. Space pauses and resumes; C or Enter
// shows and hides the cursor, Escape hides it, and Left / Right move it (a
// column, ten with Shift). While paused and without a cursor, Left / Right
// pan by a tenth of the view; Up / Down or + / - zoom, Home returns to the
// newest data. With the mouse: a click places the cursor, which then
// follows the pointer; while paused, dragging pans and the wheel zooms
// about the pointer.
#include <cmath>

#include "instruments/TrendChart.h"
#include "platform/window/KeyCodes.h"

namespace tintoral {
namespace {

constexpr double kZoomStep = 1.25;  // per wheel notch or key press
constexpr std::uint16_t kKeyC = 'C';
constexpr std::uint16_t kOemPlus = 0xBB;
constexpr std::uint16_t kOemMinus = 0xBD;

}  // namespace

void TiTrendChart::HandleWantSpecialKey(std::uint16_t& key, std::int32_t& result) {
  result = (key >= VK_LEFT && key <= VK_DOWN) || key == VK_RETURN || key == VK_ESCAPE ? 1 : 0;
}

void TiTrendChart::HandleKeyDown(std::uint16_t& key, TShiftState shift) {
  const int width = std::max(1, layout_.plot.Width());
  const int step = shift.Contains(ssShift) ? 10 : 1;
  switch (key) {
    case VK_SPACE: SetPaused(!paused_); break;
    case kKeyC:
    case VK_RETURN:
      if (!cursorVisible_ && (cursorColumn_ <= 0 || cursorColumn_ >= width)) cursorColumn_ = width / 2;
      SetCursorVisible(!cursorVisible_);
      break;
    case VK_ESCAPE: SetCursorVisible(false); break;
    case VK_LEFT:
    case VK_RIGHT: {
      const int direction = key == VK_LEFT ? -1 : 1;
      if (cursorVisible_) SetCursorColumn(cursorColumn_ + direction * step);
      else PanView(direction * width / 10.0);
      break;
    }
    case VK_UP:
    case VK_ADD:
    case kOemPlus: ZoomView(1 / kZoomStep, cursorVisible_ ? cursorColumn_ : width); break;
    case VK_DOWN:
    case VK_SUBTRACT:
    case kOemMinus: ZoomView(kZoomStep, cursorVisible_ ? cursorColumn_ : width); break;
    case VK_HOME: ViewNewest(); break;
    default: return;
  }
  key = 0;
}

void TiTrendChart::HandleMouseDown(TMouseButton button, TShiftState, int x, int) {
  if (button != mbLeft) return;
  if (CanFocus()) SetFocus();
  dragging_ = true;
  dragMoved_ = false;
  dragX_ = x;
}

void TiTrendChart::HandleMouseMove(TShiftState, int x, int) {
  if (dragging_ && paused_ && x != dragX_) {
    PanView(dragX_ - x);  // the data follows the pointer
    dragX_ = x;
    dragMoved_ = true;
  } else if (!dragging_ && cursorVisible_) {
    SetCursorColumn(PlotColumnAt(x));
  }
}

void TiTrendChart::HandleMouseUp(TMouseButton button, TShiftState, int x, int y) {
  if (button != mbLeft || !dragging_) return;
  dragging_ = false;
  if (!dragMoved_ && layout_.plot.Contains(x, y)) {
    SetCursorColumn(PlotColumnAt(x));
    SetCursorVisible(true);
  }
}

bool TiTrendChart::HandleMouseWheel(int wheelDelta, TShiftState, TPoint mousePos) {
  if (!paused_ || wheelDelta == 0) return false;
  const TPoint client = ScreenToClient(mousePos);
  // Away from the user zooms in; fractions of a notch zoom by fractions.
  ZoomView(std::pow(kZoomStep, -wheelDelta / 120.0), PlotColumnAt(client.X));
  return true;
}

}  // namespace tintoral
