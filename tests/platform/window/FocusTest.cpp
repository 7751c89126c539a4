// Focus changes and the tab order.
#include <gtest/gtest.h>

#include "WindowTestSupport.h"

namespace tintoral::test {
namespace {

class FocusTest : public ::testing::Test {
 protected:
  TRecorder* Add(TWinControl* parent, const std::string& name, bool tabStop) {
    auto* r = new TRecorder(&form, log, name);
    r->SetName(name);
    r->SetTabStop(tabStop);
    r->SetParent(parent);
    return r;
  }
  std::vector<std::string> Names(const std::vector<TWinControl*>& list) {
    std::vector<std::string> names;
    for (TWinControl* c : list) names.push_back(c->Name());
    return names;
  }

  Log log;
  TForm form{nullptr};
};

TEST_F(FocusTest, AFocusChangeTellsEachSideTheOtherAndFiresExitThenEnter) {
  TRecorder* a = Add(&form, "A", true);
  TRecorder* b = Add(&form, "B", true);
  a->SetOnExit([&](TObject*) { log.push_back("A exit"); });
  b->SetOnEnter([&](TObject*) { log.push_back("B enter"); });
  a->SetFocus();
  b->SetFocus();
  b->SetFocus();  // no change, no events
  EXPECT_EQ(log, (Log{"A: gained from none", "A: lost to B", "A exit", "B: gained from A", "B enter"}));
  EXPECT_TRUE(b->Focused());
  EXPECT_FALSE(a->Focused());
  EXPECT_EQ(form.ActiveControl(), b);
}

TEST_F(FocusTest, HiddenDisabledOrGoneControlsCannotHoldTheFocus) {
  TRecorder* a = Add(&form, "A", true);
  TRecorder* b = Add(&form, "B", true);
  b->SetEnabled(false);
  EXPECT_FALSE(b->CanFocus());
  EXPECT_THROW(b->SetFocus(), InvalidOperation);
  a->SetFocus();
  log.clear();
  delete a;  // the focus goes with it, quietly
  EXPECT_EQ(form.FocusedControl(), nullptr);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(form.TabOrderList(), (std::vector<TWinControl*>{b}));  // gone from the tab order too
}

TEST_F(FocusTest, TabWalksTheTabStopsInTabOrderDepthFirstThroughContainers) {
  auto* panel = new TWinControl(&form);
  panel->SetName("Panel");
  panel->SetParent(&form);
  TRecorder* x = Add(panel, "X", true);
  TRecorder* y = Add(panel, "Y", true);
  TRecorder* z = Add(&form, "Z", true);
  TRecorder* off = Add(&form, "Off", false);
  TRecorder* hidden = Add(&form, "Hidden", true);
  hidden->Hide();
  y->SetTabOrder(0);
  panel->SetTabOrder(2);  // after Z and Off
  EXPECT_EQ(x->TabOrder(), 1);
  EXPECT_EQ(Names(form.TabOrderList()), (std::vector<std::string>{"Z", "Off", "Panel", "Y", "X", "Hidden"}));

  std::vector<std::string> visited;
  TWinControl* current = nullptr;
  for (int i = 0; i < 4; ++i) visited.push_back((current = form.SelectNext(current, true))->Name());
  EXPECT_EQ(visited, (std::vector<std::string>{"Z", "Y", "X", "Z"}));
  EXPECT_EQ(form.SelectNext(z, false), x);  // Shift+Tab goes back, wrapping round
  (void)off;
}

}  // namespace
}  // namespace tintoral::test
