// temporary: replaced by the text implementation (Font.cpp, CanvasText.cpp).
// Minimal definitions so the canvas links and its tests run before the text
// code lands; none of it draws or measures real glyphs.
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Font.h"

namespace tintoral {

void TFont::SetName(const std::string& value) {
  name_ = value;
  Changed();
}
int TFont::Size() const { return -height_ * 72 / ScreenPixelsPerInch; }
void TFont::SetSize(int points) { SetHeight(-points * ScreenPixelsPerInch / 72); }
void TFont::SetHeight(int pixels) {
  height_ = pixels;
  Changed();
}
void TFont::SetColor(TColor value) {
  color_ = value;
  Changed();
}
void TFont::SetStyle(TFontStyles value) {
  style_ = value;
  Changed();
}
void TFont::SetCharset(TFontCharset value) {
  charset_ = value;
  Changed();
}
void TFont::Assign(const TPersistent& source) { TPersistent::Assign(source); }
void TFont::Changed() {
  if (onChange_) onChange_();
}

void TCanvas::TextOut(int, int, const std::string&) {}
int TCanvas::TextWidth(const std::string&) { return 0; }
int TCanvas::TextHeight(const std::string&) { return 0; }
TSize TCanvas::TextExtent(const std::string&) { return {}; }
int TCanvas::DrawText(std::string&, TRect&, std::uint16_t) { return 0; }

}  // namespace tintoral
