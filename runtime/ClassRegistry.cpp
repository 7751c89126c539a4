#include "runtime/ClassRegistry.h"

#include <map>
#include <mutex>
#include <string>

#include "runtime/Exception.h"
#include "runtime/Identifiers.h"

namespace tintoral {
namespace {

struct Entry {
  const TClassInfo* info;
  TComponentFactory factory;
};

struct Registry {
  std::mutex lock;
  std::map<std::string, Entry, std::less<>> byName;  // keys in upper case
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

bool Lookup(std::string_view name, Entry& entry) {
  Registry& registry = TheRegistry();
  std::lock_guard guard(registry.lock);
  const auto it = registry.byName.find(UpperCase(name));
  if (it == registry.byName.end()) return false;
  entry = it->second;
  return true;
}

}  // namespace

void RegisterComponentClass(const TClassInfo& info, TComponentFactory factory) {
  Registry& registry = TheRegistry();
  std::lock_guard guard(registry.lock);
  Entry& entry = registry.byName[UpperCase(info.Name())];
  if (entry.info && entry.info != &info)
    throw InvalidOperation("A class named " + info.Name() + " is already registered");
  entry = Entry{&info, std::move(factory)};
}

void UnregisterComponentClass(const TClassInfo& info) {
  Registry& registry = TheRegistry();
  std::lock_guard guard(registry.lock);
  const auto it = registry.byName.find(UpperCase(info.Name()));
  if (it != registry.byName.end() && it->second.info == &info) registry.byName.erase(it);
}

const TClassInfo* FindComponentClass(std::string_view name) {
  Entry entry;
  return Lookup(name, entry) ? entry.info : nullptr;
}

TComponent* CreateComponent(std::string_view className, TComponent* owner) {
  Entry entry;
  if (!Lookup(className, entry)) throw InvalidOperation("Class " + std::string(className) + " not found");
  return entry.factory(owner);
}

}  // namespace tintoral
