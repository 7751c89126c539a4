#pragma once
// Identifiers of named integer types: a stream writes a property of such a
// type (its TypeName, e.g. "TColor") as an identifier when the value has one
// ("clRed"), and reads the identifier back. The layer that defines the type
// registers its mapping; the runtime knows none itself.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tintoral {

using TIntToIdent = std::function<bool(std::int32_t value, std::string& ident)>;
using TIdentToInt = std::function<bool(const std::string& ident, std::int32_t& value)>;

// Registers (or replaces) the mapping of a named integer type.
void RegisterIntegerIdents(const std::string& typeName, TIntToIdent toIdent, TIdentToInt fromIdent);
// A mapping given as a table of values and names (names compared without
// regard to case when read).
void RegisterIntegerIdents(const std::string& typeName, std::vector<std::pair<std::int32_t, std::string>> table);

// False when the type has no mapping or the value / identifier has none.
bool IntegerToIdent(std::string_view typeName, std::int32_t value, std::string& ident);
bool IdentToInteger(std::string_view typeName, const std::string& ident, std::int32_t& value);

}  // namespace tintoral
