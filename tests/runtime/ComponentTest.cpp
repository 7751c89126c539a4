#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "runtime/Component.h"
#include "runtime/Exception.h"

namespace tintoral {
namespace {

// Records its destruction and every notification it receives into one log.
class TLoggingComponent : public TComponent {
 public:
  TLoggingComponent(TComponent* owner, std::string name, std::vector<std::string>& log) : TComponent(owner), log_(log) {
    SetName(name);
  }
  ~TLoggingComponent() override {
    Destroying();
    log_.push_back("destroy " + Name() + (IsDestroying() ? "" : " (not destroying)"));
  }

  TComponent* watched = nullptr;

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == watched) {
      log_.push_back(Name() + " forgets " + component->Name());
      watched = nullptr;
    }
  }

 private:
  std::vector<std::string>& log_;
};

TEST(Component, OwnerDestroysItsComponentsLastInsertedFirst) {
  std::vector<std::string> log;
  {
    TLoggingComponent owner(nullptr, "Owner", log);
    new TLoggingComponent(&owner, "A", log);
    auto* b = new TLoggingComponent(&owner, "B", log);
    new TLoggingComponent(b, "B1", log);
    new TLoggingComponent(&owner, "C", log);
    ASSERT_EQ(owner.ComponentCount(), 3);
    EXPECT_EQ(owner.Components(1), b);
    EXPECT_EQ(b->ComponentIndex(), 1);
    EXPECT_EQ(b->Owner(), &owner);
    EXPECT_THROW(owner.Components(3), ListIndexError);
  }
  EXPECT_EQ(log, (std::vector<std::string>{"destroy Owner", "destroy C", "destroy B", "destroy B1", "destroy A"}));
}

TEST(Component, DestroyedComponentLeavesItsOwnerAndSiblingsHearOfIt) {
  std::vector<std::string> log;
  TLoggingComponent owner(nullptr, "Owner", log);
  auto* a = new TLoggingComponent(&owner, "A", log);
  auto* b = new TLoggingComponent(&owner, "B", log);
  a->watched = b;
  delete b;
  EXPECT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(a->watched, nullptr);
  EXPECT_EQ(log, (std::vector<std::string>{"destroy B", "A forgets B"}));
  log.clear();
  owner.DestroyComponents();
  EXPECT_EQ(owner.ComponentCount(), 0);
  EXPECT_EQ(log, (std::vector<std::string>{"destroy A"}));
}

TEST(Component, FreeNotificationWorksBothWaysAcrossOwners) {
  std::vector<std::string> log;
  auto first = std::make_unique<TLoggingComponent>(nullptr, "First", log);
  auto second = std::make_unique<TLoggingComponent>(nullptr, "Second", log);
  auto third = std::make_unique<TLoggingComponent>(nullptr, "Third", log);
  first->watched = second.get();
  second->watched = first.get();
  third->watched = first.get();
  first->FreeNotification(second.get());
  first->FreeNotification(third.get());
  third->RemoveFreeNotification(first.get());  // third no longer hears of first
  second.reset();
  first.reset();
  EXPECT_EQ(log, (std::vector<std::string>{"destroy Second", "First forgets Second", "destroy First"}));
  EXPECT_NE(third->watched, nullptr);
}

TEST(Component, NamesMustBeIdentifiersAndUniqueUnderOneOwner) {
  TComponent owner(nullptr);
  auto* a = new TComponent(&owner);
  auto* b = new TComponent(&owner);
  a->SetName("Slider_1");
  EXPECT_THROW(b->SetName("slider_1"), InvalidOperation);
  EXPECT_THROW(b->SetName("1Slider"), InvalidOperation);
  EXPECT_THROW(b->SetName("Slider 2"), InvalidOperation);
  EXPECT_EQ(b->Name(), "");
  b->SetName("_x2");
  EXPECT_EQ(owner.FindComponent("SLIDER_1"), a);
  EXPECT_EQ(owner.FindComponent(""), nullptr);
  a->SetName("");  // an empty name is always allowed
  EXPECT_EQ(owner.FindComponent("Slider_1"), nullptr);

  TComponent stranger(nullptr);
  stranger.SetName("_X2");
  EXPECT_THROW(owner.InsertComponent(&stranger), InvalidOperation);
  EXPECT_EQ(stranger.Owner(), nullptr);
}

TEST(Component, InsertMovesOwnershipAndRemoveGivesItUp) {
  TComponent first(nullptr);
  TComponent second(nullptr);
  auto* child = new TComponent(&first);
  second.InsertComponent(child);
  EXPECT_EQ(first.ComponentCount(), 0);
  EXPECT_EQ(child->Owner(), &second);
  second.RemoveComponent(child);
  EXPECT_EQ(child->Owner(), nullptr);
  EXPECT_EQ(child->ComponentIndex(), -1);
  delete child;
  EXPECT_EQ(second.ComponentCount(), 0);
}

TEST(Component, StateFlagsFollowDesigningLoadingAndDestroying) {
  TComponent owner(nullptr);
  owner.SetDesigning(true);
  auto* child = new TComponent(&owner);
  EXPECT_TRUE(child->IsDesigning());  // inserted into a designing owner
  owner.SetDesigning(false);
  EXPECT_FALSE(child->IsDesigning());
  EXPECT_FALSE(child->IsLoading());
  owner.Destroying();
  EXPECT_TRUE(child->IsDestroying());
  child->SetTag(-7);
  EXPECT_EQ(child->Tag(), -7);
  EXPECT_EQ(child->ClassName(), "TComponent");
  EXPECT_TRUE(child->InheritsFrom(TPersistent::StaticClass()));
}

}  // namespace
}  // namespace tintoral
