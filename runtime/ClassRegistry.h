#pragma once
// The registry of component classes that form streams can create by name.
// Each program registers the classes its forms use (explicitly: a static
// library drops object files that nothing refers to, so registration by
// static initialisers is not relied on).
#include <concepts>
#include <functional>
#include <string_view>
#include <vector>

#include "runtime/ClassInfo.h"

namespace tintoral {

class TComponent;

// Makes a new component of one class with the given owner (may be nullptr).
using TComponentFactory = std::function<TComponent*(TComponent* owner)>;

// Registers a class under its name (letters compared without regard to
// case). Registering the same class again replaces its factory; another
// class with the same name raises InvalidOperation.
void RegisterComponentClass(const TClassInfo& info, TComponentFactory factory);
template <class T>
requires std::constructible_from<T, TComponent*>
void RegisterComponentClass() {
  RegisterComponentClass(T::StaticClass(), [](TComponent* owner) -> TComponent* { return new T(owner); });
}
void UnregisterComponentClass(const TClassInfo& info);

// Every registered class, ordered by name.
std::vector<const TClassInfo*> RegisteredComponentClasses();

// nullptr when no class of that name is registered.
const TClassInfo* FindComponentClass(std::string_view name);
// A new component of the named class; raises InvalidOperation
// "Class <name> not found" when it is not registered. The caller owns it
// when `owner` is nullptr.
TComponent* CreateComponent(std::string_view className, TComponent* owner);

}  // namespace tintoral
