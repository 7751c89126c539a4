#pragma once
// Classic tab strip on top of a page with a raised 3-D border, as a page
// control draws it: the selected tab stands 2 pixels higher and wider than
// the others and is joined to the page's border.
#include <string>
#include <vector>

#include "platform/graphics/Canvas.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Geometry.h"

namespace tintoral {

struct TabStripLook {
  std::vector<std::string> captions;
  int activeIndex = -1;
  const TFont* font = nullptr;
  bool focused = false;  // a focus rectangle around the selected tab's caption
  TColor color = clBtnFace;
  int tabHeight = 0;  // 0: from the font
  int tabWidth = 0;   // 0: from each caption
};

struct TabGeometry {
  int itemHeight = 0;       // height of an unselected tab
  std::vector<TRect> tabs;  // each tab as drawn (the selected one enlarged)
  int active = -1;          // the selected tab, drawn over its neighbours
  TRect frame;              // the page with its border
  TRect display;            // the area the pages fill
};

// Tab height is the font's text height + 5 and a tab is its caption's width
// + 12 wide, unless the look fixes them; the strip starts 2 pixels in. The page's 2-pixel border leaves a
// further 2-pixel margin around the display area.
TabGeometry LayoutTabStrip(const TabStripLook& look, const TRect& client);
// The index of the tab under (x, y), -1 when none.
int TabAtPoint(const TabGeometry& geometry, int x, int y);
void PaintTabStrip(TCanvas& canvas, const TRect& client, const TabStripLook& look);

}  // namespace tintoral
