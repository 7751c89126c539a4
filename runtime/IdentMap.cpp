#include "runtime/IdentMap.h"

#include <memory>

#include "runtime/Identifiers.h"
#include "runtime/NameRegistry.h"

namespace tintoral {
namespace {

struct Mapping {
  TIntToIdent toIdent;
  TIdentToInt fromIdent;
};

TNameRegistry<Mapping>& Mappings() {
  static TNameRegistry<Mapping> mappings;
  return mappings;
}

}  // namespace

void RegisterIntegerIdents(const std::string& typeName, TIntToIdent toIdent, TIdentToInt fromIdent) {
  Mappings().Update(typeName, [&](Mapping& mapping) { mapping = Mapping{std::move(toIdent), std::move(fromIdent)}; });
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
  return Mappings().Find(typeName, mapping) && mapping.toIdent && mapping.toIdent(value, ident);
}

bool IdentToInteger(std::string_view typeName, const std::string& ident, std::int32_t& value) {
  Mapping mapping;
  return Mappings().Find(typeName, mapping) && mapping.fromIdent && mapping.fromIdent(ident, value);
}

}  // namespace tintoral
