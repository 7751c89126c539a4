#pragma once
// Form files hold Windows-1252 text: a value typed in UTF-8 that has a
// character outside that code page cannot be stored.
#include <optional>
#include <string>
#include <string_view>

namespace tintoral {

// Why the UTF-8 text cannot be a form value ("'✓' (U+2713) is not a
// Windows-1252 character: form files hold only Windows-1252 text"), or
// nothing when it can.
std::optional<std::string> FormStringProblem(std::string_view utf8);

}  // namespace tintoral
