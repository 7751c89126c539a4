// The test link library (see TestLinkControl.h): the four called functions
// of the link interface over a simulated server, and the control functions
// tests drive it with.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "linklib/StatusText.h"
#include "linklib/testlink/TestLinkControl.h"

#define TESTLINK_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

struct Link {
  std::string itemName;
  IOPCDataCallback callback = nullptr;
  void* context = nullptr;
  bool active = true;
  double lastFed = 0;
  std::string status;
};

struct Connection {
  std::string name;
  std::int32_t state = IOPC_CONNECTION_UNKNOWN;
  std::int64_t since = 0;
  std::string details;
};

// A value the feeder sends every time, owning its text.
struct FixedValue {
  IOPCVariant value{};
  std::string text;
};

using tintoral::linklib::CopyStatusText;

std::int64_t SteadyNanoseconds() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

std::string VariantText(const IOPCVariant& value) {
  switch (value.type) {
    case IOPC_VT_INT32: return "Int32 " + std::to_string(value.value.int32Value);
    case IOPC_VT_INT64: return "Int64 " + std::to_string(value.value.int64Value);
    case IOPC_VT_DOUBLE: {
      char text[64];
      std::snprintf(text, sizeof text, "Double %.17g", value.value.doubleValue);
      return text;
    }
    case IOPC_VT_BOOLEAN: return std::string("Boolean ") + (value.value.booleanValue ? "1" : "0");
    case IOPC_VT_TEXT: return "Text " + std::string(value.value.text.bytes, value.value.text.length);
    default: return "Empty";
  }
}

// The simulated server: its links, the calls it received, a server thread
// for single values and a feeder thread for fast streams.
class Server {
 public:
  ~Server() {
    StopFeed();
    {
      std::lock_guard<std::mutex> guard(jobsLock_);
      stopping_ = true;
    }
    jobsChanged_.notify_all();
    if (serverThread_.joinable()) serverThread_.join();
  }

  std::int32_t Add(const std::string& call, const std::string& itemName, IOPCDataCallback callback, void* context) {
    std::lock_guard<std::mutex> guard(lock_);
    calls_.push_back(call);
    const std::int32_t handle = nextHandle_++;
    links_[handle] = Link{itemName, callback, context, true, 0, {}};
    return handle;
  }

  void Remove(std::int32_t handle) {
    std::lock_guard<std::mutex> guard(lock_);
    calls_.push_back("SignalRemove " + std::to_string(handle));
    links_.erase(handle);
  }

  bool Active(std::int32_t handle) {
    std::lock_guard<std::mutex> guard(lock_);
    const auto link = links_.find(handle);
    return link != links_.end() && link->second.active;
  }

  void Record(std::string call) {
    std::lock_guard<std::mutex> guard(lock_);
    calls_.push_back(std::move(call));
  }

  void Reset() {
    StopFeed();
    std::lock_guard<std::mutex> guard(lock_);
    links_.clear();
    calls_.clear();
    connections_.clear();
    nextHandle_ = 1;
  }

  void SetStatus(std::int32_t handle, const std::string& status) {
    std::lock_guard<std::mutex> guard(lock_);
    if (const auto link = links_.find(handle); link != links_.end()) link->second.status = status;
  }

  std::string Status(std::int32_t handle) {
    std::lock_guard<std::mutex> guard(lock_);
    const auto link = links_.find(handle);
    return link == links_.end() ? std::string() : link->second.status;
  }

  void SetConnection(Connection connection) {
    std::lock_guard<std::mutex> guard(lock_);
    for (Connection& known : connections_)
      if (known.name == connection.name) {
        known = std::move(connection);
        return;
      }
    connections_.push_back(std::move(connection));
  }

  std::int32_t ConnectionCount() {
    std::lock_guard<std::mutex> guard(lock_);
    return static_cast<std::int32_t>(connections_.size());
  }

  Connection ConnectionAt(std::int32_t index) {
    std::lock_guard<std::mutex> guard(lock_);
    return index >= 0 && index < static_cast<std::int32_t>(connections_.size())
               ? connections_[static_cast<std::size_t>(index)]
               : Connection{};
  }

  std::int32_t CallCount() {
    std::lock_guard<std::mutex> guard(lock_);
    return static_cast<std::int32_t>(calls_.size());
  }

  std::string Call(std::int32_t index) {
    std::lock_guard<std::mutex> guard(lock_);
    return index >= 0 && index < static_cast<std::int32_t>(calls_.size()) ? calls_[static_cast<std::size_t>(index)]
                                                                          : std::string();
  }

  std::int32_t HandleOf(const std::string& itemName) {
    std::lock_guard<std::mutex> guard(lock_);
    std::int32_t found = 0;
    for (const auto& [handle, link] : links_)
      if (link.itemName == itemName) found = handle;
    return found;
  }

  void SetActive(std::int32_t handle, bool active) {
    std::lock_guard<std::mutex> guard(lock_);
    if (const auto link = links_.find(handle); link != links_.end()) link->second.active = active;
  }

  double LastFed(std::int32_t handle) {
    std::lock_guard<std::mutex> guard(lock_);
    const auto link = links_.find(handle);
    return link == links_.end() ? 0 : link->second.lastFed;
  }

  // Runs on the server thread and waits for it.
  std::int64_t Serve(std::int32_t handle, const IOPCVariant& value, std::uint16_t quality, std::uint64_t timestamp) {
    std::int64_t entered = 0;
    RunOnServerThread([&] {
      IOPCDataCallback callback = nullptr;
      void* context = nullptr;
      if (!Target(handle, callback, context)) return;
      entered = SteadyNanoseconds();
      callback(context, &value, quality, timestamp);
    });
    return entered;
  }

  void StartFeed(std::vector<std::int32_t> handles, std::int32_t valuesPerSecond, std::uint16_t quality,
                 std::shared_ptr<const FixedValue> fixed = nullptr, std::int64_t total = 0) {
    StopFeed();
    feeding_ = true;
    fed_ = 0;
    feeder_ = std::thread([this, handles = std::move(handles), valuesPerSecond, quality, fixed, total] {
      Feed(handles, valuesPerSecond, quality, fixed.get(), total);
    });
  }

  std::int64_t StopFeed() {
    feeding_ = false;
    return WaitFeed();
  }

  std::int64_t WaitFeed() {
    if (feeder_.joinable()) feeder_.join();
    return fed_;
  }

 private:
  // The link's callback, copied so that it is called without the lock.
  bool Target(std::int32_t handle, IOPCDataCallback& callback, void*& context) {
    std::lock_guard<std::mutex> guard(lock_);
    const auto link = links_.find(handle);
    if (link == links_.end()) return false;
    callback = link->second.callback;
    context = link->second.context;
    return callback != nullptr;
  }

  void Feed(const std::vector<std::int32_t>& handles, std::int32_t valuesPerSecond, std::uint16_t quality,
            const FixedValue* fixed, std::int64_t total) {
    if (handles.empty()) return;
    const auto start = std::chrono::steady_clock::now();
    for (std::int64_t n = 1; feeding_ && (total <= 0 || n <= total); ++n) {
      if (valuesPerSecond > 0)
        std::this_thread::sleep_until(start + std::chrono::nanoseconds(n * 1000000000LL / valuesPerSecond));
      const std::int32_t handle = handles[static_cast<std::size_t>(n - 1) % handles.size()];
      IOPCDataCallback callback = nullptr;
      void* context = nullptr;
      if (!Target(handle, callback, context)) continue;
      IOPCVariant value{};
      value.type = IOPC_VT_DOUBLE;
      value.value.doubleValue = static_cast<double>(n);
      callback(context, fixed ? &fixed->value : &value, quality, static_cast<std::uint64_t>(n));
      {
        std::lock_guard<std::mutex> guard(lock_);
        if (const auto link = links_.find(handle); link != links_.end()) link->second.lastFed = static_cast<double>(n);
      }
      fed_ = n;
    }
  }

  void RunOnServerThread(std::function<void()> job) {
    bool done = false;
    std::unique_lock<std::mutex> guard(jobsLock_);
    if (!serverThread_.joinable()) serverThread_ = std::thread([this] { ServeJobs(); });
    jobs_.push_back([&] {
      job();
      std::lock_guard<std::mutex> finished(jobsLock_);
      done = true;
    });
    jobsChanged_.notify_all();
    jobsChanged_.wait(guard, [&] { return done; });
  }

  void ServeJobs() {
    std::unique_lock<std::mutex> guard(jobsLock_);
    for (;;) {
      jobsChanged_.wait(guard, [&] { return stopping_ || !jobs_.empty(); });
      if (stopping_) return;
      std::function<void()> job = std::move(jobs_.front());
      jobs_.pop_front();
      guard.unlock();
      job();
      guard.lock();
      jobsChanged_.notify_all();
    }
  }

  std::mutex lock_;
  std::map<std::int32_t, Link> links_;
  std::vector<std::string> calls_;
  std::vector<Connection> connections_;
  std::int32_t nextHandle_ = 1;

  std::atomic<bool> feeding_{false};
  std::atomic<std::int64_t> fed_{0};
  std::thread feeder_;

  std::mutex jobsLock_;
  std::condition_variable jobsChanged_;
  std::deque<std::function<void()>> jobs_;
  bool stopping_ = false;
  std::thread serverThread_;
};

Server& TheServer() {
  static Server server;
  return server;
}

std::string Text(const char* text) { return text ? text : ""; }

}  // namespace

// ---- The link interface ------------------------------------------------------------

TESTLINK_EXPORT std::int32_t IOPC_CALL SignalAdd(const char* computerName, const char* serverName, const char* itemName,
                                                 const char* groupName, std::int32_t updateRate, std::uint8_t reserved,
                                                 std::uint8_t propertyKind, IOPCDataCallback callback, void* context) {
  const std::string call = "SignalAdd " + Text(computerName) + "|" + Text(serverName) + "|" + Text(itemName) + "|" +
                           Text(groupName) + "|" + std::to_string(updateRate) + "|" + std::to_string(reserved) + "|" +
                           std::to_string(propertyKind);
  return TheServer().Add(call, Text(itemName), callback, context);
}

TESTLINK_EXPORT std::int32_t IOPC_CALL SignalRemove(std::int32_t handle) {
  TheServer().Remove(handle);
  return 0;
}

TESTLINK_EXPORT std::int32_t IOPC_CALL SignalGetActive(std::int32_t handle) { return TheServer().Active(handle); }

TESTLINK_EXPORT void IOPC_CALL SignalSendData(std::int32_t handle, const IOPCVariant* value) {
  TheServer().Record("SignalSendData " + std::to_string(handle) + " " + (value ? VariantText(*value) : "null"));
}

// ---- Status ------------------------------------------------------------------------------

TESTLINK_EXPORT std::int32_t IOPC_CALL SignalGetStatus(std::int32_t handle, char* buffer, std::int32_t size) {
  return CopyStatusText(TheServer().Status(handle), buffer, size);
}

TESTLINK_EXPORT std::int32_t IOPC_CALL ServerConnectionGetCount() { return TheServer().ConnectionCount(); }

TESTLINK_EXPORT std::int32_t IOPC_CALL ServerConnectionGetName(std::int32_t index, char* buffer, std::int32_t size) {
  return CopyStatusText(TheServer().ConnectionAt(index).name, buffer, size);
}

TESTLINK_EXPORT std::int32_t IOPC_CALL ServerConnectionGetState(std::int32_t index, std::int64_t* since, char* buffer,
                                                                std::int32_t size) {
  const Connection connection = TheServer().ConnectionAt(index);
  if (since) *since = connection.since;
  CopyStatusText(connection.details, buffer, size);
  return connection.state;
}

// ---- Control ---------------------------------------------------------------------------

TESTLINK_EXPORT void TestLinkReset() { TheServer().Reset(); }

TESTLINK_EXPORT std::int32_t TestLinkCallCount() { return TheServer().CallCount(); }

TESTLINK_EXPORT void TestLinkCall(std::int32_t index, char* buffer, std::int32_t size) {
  CopyStatusText(TheServer().Call(index), buffer, size);
}

TESTLINK_EXPORT std::int32_t TestLinkHandleOf(const char* itemName) { return TheServer().HandleOf(Text(itemName)); }

TESTLINK_EXPORT void TestLinkSetActive(std::int32_t handle, std::int32_t active) {
  TheServer().SetActive(handle, active != 0);
}

TESTLINK_EXPORT std::int64_t TestLinkServe(std::int32_t handle, const IOPCVariant* value, std::uint16_t quality,
                                           std::uint64_t timestamp) {
  const IOPCVariant empty{};
  return TheServer().Serve(handle, value ? *value : empty, quality, timestamp);
}

TESTLINK_EXPORT void TestLinkStartFeed(const std::int32_t* handles, std::int32_t count, std::int32_t valuesPerSecond,
                                       std::uint16_t quality) {
  TheServer().StartFeed(std::vector<std::int32_t>(handles, handles + std::max(0, count)), valuesPerSecond, quality);
}

TESTLINK_EXPORT std::int64_t TestLinkStopFeed() { return TheServer().StopFeed(); }

TESTLINK_EXPORT double TestLinkLastFed(std::int32_t handle) { return TheServer().LastFed(handle); }

TESTLINK_EXPORT void TestLinkStartCountedFeed(const std::int32_t* handles, std::int32_t count,
                                              std::int32_t valuesPerSecond, std::uint16_t quality,
                                              const IOPCVariant* value, std::int64_t total) {
  std::shared_ptr<FixedValue> fixed;
  if (value) {
    fixed = std::make_shared<FixedValue>();
    fixed->value = *value;
    if (value->type == IOPC_VT_TEXT) {
      fixed->text.assign(value->value.text.bytes, value->value.text.length);
      fixed->value.value.text.bytes = fixed->text.data();
    }
  }
  TheServer().StartFeed(std::vector<std::int32_t>(handles, handles + std::max(0, count)), valuesPerSecond, quality,
                        fixed, total);
}

TESTLINK_EXPORT std::int64_t TestLinkWaitFeed() { return TheServer().WaitFeed(); }

TESTLINK_EXPORT void TestLinkSetStatus(std::int32_t handle, const char* status) {
  TheServer().SetStatus(handle, Text(status));
}

TESTLINK_EXPORT void TestLinkSetConnection(const char* name, std::int32_t state, std::int64_t since,
                                           const char* details) {
  TheServer().SetConnection(Connection{Text(name), state, since, Text(details)});
}
