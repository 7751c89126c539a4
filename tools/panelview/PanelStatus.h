#pragma once
// The status of a live panel: each server connection of the link
// library (connected, lost since hh:mm:ss, refused, connecting) and each
// item that is not well (inactive, bad quality, values dropped, a refused
// write or a value not taken).
#include <cstdint>
#include <string>
#include <vector>

namespace tintoral {

class TComponent;
class TiOPCLibrary;

// One line per connection and per item that is not well ("all items well"
// when none is). Items are those of the instruments among `root` and the
// components it owns, at any depth. Times are shown in local time.
std::vector<std::string> PanelStatusLines(const TComponent& root, const TiOPCLibrary& library);
// The connections of every library, in order; a library that could not be
// loaded is named, unless none could.
std::vector<std::string> PanelStatusLines(const TComponent& root, const std::vector<const TiOPCLibrary*>& libraries);
// The lines in one, separated by " | ".
std::string PanelStatusText(const TComponent& root, const TiOPCLibrary& library);
std::string PanelStatusText(const TComponent& root, const std::vector<const TiOPCLibrary*>& libraries);

// "FILE:LINE: ..." for each item that should have connected as the form was
// read but that the link library took no link for (it returned no handle):
// its server name is in no form the library accepts. `path` is the form's
// file. None for an item whose library is not there.
std::vector<std::string> UnlinkedItemReports(const TComponent& root, const std::string& path);

// The link library's set-up problems (LinkGetSetupProblems), one a line;
// none when the library has no such function.
std::vector<std::string> LinkSetupProblems(const TiOPCLibrary& library);
// Whether a "FILE:LINE: warning: ..." line is a warning, not an error.
bool IsWarning(const std::string& line);

// "hh:mm:ss" of a Unix time in milliseconds, in local time.
std::string LocalClockTime(std::int64_t unixMilliseconds);

}  // namespace tintoral
