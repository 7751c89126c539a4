#pragma once
// The private credentials file of the link libraries: the JSON file named by
// TINTORAL_OPCUA_CREDENTIALS, one entry per server name as the items give it
// and an optional "*" entry for all others (linklib/opcua/README.md). It is
// read at each connection attempt; a file that its group or other users may
// access refuses every connection.
#include <optional>
#include <string>

namespace tintoral::linklib {

struct Credentials {
  std::string userName, password;
  std::string clientCertificate, clientKey;  // PEM files, for TLS
};

// The entry for `serverName` (empty credentials without a file or an
// entry); nullopt with `refusal` saying why when the file cannot be used.
std::optional<Credentials> ReadCredentials(const std::string& serverName, std::string& refusal);

}  // namespace tintoral::linklib
