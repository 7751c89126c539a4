#pragma once
// The OPC UA link: the items the data link opened, and the helper process
// that serves them. The helper starts with the first item and stops when
// the last one is removed or the link is destroyed; when it dies, every
// item turns inactive with a bad quality and a new helper takes the items
// over after a short pause. A helper found stopped (SIGSTOP) for a second
// is ended and replaced the same way. Calls only queue work for the link's threads:
// a worker thread starts and stops the helper, writes its commands and
// hands refused writes their server value back, a reader thread turns the
// helper's lines into data callbacks, item problems and server states.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "instruments/opc/LinkLibrary.h"
#include "linklib/opcua/HelperProcess.h"
#include "linklib/opcua/LinkProtocol.h"
#include "linklib/opcua/ServerConnections.h"
#include "linklib/opcua/WriteOrder.h"

namespace tintoral::opcua {

// The command line of the helper process.
struct HelperCommand {
  std::string node;                      // the Node.js program
  std::vector<std::string> nodeOptions;  // before the script
  std::string script;                    // the helper script
};

// From TINTORAL_NODE (default "node") and TINTORAL_OPCUA_HELPER (default
// opcua-helper/opcua-helper.mjs beside this library where it is installed,
// else the script in the source tree this library was built from), with
// the options that keep the helper's memory small: a 1 MiB young
// generation (the helper's objects are short-lived and few) and V8's
// memory-saving mode, about 85-100 MiB resident instead of 125-130.
HelperCommand DefaultHelperCommand();

class OpcUaLink {
 public:
  explicit OpcUaLink(HelperCommand command);
  ~OpcUaLink();
  OpcUaLink(const OpcUaLink&) = delete;
  OpcUaLink& operator=(const OpcUaLink&) = delete;

  // The item's handle; 0, and no link, when its server can be reached in no
  // form (EndpointUrl).
  std::int32_t Add(const std::string& computerName, const std::string& serverName, const std::string& itemName,
                   const std::string& groupName, std::int32_t updateRate, IOPCDataCallback callback, void* context);
  void Remove(std::int32_t handle);
  bool Active(std::int32_t handle);
  // Writes the value; an inactive item refuses it at once, with its status
  // saying so and its last value delivered again.
  void Send(std::int32_t handle, const IOPCVariant& value);

  // What is wrong with the item (Windows-1252), "" when nothing is: its own
  // problem (a refused write, an unknown node), else its server's.
  std::string Status(std::int32_t handle) const;
  // Handles one line from the helper (without its line feed) as the reader
  // thread does; public for the fuzz target that feeds it arbitrary lines.
  void HandleLine(std::string_view line);

  // The servers the items use, in the order they were first named.
  std::size_t ConnectionCount() const;
  // False for an index out of range.
  bool Connection(std::size_t index, ServerConnection& connection) const;

 private:
  struct Item {
    std::vector<std::string> addCommand;
    std::string url;
    IOPCDataCallback callback = nullptr;
    void* context = nullptr;
    bool active = false;
    bool hasLast = false;
    ReceivedValue last;
    std::uint32_t lastStatusCode = 0;
    double lastUnixMilliseconds = 0;
    std::string problem;    // Windows-1252
    WriteOrder writeOrder;  // values sampled before a write are not delivered after it
  };
  using Clock = std::chrono::steady_clock;

  void Queue(std::vector<std::string> fields);
  void Run();
  bool HasWork() const;
  void StartHelper(std::unique_lock<std::mutex>& guard);
  void EndHelper(std::unique_lock<std::mutex>& guard, int graceMilliseconds);
  void WriteQueued(std::unique_lock<std::mutex>& guard);
  void ReportHelperLost(std::unique_lock<std::mutex>& guard, const char* why);
  bool HelperStoppedTooLong();
  void FailQueuedWrites();
  void RedeliverRefused(std::unique_lock<std::mutex>& guard);

  void Read(HelperProcess& helper);
  void Dispatch(const std::vector<std::string>& fields);
  void DeliverValue(std::int32_t handle, std::uint32_t statusCode, double unixMilliseconds, const WireValue& value);
  void DeliverStatus(std::int32_t handle, std::uint32_t statusCode);
  void DeliverLastAgain(std::int32_t handle);
  void SetProblem(std::int32_t handle, const std::string& utf8Text);
  void UpdateConnection(const std::vector<std::string>& fields);
  void Call(const Item& item, const ReceivedValue& value, std::uint32_t statusCode, double unixMilliseconds);

  const HelperCommand command_;
  mutable std::mutex lock_;
  std::condition_variable wake_;
  std::map<std::int32_t, Item> items_;
  std::int32_t nextHandle_ = 1;
  std::deque<std::string> outbox_;
  std::vector<std::int32_t> refusedWrites_;  // items whose last value goes back to them
  ServerConnections connections_;
  bool stopping_ = false;
  bool helperEnded_ = false;
  Clock::time_point restartAt_{};
  int restartDelayMilliseconds_ = 0;
  Clock::time_point stoppedSince_{};       // when the helper was first found stopped; epoch while it runs
  std::unique_ptr<HelperProcess> helper_;  // touched by the worker thread only
  std::thread worker_;
  std::thread reader_;
};

}  // namespace tintoral::opcua
