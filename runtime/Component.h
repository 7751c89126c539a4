#pragma once
// TComponent: a named persistent object that can own other components.
// An owner frees its components when it is destroyed (the last inserted
// first); a component removes itself from its owner when it is destroyed.
// Components can ask to be told when another component goes away (free
// notification), and carry the loading / designing / destroying state that
// form streams and the window layer rely on.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/Persistent.h"

namespace tintoral {

enum TOperation : int { opInsert, opRemove };

// Flags of TComponent::ComponentState().
enum TComponentStateFlag : std::uint32_t {
  csLoading = 1u << 0,     // being read from a form stream; cleared by Loaded()
  csReading = 1u << 1,     // its own properties are being read
  csDestroying = 1u << 2,  // its destruction has begun
  csDesigning = 1u << 3,   // being edited in a designer
};
using TComponentState = std::uint32_t;

class TReader;

class TComponent : public TPersistent {
  TINTORAL_CLASS(TComponent, TPersistent)

 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;

  // Ownership.
  TComponent* Owner() const { return owner_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  // Raises ListIndexError outside 0 .. ComponentCount() - 1.
  TComponent* Components(int index) const;
  // Position in the owner's list, -1 without owner.
  int ComponentIndex() const;
  // The owned component with this name (letters compared without regard to
  // case), nullptr when there is none or the name is empty.
  TComponent* FindComponent(std::string_view name) const;
  template <class T>
  T* FindComponentAs(std::string_view name) const {
    return dynamic_cast<T*>(FindComponent(name));
  }
  // Takes ownership of a component that has no owner (its name must be free).
  void InsertComponent(TComponent* component);
  // Gives up ownership without destroying the component.
  void RemoveComponent(TComponent* component);
  // Destroys every owned component, the last inserted first.
  void DestroyComponents();

  // Name: empty or an identifier (letter or underscore, then letters, digits
  // and underscores), unique among the owner's components (case ignored).
  // Raises InvalidOperation otherwise.
  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  std::int32_t Tag() const { return tag_; }
  void SetTag(std::int32_t value) { tag_ = value; }

  TComponentState ComponentState() const { return state_; }
  bool IsLoading() const { return (state_ & csLoading) != 0; }
  bool IsDesigning() const { return (state_ & csDesigning) != 0; }
  bool IsDestroying() const { return (state_ & csDestroying) != 0; }
  // Sets or clears csDesigning on this component and everything it owns.
  void SetDesigning(bool designing);
  // Marks the component (and what it owns) as being destroyed. The destructor
  // calls it; a derived destructor may call it earlier.
  void Destroying();

  // Free notification: `component` is told through Notification(this,
  // opRemove) when this component is destroyed, and the other way round.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  // Form stream hooks. Loaded() is the after-load step: it runs once for
  // every component a stream read and clears csLoading; overrides call it.
  virtual void Loaded();
  // The component that contains this one on screen (a control's parent).
  // The base class has no parent; the window layer overrides these.
  virtual bool HasParent() const { return false; }
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void SetParentComponent(TComponent* parent);
  // Calls `proc` for each component that a form stream writes nested inside
  // this one. The base lists, for the root itself, the root's components that
  // have no parent.
  virtual void GetChildren(const std::function<void(TComponent*)>& proc, const TComponent* root) const;

 protected:
  // Told when a component is inserted into or removed from this one's list,
  // and when a component this one asked to watch is destroyed. The base
  // passes the news on to every owned component, so that siblings can drop
  // references to each other. Overrides call the base.
  virtual void Notification(TComponent* component, TOperation operation);

 private:
  friend class TReader;

  void Insert(TComponent* component);
  void Remove(TComponent* component);
  // Clears the field of this (root) class that points to the component.
  void ClearFieldReferringTo(TComponent* component);
  void SetState(TComponentState flags) { state_ |= flags; }
  void ClearState(TComponentState flags) { state_ &= ~flags; }

  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
  std::string name_;
  std::int32_t tag_ = 0;
  TComponentState state_ = 0;
};

}  // namespace tintoral
