#include "linklib/opcua/ItemMapping.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace tintoral::opcua {
namespace {

constexpr double kMillisecondsPerDay = 86400000.0;
constexpr double kDaysFrom1899To1970 = 25569.0;

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

bool IsHostChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '.' || c == '_'; }

// A host name or address: letters, digits, '-', '.', '_', or an IPv6
// address in brackets.
bool IsHostName(const std::string& host) {
  if (host.size() > 2 && host.front() == '[' && host.back() == ']')
    return std::all_of(host.begin() + 1, host.end() - 1,
                       [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) || c == ':' || c == '.'; });
  return !host.empty() && std::all_of(host.begin(), host.end(), IsHostChar);
}

// "host" or "host:port" with a port of 1 to 65535.
bool IsHostAndPort(const std::string& authority) {
  const std::size_t close = authority.rfind(']');
  const std::size_t colon = authority.rfind(':');
  if (colon == std::string::npos || (close != std::string::npos && colon < close)) return IsHostName(authority);
  const std::string port = authority.substr(colon + 1);
  if (port.empty() || port.size() > 5 ||
      !std::all_of(port.begin(), port.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
    return false;
  const int number = std::stoi(port);
  return number >= 1 && number <= 65535 && IsHostName(authority.substr(0, colon));
}

// Whether the name starts with a URL scheme ("http://").
bool HasScheme(const std::string& name) {
  const std::size_t end = name.find("://");
  if (end == std::string::npos || end == 0 || !std::isalpha(static_cast<unsigned char>(name[0]))) return false;
  return std::all_of(name.begin(), name.begin() + static_cast<std::ptrdiff_t>(end), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
  });
}

struct SubStatus {
  std::uint32_t code;  // the status code's upper 16 bits
  std::uint16_t quality;
};

constexpr SubStatus kSubStatuses[] = {
    {0x0096, 0xD8},  // GoodLocalOverride: local override
    {0x4090, 0x44},  // UncertainLastUsableValue
    {0x4093, 0x50},  // UncertainSensorNotAccurate
    {0x4094, 0x54},  // UncertainEngineeringUnitsExceeded
    {0x4095, 0x58},  // UncertainSubNormal
    {0x8089, 0x04},  // BadConfigurationError
    {0x8034, 0x04},  // BadNodeIdUnknown: a configuration error of the item
    {0x808A, 0x08},  // BadNotConnected
    {0x808B, 0x0C},  // BadDeviceFailure
    {0x808C, 0x10},  // BadSensorFailure
    {0x8031, 0x18},  // BadNoCommunication: communication failure
    {0x8005, 0x18},  // BadCommunicationError
    {0x808D, 0x1C},  // BadOutOfService
    {0x8032, 0x20},  // BadWaitingForInitialData
};

}  // namespace

std::optional<std::string> EndpointUrl(const std::string& computerName, const std::string& serverName) {
  const std::string server = Trimmed(serverName);
  if (server.size() >= 10 && EqualsIgnoringCase(server.substr(0, 10), "opc.tcp://")) {
    const std::size_t pathStart = std::min(server.find('/', 10), server.size());
    if (!IsHostAndPort(server.substr(10, pathStart - 10))) return std::nullopt;
    return server;
  }
  if (HasScheme(server)) return std::nullopt;
  std::string host = Trimmed(computerName);
  if (host.empty() || EqualsIgnoringCase(host, "Local")) host = "127.0.0.1";
  if (!IsHostName(host)) return std::nullopt;
  const std::string path = server.substr(std::min(server.find_first_not_of('/'), server.size()));
  return "opc.tcp://" + host + ":4840" + (path.empty() ? "" : "/" + path);
}

std::uint16_t ClassicQuality(std::uint32_t statusCode) {
  for (const SubStatus& sub : kSubStatuses)
    if (sub.code == statusCode >> 16) return sub.quality;
  switch (statusCode >> 30) {
    case 0: return 0xC0;
    case 1: return 0x40;
    default: return 0x00;
  }
}

std::uint64_t DateTimeStamp(double unixMilliseconds) {
  const double days = unixMilliseconds / kMillisecondsPerDay + kDaysFrom1899To1970;
  std::uint64_t stamp = 0;
  std::memcpy(&stamp, &days, sizeof stamp);
  return stamp;
}

double DateTimeOfStamp(std::uint64_t stamp) {
  double days = 0;
  std::memcpy(&days, &stamp, sizeof days);
  return days;
}

}  // namespace tintoral::opcua
