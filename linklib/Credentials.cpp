#include "linklib/Credentials.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "linklib/Json.h"

namespace tintoral::linklib {
namespace {

std::string Text(const JsonValue& entry, const char* key) {
  const JsonValue* value = entry.Member(key);
  return value && value->kind == JsonValue::Kind::String ? value->text : "";
}

}  // namespace

std::optional<Credentials> ReadCredentials(const std::string& serverName, std::string& refusal) {
  const char* path = std::getenv("TINTORAL_OPCUA_CREDENTIALS");
  if (!path || !*path) return Credentials{};
  struct stat status {};
  if (stat(path, &status) != 0) {
    refusal = std::string("the credentials file ") + path + " cannot be read";
    return std::nullopt;
  }
  if ((status.st_mode & 077) != 0) {
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(status.st_mode & 07777));
    refusal = std::string("the credentials file ") + path + " is open to other users (mode " + mode +
              "): make it private with chmod 600";
    return std::nullopt;
  }
  std::ifstream file(path);
  const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::string error;
  const std::optional<JsonValue> document = ParseJson(text, error);
  if (!document || document->kind != JsonValue::Kind::Object) {
    refusal = std::string("the credentials file ") + path + " is not a JSON object" + (document ? "" : ": " + error);
    return std::nullopt;
  }
  const JsonValue* entry = document->Member(serverName);
  if (!entry) entry = document->Member("*");
  if (!entry) return Credentials{};
  return Credentials{Text(*entry, "userName"), Text(*entry, "password"), Text(*entry, "clientCertificate"),
                     Text(*entry, "clientKey")};
}

}  // namespace tintoral::linklib
