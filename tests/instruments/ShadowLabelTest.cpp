// The shadowed label: defaults, the auto-size rule, shadow placement, the
// borders, the accelerator with and without a FocusControl, and loading.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <utility>

#include "instruments/InstrumentClasses.h"
#include "instruments/ShadowLabel.h"
#include "platform/window/Form.h"
#include "runtime/FormReader.h"
#include "runtime/FormWriter.h"

namespace tintoral {
namespace {

using Pixels = std::set<std::pair<int, int>>;

const TBitmap& Render(TiLabel& l) {
  l.PaintBufferNow(false);
  return l.PaintBuffer();
}

Pixels PixelsOf(const TBitmap& image, const std::function<bool(TColor)>& wanted) {
  Pixels pixels;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x)
      if (wanted(image.Pixel(x, y))) pixels.insert({x, y});
  return pixels;
}

Pixels Shifted(const Pixels& pixels, int dx, int dy) {
  Pixels moved;
  for (auto [x, y] : pixels) moved.insert({x + dx, y + dy});
  return moved;
}

TRect BoundsOf(const Pixels& pixels) {
  TRect r{1 << 20, 1 << 20, -(1 << 20), -(1 << 20)};
  for (auto [x, y] : pixels)
    r = TRect{std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1), std::max(r.Bottom, y + 1)};
  return r;
}

// A fixed 90 × 34 label on white with a bold red caption and a blue shadow.
void FixedLook(TiLabel& l, const std::string& caption) {
  l.SetAutoSize(false);
  l.SetBounds(0, 0, 90, 34);
  l.SetBackGroundColor(clWhite);
  l.Font().SetHeight(-19);
  l.Font().SetStyle(FontStyleBit(fsBold));
  l.Font().SetColor(clRed);
  l.SetShadowColor(clBlue);
  l.SetOuterMarginLeft(6);
  l.SetOuterMarginTop(6);
  l.SetCaption(caption);
}

const auto IsRed = [](TColor c) { return c == clRed; };
const auto IsInk = [](TColor c) { return c != clWhite; };

TEST(Label, ANewLabelKeepsItsSizeUntilASizeAffectingPropertyChanges) {
  TiLabel l(nullptr);
  EXPECT_EQ(l.Width(), 28);
  EXPECT_EQ(l.Height(), 13);
  EXPECT_EQ(l.Caption(), "iLabel");
  EXPECT_EQ(l.Alignment(), iahLeft);
  EXPECT_TRUE(l.AutoSize());
  EXPECT_FALSE(l.ShadowShow() || l.TabStop());
  EXPECT_EQ(l.BackGroundColor(), clBtnFace);
  EXPECT_EQ(l.ShadowColor(), clGray);
  EXPECT_EQ(l.TextFlags(), DrawTextFlag::SingleLine | DrawTextFlag::VerticalCenter | DrawTextFlag::Left);
  l.SetAlignment(iahRight);
  l.SetShadowColor(clRed);
  EXPECT_EQ(l.Width(), 28);
  l.SetCaption("iLabel and more");
  EXPECT_GT(l.Width(), 28);
}

TEST(Label, AutoSizeAddsBorderMarginsAndShadow) {
  struct Case {
    const char* name;
    std::function<void(TiLabel&)> setUp;
    int extraWidth, extraHeight;
  };
  const Case cases[] = {
      {"shadow", [](TiLabel& l) { l.SetShadowShow(true); }, 1, 1},
      {"negative x offset",
       [](TiLabel& l) {
         l.SetShadowXOffset(-2);
         l.SetShadowShow(true);
       },
       2, 1},
      {"offsets without shadow", [](TiLabel& l) { l.SetShadowYOffset(5); }, 0, 0},
      {"single", [](TiLabel& l) { l.SetBorderStyle(ilbsSingle); }, 2, 2},
      {"lowered", [](TiLabel& l) { l.SetBorderStyle(ilbsLowered); }, 4, 4},
      {"raised", [](TiLabel& l) { l.SetBorderStyle(ilbsRaised); }, 4, 4},
      {"margins",
       [](TiLabel& l) {
         l.SetOuterMarginLeft(3);
         l.SetOuterMarginRight(4);
         l.SetOuterMarginTop(5);
         l.SetOuterMarginBottom(-1);
       },
       7, 4},
  };
  TiLabel plain(nullptr);
  plain.SetCaption("Sample");
  for (const Case& k : cases) {
    TiLabel l(nullptr);
    l.SetCaption("Sample");
    k.setUp(l);
    EXPECT_EQ(l.Width(), plain.Width() + k.extraWidth) << k.name;
    EXPECT_EQ(l.Height(), plain.Height() + k.extraHeight) << k.name;
  }
}

TEST(Label, TheShadowLiesUnderTheCaptionAtItsOffsets) {
  TiLabel l(nullptr);
  FixedLook(l, "Shadow");
  const Pixels caption = PixelsOf(Render(l), IsRed);
  const TRect ink = BoundsOf(PixelsOf(Render(l), IsInk));
  ASSERT_GT(caption.size(), 50u);

  l.SetShadowShow(true);  // (1, 1): the caption stays, the shadow moves
  EXPECT_EQ(PixelsOf(Render(l), IsRed), caption);
  EXPECT_EQ(BoundsOf(PixelsOf(Render(l), IsInk)), (TRect{ink.Left, ink.Top, ink.Right + 1, ink.Bottom + 1}));

  l.SetShadowXOffset(-2);  // the shadow stays, the caption moves 2 right and 1 up
  EXPECT_EQ(PixelsOf(Render(l), IsRed), Shifted(caption, 2, -1));
  EXPECT_EQ(BoundsOf(PixelsOf(Render(l), IsInk)), (TRect{ink.Left, ink.Top - 1, ink.Right + 2, ink.Bottom}));
}

TEST(Label, BordersAreDrawnOverTheEdge) {
  TiLabel l(nullptr);
  FixedLook(l, "");
  l.SetBorderStyle(ilbsSingle);
  const Pixels frame = PixelsOf(Render(l), IsInk);
  EXPECT_EQ(frame.size(), static_cast<std::size_t>(2 * 90 + 2 * 32));
  EXPECT_EQ(BoundsOf(frame), (TRect{0, 0, 90, 34}));
  l.SetBorderStyle(ilbsLowered);
  const Pixels lowered = PixelsOf(Render(l), IsInk);
  l.SetBorderStyle(ilbsRaised);
  EXPECT_NE(PixelsOf(Render(l), IsInk), lowered);
  EXPECT_EQ(Render(l).Pixel(2, 2), clWhite);  // inside the two-pixel edge
}

TEST(Label, AcceleratorCharacters) {
  const std::pair<const char*, char> cases[] = {{"&Red", 'R'}, {"R&&D", 0}, {"a&&b&c", 'c'},
                                                {"end&", 0},   {"", 0},     {"&&&x", 'x'}};
  for (auto [caption, accelerator] : cases) EXPECT_EQ(AcceleratorOf(caption), accelerator) << caption;
}

class LabelAccelerator : public ::testing::Test {
 protected:
  LabelAccelerator() {
    label->SetParent(&form);
    other->SetParent(&form);
    other->SetTabStop(true);
    FixedLook(*label, "&Red");
  }
  TForm form{nullptr};
  TiLabel* label = new TiLabel(&form);
  TWinControl* other = new TWinControl(&form);
};

TEST_F(LabelAccelerator, WithoutAFocusControlTheAmpersandIsDrawn) {
  const TRect withAmpersand = BoundsOf(PixelsOf(Render(*label), IsRed));
  label->SetCaption("Red");
  const TRect without = BoundsOf(PixelsOf(Render(*label), IsRed));
  EXPECT_GT(withAmpersand.Width(), without.Width() + 5);
  form.DispatchKeyDown('R', {ssAlt});
  EXPECT_EQ(form.FocusedControl(), nullptr);
}

TEST_F(LabelAccelerator, WithAFocusControlTheLetterIsUnderlinedAndAltMovesTheFocus) {
  label->SetFocusControl(other);
  const Pixels underlined = PixelsOf(Render(*label), IsRed);
  label->SetCaption("Red");
  const Pixels plain = PixelsOf(Render(*label), IsRed);
  EXPECT_LT(BoundsOf(underlined).Width(), BoundsOf(plain).Width() + 3);  // no ampersand drawn
  EXPECT_GT(BoundsOf(underlined).Bottom, BoundsOf(plain).Bottom);        // the underline
  label->SetCaption("&Red");

  form.DispatchKeyDown('X', {ssAlt});
  form.DispatchKeyDown('R', {});
  form.DispatchKeyDown('R', {ssAlt, ssCtrl});
  EXPECT_EQ(form.FocusedControl(), nullptr);
  label->SetEnabled(false);
  form.DispatchKeyDown('R', {ssAlt});
  EXPECT_EQ(form.FocusedControl(), nullptr);
  label->SetEnabled(true);
  other->SetEnabled(false);  // cannot take the focus
  form.DispatchKeyDown('R', {ssAlt});
  EXPECT_EQ(form.FocusedControl(), nullptr);
  other->SetEnabled(true);
  form.DispatchKeyDown('R', {ssAlt});
  EXPECT_EQ(form.FocusedControl(), other);
}

TEST_F(LabelAccelerator, DestroyingTheFocusControlClearsTheReference) {
  label->SetFocusControl(other);
  delete other;
  EXPECT_EQ(label->FocusControl(), nullptr);
  EXPECT_EQ(label->TextFlags() & DrawTextFlag::Prefix, 0);
  EXPECT_GT(PixelsOf(Render(*label), IsRed).size(), 50u);
  form.DispatchKeyDown('R', {ssAlt});
  EXPECT_EQ(form.FocusedControl(), nullptr);
}

TEST(Label, CaptionAsksPermissionAndAutoSizeIsNotReEntered) {
  TiLabel l(nullptr);
  l.SetEditPermissionHook([](TObject*, const std::string& name, bool& allow) { allow = name != "Caption"; });
  l.SetCaption("refused");
  EXPECT_EQ(l.Caption(), "iLabel");
  l.SetEditPermissionHook(nullptr);

  int autoSizes = 0;
  l.SetOnAutoSize([&](TObject*) {
    ++autoSizes;
    l.Font().SetHeight(l.Font().Height() - 1);  // a font change inside the resize
  });
  l.SetCaption("accepted");
  EXPECT_EQ(autoSizes, 1);
  EXPECT_EQ(l.Caption(), "accepted");
}

TEST(Label, AFormulaCaptionLoadsWithItsStoredSize) {
  RegisterInstruments();
  const std::string text =
      "object iLabel1: TiLabel\n"
      "  Left = 16\n  Top = 256\n  Width = 245\n  Height = 25\n"
      "  Caption = 'Y = 0,30R + 0,59G + 0,11B'\n"
      "  Font.Color = clTeal\n  Font.Height = -19\n  Font.Name = 'MS Sans Serif'\n  Font.Style = [fsBold]\n"
      "  ShadowShow = True\nend\n";
  std::unique_ptr<TComponent> loaded(ReadComponentText(text));
  auto& l = dynamic_cast<TiLabel&>(*loaded);
  EXPECT_EQ(l.Width(), 245);
  EXPECT_EQ(l.Height(), 25);
  EXPECT_EQ(l.Font().Color(), clTeal);
  EXPECT_TRUE(l.ShadowShow());
  const std::string written = WriteComponentText(l);
  EXPECT_NE(written.find("Caption = 'Y = 0,30R + 0,59G + 0,11B'"), std::string::npos) << written;
  EXPECT_NE(written.find("ShadowShow = True"), std::string::npos) << written;
  EXPECT_EQ(written.find("ShadowXOffset"), std::string::npos) << written;
  l.SetShadowXOffset(2);
  EXPECT_NE(l.Width(), 245);
}

// Loading ends with the control's font copied from the parent; the label's
// stored size stays, alone or inside a form.
TEST(Label, StoredSizeStaysWhenLoadingEndsInAForm) {
  RegisterWindowClasses();
  RegisterInstruments();
  const std::string label =
      "object L: TiLabel\n  Width = 100\n  Height = 30\n  Caption = 'Hola'\n  ShadowShow = True\nend\n";
  for (const std::string& text : {label, "object F: TForm\n  Font.Height = -19\n" + label + "end\n"}) {
    std::unique_ptr<TComponent> loaded(ReadComponentText(text));
    auto* l = dynamic_cast<TiLabel*>(loaded.get());
    if (!l) l = dynamic_cast<TiLabel*>(loaded->FindComponent("L"));
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->BoundsRect(), Bounds(0, 0, 100, 30)) << text;
  }
}

// Offsets and margins at the ends of int: the auto-size sums are held to the
// coordinate limit instead of wrapping.
TEST(Label, AutoSizeAtExtremeOffsetsAndMarginsHoldsTheLimit) {
  using Setter = void (TiLabel::*)(int);
  const struct {
    Setter set;
    int value;
    bool wide;  // the width reaches the limit, else the height
  } cases[] = {
      {&TiLabel::SetShadowXOffset, INT_MIN, true},    {&TiLabel::SetShadowXOffset, INT_MAX, true},
      {&TiLabel::SetShadowYOffset, INT_MIN, false},   {&TiLabel::SetOuterMarginLeft, INT_MAX, true},
      {&TiLabel::SetOuterMarginRight, INT_MAX, true}, {&TiLabel::SetOuterMarginBottom, INT_MAX, false},
  };
  for (const auto& c : cases) {
    TiLabel l(nullptr);
    l.SetShadowShow(true);
    (l.*c.set)(c.value);
    EXPECT_EQ(c.wide ? l.Width() : l.Height(), kCoordinateLimit) << c.value;
    TBitmap part(40, 20);
    l.PaintTo(part.Canvas());  // the text rectangle and the shadow's moves stay in int
  }
}

}  // namespace
}  // namespace tintoral
