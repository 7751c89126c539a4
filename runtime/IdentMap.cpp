#include "runtime/IdentMap.h"

#include <map>
#include <memory>
#include <mutex>

#include "runtime/Identifiers.h"

namespace tintoral {
namespace {

struct Mapping {
  TIntToIdent toIdent;
  TIdentToInt fromIdent;
};

struct Registry {
  std::mutex lock;
  std::map<std::string, Mapping, std::less<>> byType;  // keys in upper case
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

bool Find(std::string_view typeName, Mapping& mapping) {
  Registry& registry = TheRegistry();
  std::lock_guard guard(registry.lock);
  const auto it = registry.byType.find(UpperCase(typeName));
  if (it == registry.byType.end()) return false;
  mapping = it->second;
  return true;
}

}  // namespace

void RegisterIntegerIdents(const std::string& typeName, TIntToIdent toIdent, TIdentToInt fromIdent) {
  Registry& registry = TheRegistry();
  std::lock_guard guard(registry.lock);
  registry.byType[UpperCase(typeName)] = Mapping{std::move(toIdent), std::move(fromIdent)};
}

void RegisterIntegerIdents(const std::string& typeName, std::vector<std::pair<std::int32_t, std::string>> table) {
  auto shared = std::make_shared<const std::vector<std::pair<std::int32_t, std::string>>>(std::move(table));
  RegisterIntegerIdents(
      typeName,
      [shared](std::int32_t value, std::string& ident) {
        for (const auto& [v, name] : *shared) {
          if (v == value) {
            ident = name;
            return true;
          }
        }
        return false;
      },
      [shared](const std::string& ident, std::int32_t& value) {
        for (const auto& [v, name] : *shared) {
          if (SameText(name, ident)) {
            value = v;
            return true;
          }
        }
        return false;
      });
}

bool IntegerToIdent(std::string_view typeName, std::int32_t value, std::string& ident) {
  Mapping mapping;
  return Find(typeName, mapping) && mapping.toIdent && mapping.toIdent(value, ident);
}

bool IdentToInteger(std::string_view typeName, const std::string& ident, std::int32_t& value) {
  Mapping mapping;
  return Find(typeName, mapping) && mapping.fromIdent && mapping.fromIdent(ident, value);
}

}  // namespace tintoral
