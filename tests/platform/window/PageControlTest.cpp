#include <gtest/gtest.h>

#include "WindowTestSupport.h"
#include "platform/window/Bevel.h"
#include "platform/window/PageControl.h"
#include "platform/window/StandardPainting.h"
#include "platform/window/TabPainting.h"
#include "runtime/FormWriter.h"
#include "tests/platform/graphics/CanvasTestSupport.h"
#include "tests/platform/graphics/TextPixels.h"
#include "tests/platform/window/StandardControlsTestSupport.h"

namespace tintoral {
namespace {

using test::CheckRing;
using test::Surface;

constexpr TColor kPaper = 0x123456;

struct TabStripPaint : ::testing::Test {
  TFont font;
  TabStripLook look;
  TabStripPaint() {
    font.SetColor(clBlack);
    font.SetStyle(FontStyleBit(fsBold));
    look.font = &font;
    look.captions = {"Color en TV", "Otra"};
    look.activeIndex = 0;
  }
};

TEST_F(TabStripPaint, GeometryFollowsTheTextAndTheSelection) {
  const TabGeometry g = LayoutTabStrip(look, {0, 0, 300, 200});
  TBitmap probe(1, 1);
  probe.Canvas().Font().Assign(font);
  EXPECT_EQ(g.itemHeight, probe.Canvas().TextHeight("Wg") + 5);
  ASSERT_EQ(g.tabs.size(), 2u);
  const int width0 = probe.Canvas().TextWidth("Color en TV") + 12;
  // The selected tab stands 2 pixels out on three sides and reaches into the border.
  EXPECT_EQ(g.tabs[0], (TRect{0, 0, 2 + width0 + 2, 2 + g.itemHeight + 2}));
  EXPECT_EQ(g.tabs[1].Left, 2 + width0);
  EXPECT_EQ(g.tabs[1].Top, 2);
  EXPECT_EQ(g.frame, (TRect{0, 2 + g.itemHeight, 300, 200}));
  EXPECT_EQ(g.display, (TRect{4, 2 + g.itemHeight + 4, 296, 196}));
  EXPECT_EQ(TabAtPoint(g, 5, 5), 0);
  EXPECT_EQ(TabAtPoint(g, g.tabs[1].Left + 1, 5), 0);  // the selected tab overlaps its neighbour
  EXPECT_EQ(TabAtPoint(g, g.tabs[1].Left + 5, 5), 1);
  EXPECT_EQ(TabAtPoint(g, 299, 5), -1);
  EXPECT_EQ(TabAtPoint(g, 50, 100), -1);
}

TEST_F(TabStripPaint, PageHasARaisedBorderJoinedToTheSelectedTab) {
  Surface s(300, 200, kPaper);
  PaintTabStrip(s.canvas, {0, 0, 300, 200}, look);
  const TabGeometry g = LayoutTabStrip(look, {0, 0, 300, 200});
  const TRect& frame = g.frame;
  const TRect& tab = g.tabs[0];
  // Right, bottom and left of the frame carry the raised edge ...
  EXPECT_EQ(s.At(299, 150), 0x000000);
  EXPECT_EQ(s.At(298, 150), 0x808080);
  EXPECT_EQ(s.At(0, 150), 0xDFDFDF);
  EXPECT_EQ(s.At(1, 150), 0xFFFFFF);
  EXPECT_EQ(s.At(150, 199), 0x000000);
  // ... and its top edge is open under the selected tab, closed beside it.
  EXPECT_EQ(s.At(tab.Left + 5, frame.Top), 0xC0C0C0);
  EXPECT_EQ(s.At(tab.Left + 5, frame.Top + 1), 0xC0C0C0);
  EXPECT_EQ(s.At(tab.Right + 5, frame.Top), 0xDFDFDF);
  EXPECT_EQ(s.At(tab.Right + 5, frame.Top + 1), 0xFFFFFF);
  // The selected tab: highlight top and left with a cut corner, dark right side.
  EXPECT_EQ(s.At(tab.Left + 5, 0), 0xFFFFFF);
  EXPECT_EQ(s.At(tab.Left, 0), 0xC0C0C0);
  EXPECT_EQ(s.At(tab.Left + 1, 1), 0xFFFFFF);
  EXPECT_EQ(s.At(tab.Left, 5), 0xFFFFFF);
  EXPECT_EQ(s.At(tab.Right - 1, 5), 0x000000);
  EXPECT_EQ(s.At(tab.Right - 2, 5), 0x808080);
  // The unselected tab starts 2 pixels lower; the strip beside the tabs takes the control's colour.
  EXPECT_EQ(s.At(g.tabs[1].Left + 5, 1), 0xC0C0C0);
  EXPECT_EQ(s.At(g.tabs[1].Left + 5, 2), 0xFFFFFF);
  EXPECT_EQ(s.At(295, 3), 0xC0C0C0);
  // The display area is plain face.
  EXPECT_EQ(test::CheckFill(s.bitmap, g.display, clBtnFace), "");
  // The caption is centred in its tab (between the tab's dark right side lines).
  const auto caption = test::RegionInside(s.bitmap, {tab.Left, tab.Top, tab.Right - 2, frame.Top}, clBlack);
  ASSERT_GT(caption.count, 0);
  EXPECT_LE(std::abs((caption.bounds.Left - tab.Left) - (tab.Right - caption.bounds.Right)), 3);
}

TEST_F(TabStripPaint, FocusedPageControlMarksTheSelectedCaption) {
  Surface plain(300, 100, kPaper);
  PaintTabStrip(plain.canvas, {0, 0, 300, 100}, look);
  look.focused = true;
  Surface focused(300, 100, kPaper);
  PaintTabStrip(focused.canvas, {0, 0, 300, 100}, look);
  const TabGeometry g = LayoutTabStrip(look, {0, 0, 300, 100});
  const TRect mark = test::Shrunk({g.tabs[0].Left, 0, g.tabs[0].Right, g.itemHeight}, 3);
  EXPECT_NE(focused.At(mark.Left, mark.Top), plain.At(mark.Left, mark.Top));
  EXPECT_EQ(focused.At(mark.Left + 1, mark.Top), plain.At(mark.Left + 1, mark.Top));
}

constexpr char kPagesForm[] = R"(object Form1: TForm
  Width = 700
  Height = 560
  Color = clBtnFace
  object PageControl1: TPageControl
    Left = 8
    Top = 56
    Width = 653
    Height = 453
    ActivePage = TabSheet1
    Font.Height = -11
    Font.Style = [fsBold]
    ParentFont = False
    TabOrder = 1
    object TabSheet1: TTabSheet
      Caption = 'Color en TV'
      object Bevel2: TBevel
        Left = 312
        Top = 8
        Width = 321
        Height = 401
      end
    end
    object TabSheet2: TTabSheet
      Caption = 'Otra'
    end
  end
end
)";

struct PageControlForm : ::testing::Test {
  std::unique_ptr<TForm> form = test::ReadForm(kPagesForm);
  TPageControl* pages = form->FindComponentAs<TPageControl>("PageControl1");
  TTabSheet* first = form->FindComponentAs<TTabSheet>("TabSheet1");
  TTabSheet* second = form->FindComponentAs<TTabSheet>("TabSheet2");
  void SetUp() override { ASSERT_TRUE(pages && first && second); }
};

TEST_F(PageControlForm, ReadsItsPagesAndTheActivePageReference) {
  EXPECT_EQ(pages->PageCount(), 2);
  EXPECT_EQ(pages->ActivePage(), first);
  EXPECT_EQ(pages->TabIndex(), 0);
  EXPECT_TRUE(first->Visible());
  EXPECT_FALSE(second->Visible());
  EXPECT_EQ(first->BoundsRect(), pages->DisplayRect());
  EXPECT_EQ(second->BoundsRect(), pages->DisplayRect());
  EXPECT_EQ(second->PageIndex(), 1);
  EXPECT_TRUE(first->Font().Style() & FontStyleBit(fsBold));  // the page control's font

  const std::string text = WriteComponentText(*form);
  EXPECT_TRUE(test::HasLine(text, "ActivePage = TabSheet1")) << text;
  const std::string sheet = text.substr(text.find("object TabSheet1"));
  for (const char* name : {"Width", "Height", "Visible", "PageIndex", "TabVisible"})
    EXPECT_EQ(sheet.substr(0, sheet.find("object Bevel2")).find(name), std::string::npos) << name << "\n" << sheet;
  EXPECT_EQ(text.find("TabIndex"), std::string::npos);
  auto again = test::ReadForm(text);
  EXPECT_EQ(again->FindComponentAs<TPageControl>("PageControl1")->ActivePage()->Name(), "TabSheet1");
}

TEST_F(PageControlForm, RendersTheTabsThePageBorderAndTheActivePage) {
  TBitmap shown;
  pages->RenderTo(shown);
  ASSERT_EQ(shown.Width(), 653);
  const TRect display = pages->DisplayRect();
  // The page's raised border at the right and bottom, the bevel of the sheet inside.
  EXPECT_EQ(shown.Pixel(652, 300), 0x000000);
  EXPECT_EQ(shown.Pixel(651, 300), 0x808080);
  EXPECT_EQ(shown.Pixel(display.Left + 312, display.Top + 8), 0x808080);
  EXPECT_EQ(shown.Pixel(display.Left + 632, display.Top + 408), 0xFFFFFF);
  EXPECT_EQ(shown.Pixel(display.Left + 1, display.Top + 1), 0xC0C0C0);
  // The caption of the selected tab lies in the tab strip.
  const auto caption = test::RegionInside(shown, {4, 2, 100, display.Top - 6}, clBlack);
  EXPECT_GT(caption.count, 0);
}

// The tab captions are drawn in the page control's own font (bold here):
// its strip matches one painted directly with that font, and differs from
// one painted in the regular weight.
TEST_F(PageControlForm, TabCaptionsUseThePageControlsFont) {
  TBitmap shown;
  pages->RenderTo(shown);
  const int stripBottom = pages->DisplayRect().Top - 4;
  const auto differingInStrip = [&](TFontStyles style) {
    TFont font;
    font.Assign(pages->Font());
    font.SetStyle(style);
    TabStripLook look;
    look.captions = {"Color en TV", "Otra"};
    look.activeIndex = 0;
    look.font = &font;
    Surface expected(shown.Width(), shown.Height());
    PaintTabStrip(expected.canvas, {0, 0, shown.Width(), shown.Height()}, look);
    int differing = 0;
    for (int y = 0; y < stripBottom; ++y)
      for (int x = 0; x < shown.Width(); ++x) differing += shown.Pixel(x, y) != expected.At(x, y);
    return differing;
  };
  EXPECT_EQ(differingInStrip(FontStyleBit(fsBold)), 0);
  EXPECT_GT(differingInStrip(0), 0);
}

TEST_F(PageControlForm, ClickingATabChangesThePageUnlessRefused) {
  std::vector<std::string> events;
  bool allow = false;
  pages->SetOnChanging([&](TObject*, bool& ok) {
    events.push_back("changing");
    ok = allow;
  });
  pages->SetOnChange([&](TObject*) { events.push_back("change"); });
  TBitmap probe(1, 1);
  probe.Canvas().Font().Assign(pages->Font());
  const int secondTabX = 2 + probe.Canvas().TextWidth("Color en TV") + 12 + 10;
  pages->DispatchMouseDown(mbLeft, {ssLeft}, secondTabX, 8);
  pages->DispatchMouseUp(mbLeft, {}, secondTabX, 8);
  EXPECT_EQ(pages->ActivePage(), first);
  allow = true;
  pages->DispatchMouseDown(mbLeft, {ssLeft}, secondTabX, 8);
  pages->DispatchMouseUp(mbLeft, {}, secondTabX, 8);
  EXPECT_EQ(pages->ActivePage(), second);
  EXPECT_TRUE(second->Visible());
  EXPECT_FALSE(first->Visible());
  EXPECT_EQ(events, (std::vector<std::string>{"changing", "changing", "change"}));
  pages->DispatchMouseDown(mbLeft, {ssLeft}, 300, 300);  // the page, not a tab
  EXPECT_EQ(pages->ActivePage(), second);
}

TEST_F(PageControlForm, KeysAndRemovalMoveTheActivePage) {
  form->Show();
  pages->SetFocus();
  test::PressKey(pages->Widget(), Qt::Key_Right);
  EXPECT_EQ(pages->ActivePage(), second);
  test::PressKey(pages->Widget(), Qt::Key_Right);
  EXPECT_EQ(pages->ActivePage(), first);  // wraps around
  test::PressKey(pages->Widget(), Qt::Key_Tab, Qt::ControlModifier, "\t");
  EXPECT_EQ(pages->ActivePage(), second);
  form->Hide();

  second->SetTabVisible(false);
  EXPECT_EQ(pages->TabIndex(), -1);
  pages->SetTabIndex(0);
  EXPECT_EQ(pages->ActivePage(), first);
  delete first;
  EXPECT_EQ(pages->PageCount(), 1);
  EXPECT_EQ(pages->ActivePage(), second);
}

}  // namespace
}  // namespace tintoral
