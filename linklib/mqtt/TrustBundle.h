#pragma once
// The CA certificates an mqtts:// connection trusts: every PEM file (.pem,
// .crt) in the trust folder the OPC UA link uses, $TINTORAL_OPCUA_PKI/
// trusted/certs ($XDG_CACHE_HOME/tintoral/opcua-pki/client by default),
// gathered into one private file for the TLS library while the bundle
// lives.
#include <string>

namespace tintoral::mqtt {

std::string TrustFolder();

class TrustBundle {
 public:
  TrustBundle();
  ~TrustBundle();
  TrustBundle(const TrustBundle&) = delete;
  TrustBundle& operator=(const TrustBundle&) = delete;

  bool Ready() const { return problem_.empty(); }
  const std::string& Problem() const { return problem_; }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  std::string problem_;
};

}  // namespace tintoral::mqtt
