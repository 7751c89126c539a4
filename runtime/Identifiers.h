#pragma once
// Identifier helpers shared by components, the property registry and form
// streams. Names are ASCII; letters compare without regard to case.
#include <string>
#include <string_view>

namespace tintoral {

// A letter or underscore, then letters, digits and underscores.
bool IsValidIdent(std::string_view name);
// Equal when the ASCII letters are taken without regard to case.
bool SameText(std::string_view a, std::string_view b);
std::string UpperCase(std::string_view text);

}  // namespace tintoral
