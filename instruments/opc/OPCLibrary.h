#pragma once
// TiOPCLibrary: the data-link library, loaded by its name "iOPC.dll" and
// reached through the functions it exports (instruments/opc/LinkLibrary.h).
//
// On Linux the name maps to the file libiOPC.so, looked for beside the
// program first and then on the dynamic loader's usual path. Every function
// of the interface is looked up by name; a missing one stays empty. A
// library that is not there is an ordinary state (Available() is false);
// only the four call wrappers raise, with
//   "Vorlix OPC DLL Not Found."                        (no library)
//   "Function "<name>" not found in "iOPC.dll"."        (no such function)
// The optional status functions are reached through wrappers that answer
// "nothing known" when the library or the function is missing.
//
// Items of other protocols go to other link libraries of the same
// interface, chosen by the scheme of the item's server name (LinkLibraryFor):
//   "modbus-tcp://..."             libtintoralmodbus.so
//   "mqtt://...", "mqtts://..."    libtintoralmqtt.so
//   "opc.tcp://...", no scheme, or a scheme of none of these: "iOPC.dll"
// Each is loaded once, when the first item asks for it, and found as
// "iOPC.dll" is: beside the program first, then on the loader's path.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "instruments/opc/LinkLibrary.h"
#include "runtime/Exception.h"
#include "runtime/Variant.h"
#include "system/DynamicLibrary.h"

namespace tintoral {

// An error of a call wrapper.
class OPCLinkError : public Exception {
  using Exception::Exception;
};

// One server connection of the library, as its status functions report it.
struct TiServerConnection {
  std::string name;
  IOPCConnectionState state = IOPC_CONNECTION_UNKNOWN;
  std::int64_t sinceUnixMilliseconds = 0;
  std::string details;
};

// The file of that name in the running program's folder.
std::string PathBesideProgram(const std::string& fileName);

// The library's file name on this platform: "iOPC.dll" -> "libiOPC.so".
std::string PlatformLibraryFileName(const std::string& libraryName);

class TiOPCLibrary {
 public:
  static constexpr const char* kLibraryName = "iOPC.dll";

  // Loads "iOPC.dll" the platform's way (see above).
  TiOPCLibrary();
  // Loads exactly this file ("" loads nothing).
  explicit TiOPCLibrary(const std::string& filePath);
  // Loads the file of that name beside the program, else on the loader's path.
  static std::unique_ptr<TiOPCLibrary> Find(const std::string& fileName);
  TiOPCLibrary(const TiOPCLibrary&) = delete;
  TiOPCLibrary& operator=(const TiOPCLibrary&) = delete;

  bool Available() const { return library_.Loaded(); }
  // The library asked for: "iOPC.dll", a file name or the path given.
  const std::string& Name() const { return name_; }
  // The file that was loaded ("" when none).
  const std::string& FilePath() const { return filePath_; }
  // Why the file given to the constructor could not be loaded.
  const std::string& LoadError() const { return loadError_; }
  // The looked-up function of that name, nullptr when missing or unknown.
  void* Function(const std::string& name) const;

  // The called functions, each through its wrapper.
  std::int32_t SignalAdd(const std::string& computerName, const std::string& serverName, const std::string& itemName,
                         const std::string& groupName, std::int32_t updateRate, std::uint8_t propertyKind,
                         IOPCDataCallback callback, void* context) const;
  void SignalRemove(std::int32_t handle) const;
  bool SignalGetActive(std::int32_t handle) const;
  void SignalSendData(std::int32_t handle, const TVariant& value) const;

  // The optional status functions: "" / none without the library or the
  // function.
  std::string SignalGetStatus(std::int32_t handle) const;
  std::vector<TiServerConnection> ServerConnections() const;

 private:
  struct FindTag {};
  TiOPCLibrary(FindTag, const std::string& fileName);
  void LookUpFunctions();
  template <class F>
  F Require(const char* name) const;
  template <class F>
  F Optional(const char* name) const;

  DynamicLibrary library_;
  std::string name_;
  std::string filePath_;
  std::string loadError_;
  std::vector<std::pair<std::string, void*>> functions_;  // every name of the interface, in lookup order
};

// The process-wide library: loaded at its first use, freed when the program
// ends.
TiOPCLibrary& OPCLibrary();
bool OPCLibraryAvailable();

// Makes the process-wide library exactly this file (say a simulation link
// library) instead of "iOPC.dll", for the items of every scheme. Call it
// before the first OPCLibrary(); raises OPCLinkError when the library is
// already loaded, or when this file cannot be loaded (with the system's
// reason).
void UseOPCLibraryFile(const std::string& filePath);

// The file name of the link library for items of this server name (see
// above); "iOPC.dll" for the process-wide library.
std::string LinkLibraryNameFor(const std::string& serverName);

// The link library for items of this server name: the process-wide one, or
// the scheme's own library, loaded at this first use.
const TiOPCLibrary& LinkLibraryFor(const std::string& serverName);

// The process-wide library once loaded, then every library items asked for
// (also one that could not be loaded), in the order of their first use.
std::vector<const TiOPCLibrary*> LinkLibrariesInUse();

}  // namespace tintoral
