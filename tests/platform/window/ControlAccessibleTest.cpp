// The accessible interfaces of windowed controls and of the graphic controls
// on them, asked through Qt's accessibility API as a screen reader asks.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <memory>

#include "platform/window/AccessibleDescription.h"
#include "platform/window/Bevel.h"
#include "platform/window/ControlWidget.h"
#include "platform/window/Form.h"
#include "platform/window/Label.h"
#include "platform/window/Panel.h"
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
  panel->Invalidate();
  QApplication::processEvents();
  EXPECT_EQ(events.Take(), std::vector<std::string>{}) << "the first paint only takes note";
  label->SetCaption("Croma");
  panel->SetCaption("Panel");
  QApplication::processEvents();
  EXPECT_EQ(events.Take(), (std::vector<std::string>{"NameChanged Panel", "NameChanged Croma"}));
  panel->Invalidate();
  QApplication::processEvents();
  EXPECT_EQ(events.Take(), std::vector<std::string>{});
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
