#pragma once
// The status line of a live panel: each server connection of the link
// library (connected, lost since hh:mm:ss, refused, connecting) and each
// item that is not well (inactive, bad quality, values dropped, a refused
// write or a value not taken).
#include <cstdint>
#include <string>
#include <vector>

namespace tintoral {

class TComponent;
class TiOPCLibrary;

// Items are those of the instruments among `root` and the components it
// owns, at any depth. Times are shown in local time.
std::string PanelStatusText(const TComponent& root, const TiOPCLibrary& library);
// The connections of every library, in order; a library that could not be
// loaded is named, unless none could.
std::string PanelStatusText(const TComponent& root, const std::vector<const TiOPCLibrary*>& libraries);

// "hh:mm:ss" of a Unix time in milliseconds, in local time.
std::string LocalClockTime(std::int64_t unixMilliseconds);

}  // namespace tintoral
