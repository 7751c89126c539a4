#include "platform/graphics/Font.h"

#include "platform/graphics/FontResolver.h"

namespace tintoral {
namespace {

// value * numerator / denominator rounded half away from zero, in integers.
int ScaleRounded(int value, int numerator, int denominator) {
  const long long product = static_cast<long long>(value) * numerator;
  const long long half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

int FontHeightFromPoints(int points) { return -ScaleRounded(points, ScreenPixelsPerInch, 72); }

int FontPointsFromPixels(int emPixels) { return ScaleRounded(emPixels, 72, ScreenPixelsPerInch); }

}  // namespace

void TFont::SetName(const std::string& value) {
  if (name_ == value) return;
  name_ = value;
  Changed();
}

int TFont::Size() const {
  // A positive height is a cell height: the size is that of the em the
  // resolved font needs to fill the cell.
  if (height_ > 0) return FontPointsFromPixels(ResolveFont(*this).EmPixels());
  return FontPointsFromPixels(-height_);
}

void TFont::SetSize(int points) { SetHeight(FontHeightFromPoints(points)); }

void TFont::SetHeight(int pixels) {
  if (height_ == pixels) return;
  height_ = pixels;
  Changed();
}

void TFont::SetColor(TColor value) {
  if (color_ == value) return;
  color_ = value;
  Changed();
}

void TFont::SetStyle(TFontStyles value) {
  if (style_ == value) return;
  style_ = value;
  Changed();
}

void TFont::SetCharset(TFontCharset value) {
  if (charset_ == value) return;
  charset_ = value;
  Changed();
}

void TFont::Assign(const TPersistent& source) {
  const auto* font = dynamic_cast<const TFont*>(&source);
  if (!font) {
    TPersistent::Assign(source);
    return;
  }
  name_ = font->name_;
  height_ = font->height_;
  color_ = font->color_;
  style_ = font->style_;
  charset_ = font->charset_;
  Changed();
}

void TFont::Changed() {
  if (onChange_) onChange_();
}

}  // namespace tintoral
