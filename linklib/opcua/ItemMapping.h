#pragma once
// How the data link's item settings and values map to OPC UA (README.md).
#include <cstdint>
#include <optional>
#include <string>

namespace tintoral::opcua {

// The endpoint URL of an item's server: ServerName itself when it is an
// "opc.tcp://" URL, otherwise ServerName as a path on port 4840 of
// ComputerName, where "Local" (any letter case) or blank is 127.0.0.1.
// Nothing for a server the link cannot reach in any form: a URL of another
// scheme ("http://plant"), an "opc.tcp://" URL without a host or with a
// port that is not 1 to 65535, a ComputerName that is no host name.
std::optional<std::string> EndpointUrl(const std::string& computerName, const std::string& serverName);

// The classic quality word of an OPC UA status code: good 0xC0, uncertain
// 0x40, bad 0x00, with the sub-status where one corresponds.
std::uint16_t ClassicQuality(std::uint32_t statusCode);

// A time in milliseconds since 1970 (UTC) as the link's timestamp: the bits
// of a date-time double, days since 30 December 1899.
std::uint64_t DateTimeStamp(double unixMilliseconds);
double DateTimeOfStamp(std::uint64_t stamp);

}  // namespace tintoral::opcua
