#include "runtime/ClassRegistry.h"

#include <string>

#include "runtime/Exception.h"
#include "runtime/NameRegistry.h"

namespace tintoral {
namespace {

struct Entry {
  const TClassInfo* info = nullptr;
  TComponentFactory factory;
};

TNameRegistry<Entry>& Registry() {
  static TNameRegistry<Entry> registry;
  return registry;
}

}  // namespace

void RegisterComponentClass(const TClassInfo& info, TComponentFactory factory) {
  Registry().Update(info.Name(), [&](Entry& entry) {
    if (entry.info && entry.info != &info)
      throw InvalidOperation("A class named " + info.Name() + " is already registered");
    entry = Entry{&info, std::move(factory)};
  });
}

void UnregisterComponentClass(const TClassInfo& info) {
  Registry().EraseIf(info.Name(), [&](const Entry& entry) { return entry.info == &info; });
}

std::vector<const TClassInfo*> RegisteredComponentClasses() {
  std::vector<const TClassInfo*> classes;
  for (const Entry& entry : Registry().Values())
    if (entry.info) classes.push_back(entry.info);
  return classes;
}

const TClassInfo* FindComponentClass(std::string_view name) {
  Entry entry;
  return Registry().Find(name, entry) ? entry.info : nullptr;
}

TComponent* CreateComponent(std::string_view className, TComponent* owner) {
  Entry entry;
  if (!Registry().Find(className, entry)) throw InvalidOperation("Class " + std::string(className) + " not found");
  return entry.factory(owner);
}

}  // namespace tintoral
