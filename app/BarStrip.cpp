#include "app/BarStrip.h"

#include "app/ColorSignals.h"
#include "platform/graphics/Canvas.h"

namespace tintoral {
namespace {

int RowOf(TBarSet set) { return set == TBarSet::Full ? 0 : 1; }

TColorSignalValues BarSignals(const TBarChoice& bar) {
  const TSliderColor c = BarColor(bar.Set, bar.Index);
  return ComputeColorSignals(c.Red, c.Green, c.Blue);
}

void DrawRowName(TCanvas& canvas, TBarSet set, bool selected) {
  const TRect row{0, RowOf(set) * kBarRowHeight, kBarStripNameWidth, (RowOf(set) + 1) * kBarRowHeight};
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(selected ? clNavy : clBtnFace);
  canvas.FillRect(row);
  canvas.Font().SetName("MS Sans Serif");
  canvas.Font().SetHeight(-13);
  canvas.Font().SetStyle(FontStyleBit(fsBold));
  canvas.Font().SetColor(selected ? clWhite : clWindowText);
  std::string name = set == TBarSet::Full ? "100 %" : "75 %";
  TRect text = row;
  canvas.Brush().SetStyle(bsClear);
  canvas.DrawText(name, text, DrawTextFlag::Center | DrawTextFlag::VerticalCenter | DrawTextFlag::SingleLine);
}

// Two rings inside the bar, white then black, seen on every bar colour.
void FrameBar(TCanvas& canvas, const TRect& r) {
  canvas.Brush().SetStyle(bsClear);
  canvas.Pen().SetMode(pmCopy);
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetWidth(1);
  for (int ring = 0; ring < 4; ++ring) {
    canvas.Pen().SetColor(ring < 2 ? clWhite : clBlack);
    canvas.Rectangle(r.Left + ring, r.Top + ring, r.Right - ring, r.Bottom - ring);
  }
}

}  // namespace

std::optional<TBarChoice> BarAt(int x, int y) {
  if (x < kBarStripNameWidth || x >= kBarStripWidth || y < 0 || y >= kBarStripHeight) return std::nullopt;
  return TBarChoice{y < kBarRowHeight ? TBarSet::Full : TBarSet::Reduced, (x - kBarStripNameWidth) / kBarWidth};
}

TRect BarRect(const TBarChoice& bar) {
  const int left = kBarStripNameWidth + bar.Index * kBarWidth;
  const int top = RowOf(bar.Set) * kBarRowHeight;
  return {left, top, left + kBarWidth, top + kBarRowHeight};
}

std::optional<TBarChoice> BarOfLevels(TBarSet selected, int red8, int green8, int blue8) {
  const TBarSet other = selected == TBarSet::Full ? TBarSet::Reduced : TBarSet::Full;
  for (const TBarSet set : {selected, other}) {
    for (int index = 0; index < kColorBarCount; ++index) {
      const TColorSignalValues s = BarSignals({set, index});
      if (s.Red8 == red8 && s.Green8 == green8 && s.Blue8 == blue8) return TBarChoice{set, index};
    }
  }
  return std::nullopt;
}

TRect DrawBarStrip(TCanvas& canvas, TBarSet selected, const std::optional<TBarChoice>& current) {
  for (const TBarSet set : {TBarSet::Full, TBarSet::Reduced}) {
    DrawRowName(canvas, set, set == selected);
    for (int index = 0; index < kColorBarCount; ++index) {
      canvas.Brush().SetStyle(bsSolid);
      canvas.Brush().SetColor(BarSignals({set, index}).SwatchColor);
      canvas.FillRect(BarRect({set, index}));
    }
  }
  if (current) FrameBar(canvas, BarRect(*current));
  return {0, 0, kBarStripWidth, kBarStripHeight};
}

}  // namespace tintoral
