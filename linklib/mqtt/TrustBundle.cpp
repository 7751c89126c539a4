#include "linklib/mqtt/TrustBundle.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace tintoral::mqtt {

std::string TrustFolder() {
  std::filesystem::path pki;
  if (const char* chosen = std::getenv("TINTORAL_OPCUA_PKI"); chosen && *chosen) {
    pki = chosen;
  } else {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    const char* home = std::getenv("HOME");
    pki = (cache && *cache) ? std::filesystem::path(cache) : std::filesystem::path(home ? home : "/") / ".cache";
    pki /= "tintoral/opcua-pki/client";
  }
  return (pki / "trusted" / "certs").string();
}

TrustBundle::TrustBundle() {
  const std::string folder = TrustFolder();
  std::string certificates;
  std::error_code problem;
  for (const auto& entry : std::filesystem::directory_iterator(folder, problem)) {
    const std::string extension = entry.path().extension().string();
    if (extension != ".pem" && extension != ".crt") continue;
    std::ifstream file(entry.path());
    certificates.append(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    certificates += "\n";
  }
  if (certificates.empty()) {
    problem_ = "no CA certificate in " + folder + ": put the broker's CA certificate (PEM) there";
    return;
  }
  std::string name = (std::filesystem::temp_directory_path() / "tintoral-mqtt-ca-XXXXXX").string();
  const int file = mkstemp(name.data());  // private to this user
  if (file < 0 || write(file, certificates.data(), certificates.size()) != static_cast<ssize_t>(certificates.size())) {
    problem_ = "the CA certificates could not be gathered in " + name;
  }
  if (file >= 0) close(file);
  path_ = name;
}

TrustBundle::~TrustBundle() {
  if (!path_.empty()) unlink(path_.c_str());
}

}  // namespace tintoral::mqtt
