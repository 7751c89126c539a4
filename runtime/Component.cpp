#include "runtime/Component.h"

#include <algorithm>

#include "runtime/ClassBuilder.h"
#include "runtime/Exception.h"
#include "runtime/Identifiers.h"

namespace tintoral {
namespace {

bool Contains(const std::vector<TComponent*>& list, const TComponent* item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

void Erase(std::vector<TComponent*>& list, const TComponent* item) {
  list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

}  // namespace

const TClassInfo& TComponent::StaticClass() {
  static const TClassInfo info = DescribeClass<TComponent>("TComponent", TPersistent::StaticClass(), [](auto& b) {
    b.Property("Name", &TComponent::Name, &TComponent::SetName).Stored(false);
    b.Property("Tag", &TComponent::Tag, &TComponent::SetTag).Default(0);
  });
  return info;
}

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  while (!freeNotifies_.empty()) {
    TComponent* watcher = freeNotifies_.back();
    freeNotifies_.pop_back();
    Erase(watcher->freeNotifies_, this);
    watcher->Notification(this, opRemove);
  }
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount())
    throw ListIndexError("List index out of bounds (" + std::to_string(index) + ")");
  return components_[static_cast<std::size_t>(index)];
}

int TComponent::ComponentIndex() const {
  if (!owner_) return -1;
  const auto& siblings = owner_->components_;
  return static_cast<int>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TComponent* component : components_)
    if (SameText(component->name_, name)) return component;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
  if (!component || component->owner_ == this) return;
  if (TComponent* clash = FindComponent(component->name_))
    throw InvalidOperation("A component named " + clash->name_ + " already exists");
  if (component->owner_) component->owner_->RemoveComponent(component);
  Insert(component);
  if (IsDesigning()) component->SetDesigning(true);
  Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  if (!component || component->owner_ != this) return;
  Notification(component, opRemove);
  ClearFieldReferringTo(component);
  Remove(component);
}

void TComponent::ClearFieldReferringTo(TComponent* component) {
  const TFieldInfo* field = ClassType().FindField(component->Name());
  if (field && field->Holds(*this, component)) field->Assign(*this, nullptr);
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* last = components_.back();
    RemoveComponent(last);
    delete last;
  }
}

void TComponent::Insert(TComponent* component) {
  components_.push_back(component);
  component->owner_ = this;
}

void TComponent::Remove(TComponent* component) {
  Erase(components_, component);
  component->owner_ = nullptr;
}

void TComponent::SetName(const std::string& name) {
  if (name == name_) return;
  if (!name.empty() && !IsValidIdent(name)) throw InvalidOperation("'" + name + "' is not a valid component name");
  if (owner_) {
    TComponent* clash = owner_->FindComponent(name);
    if (clash && clash != this) throw InvalidOperation("A component named " + name + " already exists");
  }
  name_ = name;
}

void TComponent::SetDesigning(bool designing) {
  if (designing) SetState(csDesigning);
  else ClearState(csDesigning);
  for (TComponent* component : components_) component->SetDesigning(designing);
}

void TComponent::Destroying() {
  if (IsDestroying()) return;
  SetState(csDestroying);
  for (TComponent* component : components_) component->Destroying();
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  // Components of one owner hear about each other through the owner.
  if (owner_ && component->owner_ == owner_) return;
  if (!Contains(freeNotifies_, component)) freeNotifies_.push_back(component);
  if (!Contains(component->freeNotifies_, this)) component->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (!component) return;
  Erase(freeNotifies_, component);
  Erase(component->freeNotifies_, this);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove) RemoveFreeNotification(component);
  // A handler may change the list: re-check the bound on every step.
  for (std::size_t i = 0; i < components_.size(); ++i) components_[i]->Notification(component, operation);
}

void TComponent::Loaded() { ClearState(csLoading); }

void TComponent::SetParentComponent(TComponent*) {}

void TComponent::GetChildren(const std::function<void(TComponent*)>& proc, const TComponent* root) const {
  if (root != this) return;
  for (TComponent* component : components_)
    if (!component->HasParent()) proc(component);
}

}  // namespace tintoral
