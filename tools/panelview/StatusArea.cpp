#include "tools/panelview/StatusArea.h"

#include <algorithm>

#include "platform/window/Form.h"
#include "platform/window/Label.h"
#include "platform/window/StandardPainting.h"

namespace tintoral {
namespace {

constexpr int kMargin = 4;  // left and right of the text
constexpr int kGap = 2;     // above and below it

}  // namespace

TStatusArea::TStatusArea(TForm& form) : form_(form), label_(new TLabel(&form)), contentHeight_(form.ClientHeight()) {
  label_->SetName("PanelViewStatus");
  label_->SetAutoSize(false);
  label_->SetWordWrap(true);
  label_->SetShowAccelChar(false);
  label_->SetParent(&form);
  const TNotifyEvent formResized = form.OnResize();
  form.SetOnResize([this, formResized](TObject* sender) {
    formResized(sender);
    Layout(false);
  });
  Layout(true);
}

int TStatusArea::NeededHeight(int width) const {
  LabelLook look;
  look.caption = label_->Caption();
  look.font = &label_->Font();
  look.wordWrap = true;
  look.showAccelChar = false;
  return MeasureLabel(look, width).Height;
}

// A window the user made smaller keeps its size: the area then covers the
// bottom of the content rather than leave the screen.
void TStatusArea::Layout(bool mayGrow) {
  const int width = std::max(1, form_.ClientWidth() - 2 * kMargin);
  const int height = NeededHeight(width);
  const int needed = contentHeight_ + height + 2 * kGap;
  if (mayGrow && form_.ClientHeight() < needed) form_.SetClientHeight(needed);
  label_->SetBounds(kMargin, std::max(0, form_.ClientHeight() - height - kGap), width, height);
}

void TStatusArea::SetLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
  if (text == label_->Caption()) return;
  label_->SetCaption(text);
  Layout(true);
}

std::string TStatusArea::Text() const { return label_->Caption(); }

}  // namespace tintoral
