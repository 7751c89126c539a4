#pragma once
// The one table that maps Windows face names to fonts installed on Linux.
// Each Windows name lists its stand-ins in order of preference; the first
// installed one is used. Lookups ignore case, as Windows face names do.
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tintoral {

struct FontSubstitute {
  std::string_view windowsName;
  std::vector<std::string_view> candidates;  // Linux families, best first
};

// Used when a name is neither installed nor in the table, and when none of a
// name's candidates is installed.
constexpr std::string_view kFallbackFontFamily = "Liberation Sans";

std::span<const FontSubstitute> FontSubstitutionTable();

// The installed family (UTF-8) to draw `windowsName` (UTF-8) with. A name
// that is installed itself and not in the table is used as it is.
std::string SubstituteFontFamily(std::string_view windowsName,
                                 const std::function<bool(std::string_view family)>& isInstalled);

// The same for a Windows-1252 name against the fonts Qt's font database
// knows (needs the GUI application).
std::string SubstituteFontFamily(std::string_view windowsName);

}  // namespace tintoral
