// TWinControl: laying out aligned children.
#include <algorithm>
#include <vector>

#include "platform/window/WinControl.h"
#include "runtime/ScopeExit.h"

namespace tintoral {
namespace {

// Within one alignment group, the control placed first (nearest the edge).
bool PlacedBefore(TAlign align, const TControl* a, const TControl* b) {
  switch (align) {
    case alTop: return a->Top() < b->Top();
    case alBottom: return a->Top() + a->Height() > b->Top() + b->Height();
    case alLeft: return a->Left() < b->Left();
    case alRight: return a->Left() + a->Width() > b->Left() + b->Width();
    default: return false;
  }
}

}  // namespace

void TWinControl::EnableAlign() {
  if (alignDisabled_ > 0 && --alignDisabled_ == 0) Realign();
}

void TWinControl::Realign() {
  if (alignDisabled_ > 0 || aligning_ || IsLoading() || IsDestroying()) return;
  aligning_ = true;
  const TScopeExit endAlign([this] { aligning_ = false; });
  TRect rect = ClientRect();
  AdjustClientRect(rect);
  for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) AlignGroup(align, rect);
}

void TWinControl::AlignGroup(TAlign align, TRect& rect) {
  std::vector<TControl*> group;
  for (TControl* c : controls_)
    if (c->Align() == align && c->Visible()) group.push_back(c);
  std::stable_sort(group.begin(), group.end(),
                   [align](const TControl* a, const TControl* b) { return PlacedBefore(align, a, b); });
  for (TControl* c : group) {
    const int w = c->Width();
    const int h = c->Height();
    switch (align) {
      case alTop:
        c->SetBounds(rect.Left, rect.Top, rect.Width(), h);
        rect.Top += h;
        break;
      case alBottom:
        c->SetBounds(rect.Left, rect.Bottom - h, rect.Width(), h);
        rect.Bottom -= h;
        break;
      case alLeft:
        c->SetBounds(rect.Left, rect.Top, w, rect.Height());
        rect.Left += w;
        break;
      case alRight:
        c->SetBounds(rect.Right - w, rect.Top, w, rect.Height());
        rect.Right -= w;
        break;
      case alClient: c->SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height()); break;
      default: break;
    }
  }
}

void TWinControl::AdjustClientRect(TRect&) const {}

void TWinControl::SetBounds(int left, int top, int width, int height) { TControl::SetBounds(left, top, width, height); }

void TWinControl::BoundsChanged(bool sizeChanged) {
  TControl::BoundsChanged(sizeChanged);
  if (sizeChanged) Realign();
}

}  // namespace tintoral
