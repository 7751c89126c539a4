// temporary: replaced by the raster implementation. Just enough of TBitmap,
// TCanvas, TPen, TBrush and TFont for the PNG decoder and its tests to link.
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

namespace tintoral {

TBitmap::TBitmap() = default;
TBitmap::TBitmap(int width, int height) { SetSize(width, height); }
TBitmap::~TBitmap() = default;

void TBitmap::SetWidth(int value) { SetSize(value, height_); }
void TBitmap::SetHeight(int value) { SetSize(width_, value); }

void TBitmap::SetSize(int width, int height) {
  width_ = width < 0 ? 0 : width;
  height_ = height < 0 ? 0 : height;
  pixels_.assign(static_cast<std::size_t>(width_) * height_, 0xFFFFFFFFu);
  Changed();
}

void TBitmap::Changed() {
  if (onChange_) onChange_();
}

void TBitmap::Assign(const TPersistent& source) { TPersistent::Assign(source); }

TCanvas::~TCanvas() = default;
void TPen::Assign(const TPersistent& source) { TPersistent::Assign(source); }
void TBrush::Assign(const TPersistent& source) { TPersistent::Assign(source); }
void TFont::Assign(const TPersistent& source) { TPersistent::Assign(source); }

}  // namespace tintoral
