#include "app/EntryField.h"

#include <algorithm>

#include "platform/window/KeyCodes.h"
#include "runtime/ClassBuilder.h"

namespace tintoral {

const TClassInfo& TEntryField::StaticClass() {
  static const TClassInfo info = DescribeClass<TEntryField>("TEntryField", TCustomControl::StaticClass(), [](auto&) {});
  return info;
}

TEntryField::TEntryField(TComponent* owner) : TCustomControl(owner) {
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 64, 21);
}

void TEntryField::SetText(const std::string& value) {
  if (value == text_) return;
  text_ = value;
  Invalidate();
}

void TEntryField::Paint() {
  TCanvas& canvas = Canvas();
  const TRect client = ClientRect();
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(clWindow);
  canvas.FillRect(client);
  canvas.DrawEdge(client, TEdgeStyle::Sunken);
  canvas.Font().Assign(Font());
  canvas.Brush().SetStyle(bsClear);
  TRect inside{client.Left + 4, client.Top + 2, client.Right - 4, client.Bottom - 2};
  std::string shown = text_;
  canvas.DrawText(shown, inside, DrawTextFlag::Left | DrawTextFlag::VerticalCenter | DrawTextFlag::SingleLine);
  if (!Focused()) return;
  const int caretX = std::min(inside.Right - 1, inside.Left + canvas.TextWidth(text_) + 1);
  canvas.Pen().SetMode(pmCopy);
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetWidth(1);
  canvas.Pen().SetColor(clWindowText);
  canvas.MoveTo(caretX, client.Top + 4);
  canvas.LineTo(caretX, client.Bottom - 4);
}

int TEntryField::WantSpecialKey(std::uint16_t key) { return key == VK_RETURN || key == VK_ESCAPE ? 1 : 0; }

void TEntryField::KeyDown(std::uint16_t& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  switch (key) {
    case VK_RETURN:
      key = 0;
      textOnFocus_ = text_;
      if (OnApply) OnApply(*this);
      break;
    case VK_ESCAPE:
      key = 0;
      SetText(textOnFocus_);
      break;
    case VK_BACK:
      key = 0;
      if (!text_.empty()) SetText(text_.substr(0, text_.size() - 1));
      break;
    default: break;
  }
}

// Printable Windows-1252 characters only; control characters come as keys.
void TEntryField::KeyPress(char& ch) {
  TCustomControl::KeyPress(ch);
  const auto byte = static_cast<unsigned char>(ch);
  if (byte < 0x20 || byte == 0x7F || text_.size() >= kMaxLength) return;
  SetText(text_ + ch);
  ch = 0;
}

void TEntryField::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  if (button == mbLeft && CanFocus()) SetFocus();
}

void TEntryField::FocusGained(TWinControl* previous) {
  TCustomControl::FocusGained(previous);
  textOnFocus_ = text_;
  Invalidate();
}

void TEntryField::FocusLost(TWinControl* next) {
  TCustomControl::FocusLost(next);
  Invalidate();
}

}  // namespace tintoral
