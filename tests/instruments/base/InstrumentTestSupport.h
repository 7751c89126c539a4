#pragma once
// A small concrete instrument for the base's tests: it paints its
// background and a red 3 x 3 mark at its centre point, and records every
// hook and user event into one list.
#include <functional>
#include <string>
#include <vector>

#include "instruments/base/InstrumentComponent.h"
#include "platform/window/SystemPalette.h"
#include "runtime/Exception.h"
#include "tests/support/ShiftText.h"

namespace tintoral::test {

using Log = std::vector<std::string>;

inline std::string MouseText(TMouseButton b, TShiftState s, int x, int y) {
  return std::to_string(b) + " " + ShiftText(s) + " " + std::to_string(x) + "," + std::to_string(y);
}

class TTestInstrument : public TiCustomComponent {
  TINTORAL_CLASS(TTestInstrument, TiCustomComponent)

 public:
  explicit TTestInstrument(TComponent* owner) : TiCustomComponent(owner) {}

  Log log;
  int invalidations = 0;
  int paints = 0;
  std::string paintError;                           // PaintTo raises Exception with it when not empty
  std::uint16_t claimedKey = 0;                     // HandleWantSpecialKey answers 1 for it
  bool wheelAnswer = false;                         // HandleMouseWheel's answer
  std::function<void(const std::string&)> raiseIn;  // called with each hook's name
  TCanvas* lastPaintCanvas = nullptr;

  void Add(const std::string& entry) { log.push_back(entry); }
  void Invalidate() override {
    ++invalidations;
    TiCustomComponent::Invalidate();
  }
  void Lock() override {
    Add("Lock");
    TiCustomComponent::Lock();
  }
  void Unlock() override {
    Add("Unlock");
    TiCustomComponent::Unlock();
  }

  void PaintTo(TCanvas& canvas) override {
    ++paints;
    lastPaintCanvas = &canvas;
    Add("PaintTo");
    DrawBackground(canvas, BackGroundColor());
    const TPoint c = GetCenterPoint();
    canvas.Brush().SetColor(clRed);
    canvas.FillRect(TRect{c.X - 1, c.Y - 1, c.X + 2, c.Y + 2});
    if (!paintError.empty()) throw Exception(paintError);
  }

  void HandleWantSpecialKey(std::uint16_t& key, std::int32_t& result) override {
    Hook("HandleWantSpecialKey " + std::to_string(key));
    if (key == claimedKey) result = 1;
  }
  void HandleKeyDown(std::uint16_t& key, TShiftState s) override {
    Hook("HandleKeyDown " + std::to_string(key) + " " + ShiftText(s));
  }
  void HandleKeyUp(std::uint16_t& key, TShiftState s) override {
    Hook("HandleKeyUp " + std::to_string(key) + " " + ShiftText(s));
  }
  void HandleKeyPress(char& ch) override { Hook(std::string("HandleKeyPress ") + ch); }
  void HandleMouseDown(TMouseButton b, TShiftState s, int x, int y) override {
    Hook("HandleMouseDown " + MouseText(b, s, x, y) + (MouseCapture() ? " captured" : ""));
  }
  void HandleMouseUp(TMouseButton b, TShiftState s, int x, int y) override {
    Hook("HandleMouseUp " + MouseText(b, s, x, y) + (MouseCapture() ? " captured" : ""));
  }
  void HandleMouseMove(TShiftState s, int x, int y) override {
    Hook("HandleMouseMove " + ShiftText(s) + " " + std::to_string(x) + "," + std::to_string(y));
  }
  void HandleDoubleClick() override { Hook(std::string("HandleDoubleClick") + (MouseCapture() ? " captured" : "")); }
  bool HandleMouseWheel(int delta, TShiftState s, TPoint) override {
    Hook("HandleMouseWheel " + std::to_string(delta) + " " + ShiftText(s));
    return wheelAnswer;
  }
  void HandleFocusGained() override {
    Add("HandleFocusGained");
    TiCustomComponent::HandleFocusGained();
  }
  void HandleFocusLost() override {
    Add("HandleFocusLost");
    TiCustomComponent::HandleFocusLost();
  }

  // Every user event of the control, recorded into the same list.
  void RecordUserEvents() {
    SetOnKeyDown([this](TObject*, std::uint16_t& k, TShiftState s) {
      Add("OnKeyDown " + std::to_string(k) + " " + ShiftText(s));
    });
    SetOnKeyUp([this](TObject*, std::uint16_t& k, TShiftState s) {
      Add("OnKeyUp " + std::to_string(k) + " " + ShiftText(s));
    });
    SetOnKeyPress([this](TObject*, char& ch) { Add(std::string("OnKeyPress ") + ch); });
    SetOnMouseDown(
        [this](TObject*, TMouseButton b, TShiftState s, int x, int y) { Add("OnMouseDown " + MouseText(b, s, x, y)); });
    SetOnMouseUp(
        [this](TObject*, TMouseButton b, TShiftState s, int x, int y) { Add("OnMouseUp " + MouseText(b, s, x, y)); });
    SetOnMouseMove([this](TObject*, TShiftState s, int x, int y) {
      Add("OnMouseMove " + ShiftText(s) + " " + std::to_string(x) + "," + std::to_string(y));
    });
    SetOnClick([this](TObject*) { Add(std::string("OnClick") + (MouseCapture() ? " captured" : "")); });
    SetOnDblClick([this](TObject*) { Add("OnDblClick"); });
    SetOnEnter([this](TObject*) { Add("OnEnter"); });
    SetOnExit([this](TObject*) { Add("OnExit"); });
    SetOnPaint([this](TObject*, TCanvas&) { Add("OnPaint"); });
  }

 private:
  void Hook(const std::string& entry) {
    Add(entry);
    if (raiseIn) raiseIn(entry);
  }
};

// Installs a fake clock for the frame-rate gate for the lifetime of the guard.
class FakeClock {
 public:
  explicit FakeClock(double start) : now_(start) {
    TiComponent::SetClock([this] { return now_; });
  }
  ~FakeClock() { TiComponent::SetClock(nullptr); }
  void AdvanceSeconds(double seconds) { now_ += seconds / 86400.0; }

 private:
  double now_;
};

}  // namespace tintoral::test
