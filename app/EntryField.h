#pragma once
// TEntryField: a one-line field for typing a value in the test-signal
// window. It shows its text on white in a sunken frame, a caret at the end
// while it has the focus; characters are added at the end, Backspace takes
// the last one away, Escape puts back the text it had when it got the focus,
// and Enter hands the text to OnApply. SetText (the window following the
// sliders) replaces the text without calling OnApply.
#include <functional>
#include <string>

#include "platform/window/CustomControl.h"

namespace tintoral {

class TEntryField : public TCustomControl {
  TINTORAL_CLASS(TEntryField, TCustomControl)

 public:
  explicit TEntryField(TComponent* owner);

  const std::string& Text() const { return text_; }
  void SetText(const std::string& value);
  // The caption that names the field for screen readers and messages ("R %").
  const std::string& FieldName() const { return fieldName_; }
  void SetFieldName(std::string value) { fieldName_ = std::move(value); }

  std::function<void(TEntryField&)> OnApply;

 protected:
  void Paint() override;
  void KeyDown(std::uint16_t& key, TShiftState shift) override;
  void KeyPress(char& ch) override;
  int WantSpecialKey(std::uint16_t key) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void FocusGained(TWinControl* previous) override;
  void FocusLost(TWinControl* next) override;

 private:
  static constexpr std::size_t kMaxLength = 32;
  std::string text_;
  std::string textOnFocus_;
  std::string fieldName_;
};

}  // namespace tintoral
