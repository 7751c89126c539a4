// The accessible interfaces of windowed controls and of the graphic controls
// on them, asked through Qt's accessibility API as a screen reader asks.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <memory>

#include "platform/window/AccessibleDescription.h"
#include "platform/window/AccessibleReadingOrder.h"
#include "platform/window/Bevel.h"
#include "platform/window/Button.h"
#include "platform/window/ControlWidget.h"
#include "platform/window/Form.h"
#include "platform/window/Label.h"
#include "platform/window/Panel.h"
#include "platform/window/SpeedButton.h"
#include "tests/platform/window/AccessibilityEvents.h"

namespace tintoral {
namespace {

QAccessibleInterface* InterfaceOf(TWinControl& control) {
  return QAccessible::queryAccessibleInterface(control.Widget());
}

// The children of `parent` with the given name.
std::vector<QAccessibleInterface*> ChildrenNamed(QAccessibleInterface* parent, const QString& name) {
  std::vector<QAccessibleInterface*> found;
  for (int i = 0; i < parent->childCount(); ++i)
    if (parent->child(i)->text(QAccessible::Name) == name) found.push_back(parent->child(i));
  return found;
}

class ControlAccessibleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form.SetCaption(
        "Se\xF1"
        "ales");
    form.SetClientSize(300, 200);
    panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(20, 30, 200, 100);
    panel->SetCaption("");
    label = new TLabel(&form);
    label->SetParent(panel);
    label->SetCaption("&Luminancia && croma");
    label->SetBounds(5, 6, 120, 16);
    auto* bevel = new TBevel(&form);  // decoration: not exposed
    bevel->SetParent(panel);
    form.Show();
  }

  TForm form{nullptr};
  TPanel* panel = nullptr;
  TLabel* label = nullptr;
};

TEST_F(ControlAccessibleTest, WindowAndClientAreaAreNamedByTheirCaptionsInUnicode) {
  QAccessibleInterface* window = InterfaceOf(form);
  EXPECT_EQ(window->role(), QAccessible::Window);
  EXPECT_EQ(window->text(QAccessible::Name), QString::fromUtf8("Se\u00F1ales"));
  EXPECT_EQ(InterfaceOf(*panel)->role(), QAccessible::Client);
  EXPECT_EQ(window->valueInterface(), nullptr);
}

TEST_F(ControlAccessibleTest, LabelIsAStaticTextChildOfItsParentWithTheCaptionAsShownAndItsPlace) {
  QAccessibleInterface* parent = InterfaceOf(*panel);
  ASSERT_EQ(parent->childCount(), 1) << "the label only, not the bevel";
  const auto named = ChildrenNamed(parent, "Luminancia & croma");
  ASSERT_EQ(named.size(), 1u);
  QAccessibleInterface* child = named[0];
  EXPECT_EQ(child->role(), QAccessible::StaticText);
  EXPECT_EQ(child->parent(), parent);
  EXPECT_EQ(parent->indexOfChild(child), 0);
  const QPoint origin = panel->Widget()->mapToGlobal(QPoint(5, 6));
  EXPECT_EQ(child->rect(), QRect(origin, QSize(120, 16)));
  EXPECT_EQ(parent->childAt(origin.x() + 3, origin.y() + 3), child);

  label->SetShowAccelChar(false);
  EXPECT_EQ(child->text(QAccessible::Name), "&Luminancia && croma");
  label->SetVisible(false);
  EXPECT_TRUE(child->state().invisible);
}

TEST_F(ControlAccessibleTest, ALabelThatIsGoneLeavesItsParentAndItsInterfaceTurnsInvalid) {
  QAccessibleInterface* parent = InterfaceOf(*panel);
  QAccessibleInterface* child = parent->child(0);
  const QAccessible::Id id = QAccessible::uniqueId(child);
  delete label;
  EXPECT_FALSE(child->isValid());
  EXPECT_EQ(parent->childCount(), 0);
  EXPECT_EQ(parent->child(0), nullptr);
  EXPECT_EQ(QAccessible::accessibleInterface(id), nullptr) << "deleted once the parent noticed";
}

TEST_F(ControlAccessibleTest, APaintReportsTheNewNamesOfTheControlAndOfTheLabelsOnIt) {
  test::AccessibilityEvents events;
  QAccessibleInterface* parent = InterfaceOf(*panel);
  parent->child(0);  // the screen reader has seen the label
  label->SetCaption("Croma");
  panel->SetCaption("Panel");
  QApplication::processEvents();
  EXPECT_EQ(events.Take(), (std::vector<std::string>{"NameChanged Panel", "NameChanged Croma"}))
      << "the first change after the screen reader looked";
  panel->Invalidate();
  QApplication::processEvents();
  EXPECT_EQ(events.Take(), std::vector<std::string>{});
}

TEST_F(ControlAccessibleTest, ChildrenReadInReadingOrderAndALabelShowsItsCaptionAsText) {
  auto* button = new TButton(&form);  // windowed, right of the label on its line
  button->SetParent(panel);
  button->SetBounds(130, 2, 60, 25);
  auto* lower = new TLabel(&form);  // added before nothing, read last
  lower->SetParent(panel);
  lower->SetCaption("Abajo");
  lower->SetBounds(5, 40, 50, 16);
  QAccessibleInterface* parent = InterfaceOf(*panel);
  ASSERT_EQ(parent->childCount(), 3);
  EXPECT_EQ(parent->child(0)->text(QAccessible::Name), "Luminancia & croma");
  EXPECT_EQ(parent->child(1), InterfaceOf(*button));
  EXPECT_EQ(parent->indexOfChild(InterfaceOf(*button)), 1);
  EXPECT_EQ(parent->child(2)->text(QAccessible::Name), "Abajo");

  QAccessibleTextInterface* text = parent->child(0)->textInterface();
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->characterCount(), 18);
  EXPECT_EQ(text->text(0, -1), "Luminancia & croma");
  EXPECT_EQ(text->text(13, 99), "croma");
  EXPECT_EQ(InterfaceOf(*panel)->textInterface(), nullptr) << "a panel shows no text";
}

TEST(AccessibleReadingOrderTest, LineByLineFromTheTopEachFromTheLeft) {
  const struct {
    std::vector<TRect> boxes;
    std::vector<std::size_t> order;
  } cases[] = {
      // A caption slightly lower than the readout beside it reads first.
      {{{40, 4, 92, 30}, {16, 8, 36, 30}}, {1, 0}},
      // A box that starts below the first one's bottom starts a new line.
      {{{0, 40, 10, 50}, {50, 0, 60, 39}, {0, 0, 10, 10}}, {2, 1, 0}},
      // Same left edge: the higher first; same place: the given order.
      {{{0, 20, 10, 30}, {0, 0, 10, 30}, {0, 0, 10, 30}}, {1, 2, 0}},
      // Empty boxes (hidden controls) end their own lines.
      {{{5, 0, 5, 0}, {0, 0, 0, 0}}, {0, 1}},
      {{}, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadingOrder(c.boxes), c.order);
}

// Push buttons and speed buttons: named by caption, or a glyph-only speed
// button by its hint, pressed through the press action once the request
// has been answered.
class ButtonAccessibleTest : public ControlAccessibleTest {
 protected:
  void SetUp() override {
    ControlAccessibleTest::SetUp();
    form.SetBorderStyle(bsDialog);
    ok = new TButton(&form);
    ok->SetParent(&form);
    ok->SetCaption("&OK");
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    ok->SetBounds(10, 150, 75, 25);
    ok->SetOnClick([this](TObject*) { clicks.push_back("OK"); });
    glyph = new TSpeedButton(&form);
    glyph->SetParent(&form);
    glyph->SetBounds(250, 5, 23, 22);
    glyph->SetHint("Acerca de");
    glyph->SetOnClick([this](TObject*) { clicks.push_back("glyph"); });
  }
  QAccessibleInterface* GlyphInterface() { return ChildrenNamed(InterfaceOf(form), "Acerca de").at(0); }

  TButton* ok = nullptr;
  TSpeedButton* glyph = nullptr;
  std::vector<std::string> clicks;
};

TEST_F(ButtonAccessibleTest, ADialogWithItsDefaultPushButtonAndAGlyphButtonNamedByItsHint) {
  EXPECT_EQ(InterfaceOf(form)->role(), QAccessible::Dialog);
  QAccessibleInterface* button = InterfaceOf(*ok);
  EXPECT_EQ(button->role(), QAccessible::PushButton);
  EXPECT_EQ(button->text(QAccessible::Name), "OK");
  EXPECT_TRUE(button->state().defaultButton);
  EXPECT_TRUE(button->state().focusable);
  EXPECT_FALSE(InterfaceOf(*panel)->state().focusable) << "no tab stop";
  EXPECT_EQ(GlyphInterface()->role(), QAccessible::PushButton);
  glyph->SetCaption("Info");
  EXPECT_EQ(ChildrenNamed(InterfaceOf(form), "Info").size(), 1u) << "the caption before the hint";
}

TEST_F(ButtonAccessibleTest, PressActionsClickOnceTheEventLoopRunsAndNotWhileDisabled) {
  QAccessibleActionInterface* okActions = InterfaceOf(*ok)->actionInterface();
  QAccessibleActionInterface* glyphActions = GlyphInterface()->actionInterface();
  ASSERT_NE(okActions, nullptr);
  ASSERT_NE(glyphActions, nullptr);
  EXPECT_TRUE(okActions->actionNames().contains(QAccessibleActionInterface::pressAction()));
  okActions->doAction(QAccessibleActionInterface::pressAction());
  glyphActions->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(clicks, std::vector<std::string>{}) << "not within the request";
  QApplication::processEvents();
  EXPECT_EQ(clicks, (std::vector<std::string>{"OK", "glyph"}));
  EXPECT_EQ(form.ModalResult(), mrOk);

  glyph->SetEnabled(false);
  EXPECT_EQ(GlyphInterface()->actionInterface(), nullptr);
  ok->SetEnabled(false);
  EXPECT_FALSE(okActions->actionNames().contains(QAccessibleActionInterface::pressAction()));
  okActions->doAction(QAccessibleActionInterface::pressAction());
  QApplication::processEvents();
  EXPECT_EQ(clicks.size(), 2u);
}

TEST(AccessibleDescriptionTest, PrefixMarksShowAsTheCharactersTheyMark) {
  const struct {
    const char* caption;
    const char* shown;
  } cases[] = {{"&Rojo", "Rojo"}, {"R && G", "R & G"}, {"fin&", "fin"}, {"a&&&b", "a&b"}, {"", ""}};
  for (const auto& c : cases) EXPECT_EQ(TextWithoutPrefixMarks(c.caption), c.shown) << c.caption;
}

}  // namespace
}  // namespace tintoral
