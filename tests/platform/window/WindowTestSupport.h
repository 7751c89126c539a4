#pragma once
// Controls that record what reaches them, for the window layer's tests.
#include <QCoreApplication>
#include <QKeyEvent>
#include <functional>
#include <string>
#include <vector>

#include "platform/graphics/Canvas.h"
#include "platform/window/ControlWidget.h"
#include "platform/window/CustomControl.h"
#include "platform/window/Form.h"
#include "platform/window/GraphicControl.h"
#include "runtime/Exception.h"
#include "tests/support/ShiftText.h"

namespace tintoral::test {

using Log = std::vector<std::string>;

// A custom control that logs its hooks and fills itself with its colour.
class TRecorder : public TCustomControl {
 public:
  TRecorder(TComponent* owner, Log& log, std::string name) : TCustomControl(owner), log_(log), tag_(std::move(name)) {
    SetColor(clWhite);
  }

  int paints = 0;
  int wantSpecial = 0;        // WantSpecialKey answer for the arrows
  int dialogCode = 0;         // DialogCode answer
  bool endKeyUp = false;      // PreprocessKeyUp answer for every key
  bool wheelHandled = false;  // MouseWheel answer
  std::vector<int> wheelDeltas;
  TColor seenBeneath = clNone;            // pixel (0, 0) when Paint started
  std::function<void(TCanvas&)> onPaint;  // runs at the start of each paint

 protected:
  void Paint() override {
    ++paints;
    seenBeneath = Canvas().Pixel(0, 0);
    if (onPaint) onPaint(Canvas());
    TCustomControl::Paint();
  }
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
    Add("down " + std::to_string(b) + " " + ShiftText(s) + " " + std::to_string(x) + "," + std::to_string(y));
  }
  void MouseMove(TShiftState s, int x, int y) override {
    Add("move " + ShiftText(s) + " " + std::to_string(x) + "," + std::to_string(y));
  }
  void MouseUp(TMouseButton b, TShiftState s, int x, int y) override {
    Add("up " + std::to_string(b) + " " + ShiftText(s) + " " + std::to_string(x) + "," + std::to_string(y));
  }
  void Click() override { Add("click"); }
  void DblClick() override { Add("dblclick"); }
  void KeyDown(std::uint16_t& key, TShiftState s) override {
    Add("keydown " + std::to_string(key) + " " + ShiftText(s));
  }
  void KeyUp(std::uint16_t& key, TShiftState s) override { Add("keyup " + std::to_string(key) + " " + ShiftText(s)); }
  void KeyPress(char& ch) override { Add("char " + std::to_string(static_cast<unsigned char>(ch))); }
  bool PreprocessKeyUp(std::uint16_t& key, TShiftState s) override {
    Add("prekeyup " + std::to_string(key));
    return endKeyUp || TCustomControl::PreprocessKeyUp(key, s);
  }
  int WantSpecialKey(std::uint16_t key) override { return key >= VK_LEFT && key <= VK_DOWN ? wantSpecial : 0; }
  int DialogCode() override { return dialogCode; }
  bool MouseWheel(int delta, TShiftState, TPoint) override {
    wheelDeltas.push_back(delta);
    return wheelHandled;
  }
  void FocusGained(TWinControl* previous) override {
    Add("gained from " + (previous ? previous->Name() : std::string("none")));
    TCustomControl::FocusGained(previous);
  }
  void FocusLost(TWinControl* next) override {
    Add("lost to " + (next ? next->Name() : std::string("none")));
    TCustomControl::FocusLost(next);
  }

 private:
  void Add(const std::string& entry) { log_.push_back(tag_ + ": " + entry); }
  Log& log_;
  std::string tag_;
};

// A button in the classic manner: Enter presses it while it is the default
// one, Escape while it is the cancel one; a click sets its form's modal result.
class TTestButton : public TCustomControl {
 public:
  explicit TTestButton(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }
  bool isDefault = false;
  bool isCancel = false;
  TModalResult modalResult = mrNone;
  int clicks = 0;

  bool DialogKey(std::uint16_t key, TShiftState) override {
    if (((key == VK_RETURN && isDefault) || (key == VK_ESCAPE && isCancel)) && CanFocus()) {
      Click();
      return true;
    }
    return false;
  }
  void Click() override {
    ++clicks;
    if (TForm* form = GetParentForm(this); form && modalResult != mrNone) form->SetModalResult(modalResult);
    TCustomControl::Click();
  }
};

// A graphic control painting a solid square of its colour with a one-pixel
// black frame.
class TTestSquare : public TGraphicControl {
 public:
  explicit TTestSquare(TComponent* owner) : TGraphicControl(owner) {}
  int paints = 0;
  TColor seenBeneath = clNone;

 protected:
  void Paint() override {
    ++paints;
    seenBeneath = Canvas().Pixel(0, 0);
    Canvas().Brush().SetColor(Color());
    Canvas().Pen().SetColor(clBlack);
    Canvas().Rectangle(1, 1, Width(), Height());
  }
};

inline void SendKey(QWidget* widget, QEvent::Type type, int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                    const QString& text = QString(), bool autoRepeat = false) {
  QKeyEvent event(type, qtKey, modifiers, text, autoRepeat);
  QCoreApplication::sendEvent(widget, &event);
}

inline void PressKey(QWidget* widget, int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                     const QString& text = QString()) {
  SendKey(widget, QEvent::KeyPress, qtKey, modifiers, text);
  SendKey(widget, QEvent::KeyRelease, qtKey, modifiers, text);
}

}  // namespace tintoral::test
