#include "app/BarStrip.h"

#include <array>

#include "app/ColorSignals.h"
#include "platform/graphics/Canvas.h"

namespace tintoral {
namespace {

int RowOf(TBarSet set) { return set == TBarSet::Full ? 0 : 1; }

// The bars' levels and swatch colours, computed once: a slider step looks
// the current colour up among them.
struct TBarLevels {
  int Red8 = 0, Green8 = 0, Blue8 = 0;
  TColor Swatch = clBlack;
};

const TBarLevels& BarLevels(const TBarChoice& bar) {
  static const auto table = [] {
    std::array<TBarLevels, 2 * kColorBarCount> levels;
    for (const TBarSet set : {TBarSet::Full, TBarSet::Reduced})
      for (int index = 0; index < kColorBarCount; ++index) {
        const TSliderColor c = BarColor(set, index);
        const TColorSignalValues s = ComputeColorSignals(c.Red, c.Green, c.Blue);
        levels[static_cast<std::size_t>(RowOf(set) * kColorBarCount + index)] = {s.Red8, s.Green8, s.Blue8,
                                                                                 s.SwatchColor};
      }
    return levels;
  }();
  return table.at(static_cast<std::size_t>(RowOf(bar.Set) * kColorBarCount + bar.Index));
}

void DrawBar(TCanvas& canvas, const TBarChoice& bar) {
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(BarLevels(bar).Swatch);
  canvas.FillRect(BarRect(bar));
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
      const TBarLevels& bar = BarLevels({set, index});
      if (bar.Red8 == red8 && bar.Green8 == green8 && bar.Blue8 == blue8) return TBarChoice{set, index};
    }
  }
  return std::nullopt;
}

TRect DrawBarStrip(TCanvas& canvas, TBarSet selected, const std::optional<TBarChoice>& current) {
  for (const TBarSet set : {TBarSet::Full, TBarSet::Reduced}) {
    DrawRowName(canvas, set, set == selected);
    for (int index = 0; index < kColorBarCount; ++index) DrawBar(canvas, {set, index});
  }
  if (current) FrameBar(canvas, BarRect(*current));
  return {0, 0, kBarStripWidth, kBarStripHeight};
}

std::vector<TRect> MoveBarFrame(TCanvas& canvas, const std::optional<TBarChoice>& from,
                                const std::optional<TBarChoice>& to) {
  std::vector<TRect> changed;
  if (from == to) return changed;
  if (from) {
    DrawBar(canvas, *from);
    changed.push_back(BarRect(*from));
  }
  if (to) {
    DrawBar(canvas, *to);
    FrameBar(canvas, BarRect(*to));
    changed.push_back(BarRect(*to));
  }
  return changed;
}

}  // namespace tintoral
