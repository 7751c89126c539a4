#include "instruments/opc/OPCLibrary.h"

#include <unistd.h>

#include <atomic>
#include <cctype>
#include <climits>
#include <cstring>
#include <memory>
#include <mutex>

#include "instruments/opc/LinkVariant.h"

namespace tintoral {
namespace {

// A text a status function writes into a buffer it is given: asked again
// with a larger buffer when the first one was too small.
template <class Fill>
std::string StatusText(Fill fill) {
  std::vector<char> buffer(256);
  for (int attempt = 0; attempt < 2; ++attempt) {
    buffer[0] = '\0';
    const std::int32_t length = fill(buffer.data(), static_cast<std::int32_t>(buffer.size()));
    if (length < 0) return {};
    if (static_cast<std::size_t>(length) < buffer.size()) break;
    buffer.assign(static_cast<std::size_t>(length) + 1, '\0');
  }
  buffer.back() = '\0';
  return buffer.data();
}

}  // namespace

std::string PathBesideProgram(const std::string& fileName) {
  char path[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return fileName;
  const std::string program(path, static_cast<std::size_t>(length));
  return program.substr(0, program.rfind('/') + 1) + fileName;
}

std::string PlatformLibraryFileName(const std::string& libraryName) {
  std::string base = libraryName;
  const std::size_t dot = base.rfind('.');
  if (dot != std::string::npos && dot > 0) base.resize(dot);
  return "lib" + base + ".so";
}

TiOPCLibrary::TiOPCLibrary() : TiOPCLibrary(FindTag{}, PlatformLibraryFileName(kLibraryName)) { name_ = kLibraryName; }

TiOPCLibrary::TiOPCLibrary(FindTag, const std::string& fileName) : name_(fileName) {
  const std::string beside = PathBesideProgram(fileName);
  if (access(beside.c_str(), F_OK) == 0) library_ = DynamicLibrary(beside);
  filePath_ = beside;
  if (!library_.Loaded()) {
    library_ = DynamicLibrary(fileName);
    filePath_ = fileName;
  }
  loadError_ = library_.LoadError();
  if (!library_.Loaded()) filePath_.clear();
  LookUpFunctions();
}

std::unique_ptr<TiOPCLibrary> TiOPCLibrary::Find(const std::string& fileName) {
  return std::unique_ptr<TiOPCLibrary>(new TiOPCLibrary(FindTag{}, fileName));
}

TiOPCLibrary::TiOPCLibrary(const std::string& filePath) : name_(filePath) {
  if (!filePath.empty()) library_ = DynamicLibrary(filePath);
  loadError_ = library_.LoadError();
  if (library_.Loaded()) filePath_ = filePath;
  LookUpFunctions();
}

void TiOPCLibrary::LookUpFunctions() {
  if (!library_.Loaded()) return;
#define TINTORAL_LOOK_UP(name) functions_.emplace_back(#name, library_.Symbol(#name));
  IOPC_FUNCTION_NAMES(TINTORAL_LOOK_UP)
#undef TINTORAL_LOOK_UP
}

void* TiOPCLibrary::Function(const std::string& name) const {
  for (const auto& [functionName, address] : functions_)
    if (functionName == name) return address;
  return nullptr;
}

template <class F>
F TiOPCLibrary::Require(const char* name) const {
  if (!Available()) throw OPCLinkError("Vorlix OPC DLL Not Found.");
  void* address = Function(name);
  if (address == nullptr)
    throw OPCLinkError(std::string("Function \"") + name + "\" not found in \"" + kLibraryName + "\".");
  return reinterpret_cast<F>(address);
}

std::int32_t TiOPCLibrary::SignalAdd(const std::string& computerName, const std::string& serverName,
                                     const std::string& itemName, const std::string& groupName, std::int32_t updateRate,
                                     std::uint8_t propertyKind, IOPCDataCallback callback, void* context) const {
  const auto add = Require<IOPCSignalAdd>("SignalAdd");
  return add(computerName.c_str(), serverName.c_str(), itemName.c_str(), groupName.c_str(), updateRate, 0, propertyKind,
             callback, context);
}

void TiOPCLibrary::SignalRemove(std::int32_t handle) const { Require<IOPCSignalRemove>("SignalRemove")(handle); }

bool TiOPCLibrary::SignalGetActive(std::int32_t handle) const {
  return Require<IOPCSignalGetActive>("SignalGetActive")(handle) != 0;
}

void TiOPCLibrary::SignalSendData(std::int32_t handle, const TVariant& value) const {
  const auto send = Require<IOPCSignalSendData>("SignalSendData");
  const TLinkVariant linkValue(value);
  send(handle, &linkValue.Value());
}

template <class F>
F TiOPCLibrary::Optional(const char* name) const {
  return reinterpret_cast<F>(Function(name));
}

std::string TiOPCLibrary::SignalGetStatus(std::int32_t handle) const {
  const auto status = Optional<IOPCSignalGetStatus>("SignalGetStatus");
  if (!status) return {};
  return StatusText([&](char* buffer, std::int32_t size) { return status(handle, buffer, size); });
}

std::vector<TiServerConnection> TiOPCLibrary::ServerConnections() const {
  const auto count = Optional<IOPCServerConnectionGetCount>("ServerConnectionGetCount");
  const auto name = Optional<IOPCServerConnectionGetName>("ServerConnectionGetName");
  const auto state = Optional<IOPCServerConnectionGetState>("ServerConnectionGetState");
  std::vector<TiServerConnection> connections;
  if (!count || !name) return connections;
  for (std::int32_t i = 0, n = count(); i < n; ++i) {
    TiServerConnection connection;
    connection.name = StatusText([&](char* buffer, std::int32_t size) { return name(i, buffer, size); });
    if (state) {
      std::int32_t code = IOPC_CONNECTION_UNKNOWN;
      connection.details = StatusText([&](char* buffer, std::int32_t size) {
        code = state(i, &connection.sinceUnixMilliseconds, buffer, size);
        return static_cast<std::int32_t>(std::strlen(buffer));
      });
      if (code >= IOPC_CONNECTION_UNKNOWN && code <= IOPC_CONNECTION_REFUSED)
        connection.state = static_cast<IOPCConnectionState>(code);
    }
    connections.push_back(std::move(connection));
  }
  return connections;
}

namespace {

// The library UseOPCLibraryFile chose, until OPCLibrary() takes it over.
std::unique_ptr<TiOPCLibrary>& ChosenLibrary() {
  static std::unique_ptr<TiOPCLibrary> chosen;
  return chosen;
}

std::atomic<bool> libraryInUse{false};
std::atomic<bool> libraryChosen{false};

// The libraries of other schemes, loaded at their first use and kept until
// the program ends.
struct TSchemeLibraries {
  std::mutex lock;
  std::vector<std::unique_ptr<TiOPCLibrary>> loaded;  // in the order of first use
};

TSchemeLibraries& SchemeLibraries() {
  static TSchemeLibraries libraries;
  return libraries;
}

// The scheme of a server name in lower case ("modbus-tcp" of
// "Modbus-TCP://plc:502/1"), "" when it has none.
std::string SchemeOf(const std::string& serverName) {
  const std::size_t end = serverName.find("://");
  if (end == std::string::npos || end == 0) return {};
  std::string scheme;
  for (char c : serverName.substr(0, end)) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.') return {};
    scheme += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return scheme;
}

}  // namespace

TiOPCLibrary& OPCLibrary() {
  static const std::unique_ptr<TiOPCLibrary> library = [] {
    libraryInUse = true;
    std::unique_ptr<TiOPCLibrary>& chosen = ChosenLibrary();
    return chosen ? std::move(chosen) : std::make_unique<TiOPCLibrary>();
  }();
  return *library;
}

void UseOPCLibraryFile(const std::string& filePath) {
  if (libraryInUse) throw OPCLinkError("The link library is already loaded from \"" + OPCLibrary().FilePath() + "\".");
  auto library = std::make_unique<TiOPCLibrary>(filePath);
  if (!library->Available())
    throw OPCLinkError("Cannot load the link library \"" + filePath + "\": " + library->LoadError());
  ChosenLibrary() = std::move(library);
  libraryChosen = true;
}

bool OPCLibraryAvailable() { return OPCLibrary().Available(); }

std::string LinkLibraryNameFor(const std::string& serverName) {
  const std::string scheme = SchemeOf(serverName);
  if (scheme == "modbus-tcp") return "libtintoralmodbus.so";
  if (scheme == "mqtt" || scheme == "mqtts") return "libtintoralmqtt.so";
  return TiOPCLibrary::kLibraryName;
}

const TiOPCLibrary& LinkLibraryFor(const std::string& serverName) {
  const std::string name = LinkLibraryNameFor(serverName);
  if (libraryChosen || name == TiOPCLibrary::kLibraryName) return OPCLibrary();
  TSchemeLibraries& libraries = SchemeLibraries();
  const std::lock_guard<std::mutex> hold(libraries.lock);
  for (const auto& library : libraries.loaded)
    if (library->Name() == name) return *library;
  libraries.loaded.push_back(TiOPCLibrary::Find(name));
  return *libraries.loaded.back();
}

std::vector<const TiOPCLibrary*> LinkLibrariesInUse() {
  std::vector<const TiOPCLibrary*> inUse;
  if (libraryInUse) inUse.push_back(&OPCLibrary());
  TSchemeLibraries& libraries = SchemeLibraries();
  const std::lock_guard<std::mutex> hold(libraries.lock);
  for (const auto& library : libraries.loaded) inUse.push_back(library.get());
  return inUse;
}

}  // namespace tintoral
