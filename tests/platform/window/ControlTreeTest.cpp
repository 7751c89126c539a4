// The control tree: parents, bounds, alignment, inherited font and colour,
// and the native window created only when needed.
#include <gtest/gtest.h>

#include <memory>

#include "WindowTestSupport.h"
#include "platform/graphics/Bitmap.h"

namespace tintoral::test {
namespace {

TEST(ControlTree, ChildrenKeepInsertionOrderAndLeaveWhenReparentedOrDestroyed) {
  TWinControl parent(nullptr);
  auto* a = new TTestSquare(&parent);
  auto* b = new TWinControl(&parent);
  auto* c = new TTestSquare(&parent);
  for (TControl* control : {static_cast<TControl*>(a), static_cast<TControl*>(b), static_cast<TControl*>(c)})
    control->SetParent(&parent);
  ASSERT_EQ(parent.ControlCount(), 3);
  EXPECT_EQ(parent.Controls(0), a);
  EXPECT_EQ(parent.Controls(2), c);
  EXPECT_THROW(parent.Controls(3), ListIndexError);

  TWinControl other(nullptr);
  b->SetParent(&other);
  EXPECT_EQ(parent.ControlCount(), 2);
  EXPECT_EQ(other.Controls(0), b);
  EXPECT_THROW(other.SetParent(b), InvalidOperation);  // a control inside itself

  delete c;
  ASSERT_EQ(parent.ControlCount(), 1);
  EXPECT_EQ(parent.Controls(0), a);
}

TEST(ControlTree, DestroyingAParentDestroysItsChildren) {
  auto* parent = new TWinControl(nullptr);
  auto* child = new TWinControl(nullptr);  // owned by nobody, held by the parent
  auto* grandchild = new TTestSquare(child);
  child->SetParent(parent);
  grandchild->SetParent(child);
  bool childGone = false;
  struct Watch : TComponent {
    bool* gone;
    Watch(bool* g) : TComponent(nullptr), gone(g) {}
    void Notification(TComponent* c, TOperation op) override {
      if (op == opRemove && c->Name() == "Child") *gone = true;
    }
  } watch(&childGone);
  child->SetName("Child");
  child->FreeNotification(&watch);
  delete parent;
  EXPECT_TRUE(childGone);
}

TEST(ControlTree, ControlAtPosFindsTheTopmostVisibleEnabledChild) {
  TWinControl parent(nullptr);
  parent.SetBounds(0, 0, 100, 100);
  TTestSquare lower(nullptr), upper(nullptr);
  lower.SetBounds(10, 10, 50, 50);
  upper.SetBounds(30, 30, 50, 50);
  lower.SetParent(&parent);
  upper.SetParent(&parent);
  EXPECT_EQ(parent.ControlAtPos({40, 40}), &upper);
  EXPECT_EQ(parent.ControlAtPos({15, 15}), &lower);
  EXPECT_EQ(parent.ControlAtPos({80, 80}), nullptr);  // right and bottom edges are outside
  upper.SetEnabled(false);
  EXPECT_EQ(parent.ControlAtPos({40, 40}), &lower);
  EXPECT_EQ(parent.ControlAtPos({40, 40}, true), &upper);
  lower.Hide();
  EXPECT_EQ(parent.ControlAtPos({15, 15}), nullptr);
  upper.SetParent(nullptr);
  lower.SetParent(nullptr);
}

TEST(ControlTree, AlignedChildrenShareTheClientArea) {
  TWinControl parent(nullptr);
  parent.SetBounds(0, 0, 200, 100);
  std::vector<std::unique_ptr<TTestSquare>> children;
  auto add = [&](TAlign align, int w, int h) {
    children.push_back(std::make_unique<TTestSquare>(nullptr));
    TTestSquare* c = children.back().get();
    c->SetBounds(5, 5, w, h);
    c->SetParent(&parent);
    c->SetAlign(align);
    return c;
  };
  TTestSquare* client = add(alClient, 1, 1);
  TTestSquare* top = add(alTop, 10, 20);
  TTestSquare* bottom = add(alBottom, 10, 10);
  TTestSquare* left = add(alLeft, 30, 10);
  TTestSquare* right = add(alRight, 40, 10);
  EXPECT_EQ(top->BoundsRect(), (TRect{0, 0, 200, 20}));
  EXPECT_EQ(bottom->BoundsRect(), (TRect{0, 90, 200, 100}));
  EXPECT_EQ(left->BoundsRect(), (TRect{0, 20, 30, 90}));
  EXPECT_EQ(right->BoundsRect(), (TRect{160, 20, 200, 90}));
  EXPECT_EQ(client->BoundsRect(), (TRect{30, 20, 160, 90}));

  parent.SetBounds(0, 0, 300, 150);  // a resize lays them out again
  EXPECT_EQ(bottom->BoundsRect(), (TRect{0, 140, 300, 150}));
  EXPECT_EQ(client->BoundsRect(), (TRect{30, 20, 260, 140}));

  top->Hide();  // hidden controls take no room
  EXPECT_EQ(left->BoundsRect(), (TRect{0, 0, 30, 140}));
  top->SetHeight(30);  // an aligned child's size change realigns
  for (auto& c : children) c->SetParent(nullptr);
}

TEST(ControlTree, FontAndColourFollowTheParentUntilSet) {
  TWinControl parent(nullptr);
  TWinControl child(nullptr);
  parent.Font().SetName("Arial");
  parent.SetColor(clMaroon);
  child.SetParent(&parent);
  EXPECT_EQ(child.Font().Name(), "Arial");
  EXPECT_TRUE(child.ParentFont());
  EXPECT_EQ(child.Color(), clMaroon);

  parent.Font().SetHeight(-19);
  EXPECT_EQ(child.Font().Height(), -19);
  child.Font().SetColor(clRed);  // its own font from now on
  EXPECT_FALSE(child.ParentFont());
  parent.Font().SetName("Courier New");
  EXPECT_EQ(child.Font().Name(), "Arial");
  child.SetParentFont(true);
  EXPECT_EQ(child.Font().Name(), "Courier New");
  EXPECT_EQ(child.Font().Color(), clWindowText);

  child.SetColor(clTeal);
  EXPECT_FALSE(child.ParentColor());
  parent.SetColor(clNavy);
  EXPECT_EQ(child.Color(), clTeal);
  child.SetParentColor(true);
  EXPECT_EQ(child.Color(), clNavy);
  child.SetParent(nullptr);
}

TEST(ControlTree, NativeWindowIsCreatedOnlyWhenNeeded) {
  TWinControl top(nullptr);
  top.SetBounds(0, 0, 60, 40);
  TRecorder* child;
  Log log;
  child = new TRecorder(&top, log, "child");
  child->SetBounds(10, 5, 20, 10);
  child->SetParent(&top);
  child->Invalidate();  // nothing to invalidate yet; no window appears
  EXPECT_FALSE(top.HandleAllocated());
  EXPECT_FALSE(child->HandleAllocated());

  TBitmap image;
  top.RenderTo(image);  // painting needs no window either
  EXPECT_FALSE(child->HandleAllocated());
  EXPECT_EQ(child->paints, 1);

  top.Show();  // a top-level control gets its window when shown, and its children with it
  ASSERT_TRUE(top.HandleAllocated());
  ASSERT_TRUE(child->HandleAllocated());
  EXPECT_EQ(child->Widget()->parentWidget(), top.Widget());
  EXPECT_EQ(child->Widget()->geometry(), QRect(10, 5, 20, 10));
  EXPECT_EQ(top.Widget()->size(), QSize(60, 40));

  auto* late = new TWinControl(&top);
  EXPECT_FALSE(late->HandleAllocated());
  late->SetParent(&top);  // a parent with a window gives one at once
  EXPECT_TRUE(late->HandleAllocated());
  late->SetParent(nullptr);  // and leaving it takes it away
  EXPECT_FALSE(late->HandleAllocated());

  child->SetBounds(1, 2, 3, 4);
  EXPECT_EQ(child->Widget()->geometry(), QRect(1, 2, 3, 4));
  child->Hide();
  EXPECT_FALSE(child->Widget()->isVisible());
}

TEST(ControlTree, ClientToScreenWithoutAWindowUsesTheFormFrame) {
  TForm form(nullptr);
  form.SetBorderStyle(bsDialog);
  form.SetBounds(100, 50, 300, 200);
  TWinControl panel(nullptr);
  panel.SetBounds(10, 20, 50, 50);
  panel.SetParent(&form);
  TTestSquare square(nullptr);
  square.SetBounds(5, 6, 10, 10);
  square.SetParent(&panel);
  const TPoint screen = square.ClientToScreen({1, 1});
  EXPECT_EQ(screen,
            (TPoint{100 + kFixedBorderWidth + 10 + 5 + 1, 50 + kFixedBorderWidth + kCaptionHeight + 20 + 6 + 1}));
  EXPECT_EQ(square.ScreenToClient(screen), (TPoint{1, 1}));
  square.SetParent(nullptr);
  panel.SetParent(nullptr);
}

}  // namespace
}  // namespace tintoral::test
