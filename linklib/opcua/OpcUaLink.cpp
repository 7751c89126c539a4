#include "linklib/opcua/OpcUaLink.h"

#include <dlfcn.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "linklib/opcua/ItemMapping.h"
#include "runtime/Windows1252.h"

namespace tintoral::opcua {
namespace {

constexpr int kFirstRestartDelayMilliseconds = 500;
constexpr int kLongestRestartDelayMilliseconds = 5000;
constexpr int kStopGraceMilliseconds = 2000;
constexpr std::chrono::milliseconds kStoppedCheckInterval{500};
constexpr std::chrono::milliseconds kLongestStop{1000};
constexpr std::uint32_t kBadNoCommunication = 0x80310000;
constexpr const char* kNotConnected = "write failed: not connected";

std::int64_t NowUnixMilliseconds() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

template <class T>
bool ParseField(const std::string& text, T& number) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  return error == std::errc() && end == text.data() + text.size();
}

std::string EnvironmentOr(const char* name, const std::string& fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : fallback;
}

// The helper installed in opcua-helper/ beside this library, else the one in
// the source tree the library was built from.
std::string BuiltInHelperScript() {
  Dl_info self{};
  if (dladdr(reinterpret_cast<void*>(&DefaultHelperCommand), &self) != 0 && self.dli_fname != nullptr) {
    const std::filesystem::path installed =
        std::filesystem::path(self.dli_fname).parent_path() / "opcua-helper" / "opcua-helper.mjs";
    std::error_code error;
    if (std::filesystem::is_regular_file(installed, error)) return installed.string();
  }
  return TINTORAL_OPCUA_HELPER_SCRIPT;
}

}  // namespace

HelperCommand DefaultHelperCommand() {
  return {EnvironmentOr("TINTORAL_NODE", "node"),
          {"--max-semi-space-size=1", "--optimize-for-size"},
          EnvironmentOr("TINTORAL_OPCUA_HELPER", BuiltInHelperScript())};
}

OpcUaLink::OpcUaLink(HelperCommand command) : command_(std::move(command)) {}

OpcUaLink::~OpcUaLink() {
  {
    std::lock_guard<std::mutex> guard(lock_);
    stopping_ = true;
  }
  wake_.notify_all();
  if (worker_.joinable()) worker_.join();
}

// ---- Calls from the data link ----------------------------------------------------------

std::int32_t OpcUaLink::Add(const std::string& computerName, const std::string& serverName, const std::string& itemName,
                            const std::string& groupName, std::int32_t updateRate, IOPCDataCallback callback,
                            void* context) {
  std::optional<std::string> url = EndpointUrl(computerName, serverName);
  if (!url) return 0;  // no link: the data link reports the item's server name
  std::lock_guard<std::mutex> guard(lock_);
  const std::int32_t handle = nextHandle_++;
  Item& item = items_[handle];
  item.url = std::move(*url);
  item.addCommand = {
      "add", std::to_string(handle), item.url, groupName, std::to_string(updateRate < 0 ? 0 : updateRate), itemName};
  connections_.Use(item.url, NowUnixMilliseconds());
  item.callback = callback;
  item.context = context;
  outbox_.push_back(JoinLine(item.addCommand));
  if (!worker_.joinable()) worker_ = std::thread([this] { Run(); });
  wake_.notify_all();
  return handle;
}

void OpcUaLink::Remove(std::int32_t handle) {
  std::lock_guard<std::mutex> guard(lock_);
  const auto item = items_.find(handle);
  if (item == items_.end()) return;
  connections_.Release(item->second.url);
  items_.erase(item);
  outbox_.push_back(JoinLine({"remove", std::to_string(handle)}));
  wake_.notify_all();
}

bool OpcUaLink::Active(std::int32_t handle) {
  std::lock_guard<std::mutex> guard(lock_);
  const auto item = items_.find(handle);
  return item != items_.end() && item->second.active;
}

void OpcUaLink::Send(std::int32_t handle, const IOPCVariant& value) {
  const WireValue wire = ToWire(value);
  std::lock_guard<std::mutex> guard(lock_);
  const auto item = items_.find(handle);
  if (item == items_.end()) return;
  if (item->second.active) {
    outbox_.push_back(JoinLine({"write", std::to_string(handle), wire.type, wire.text}));
    item->second.writeOrder.Written(static_cast<double>(NowUnixMilliseconds()));
  } else {
    item->second.problem = kNotConnected;
    refusedWrites_.push_back(handle);
  }
  wake_.notify_all();
}

std::string OpcUaLink::Status(std::int32_t handle) const {
  std::lock_guard<std::mutex> guard(lock_);
  const auto item = items_.find(handle);
  if (item == items_.end()) return "";
  return item->second.problem.empty() ? connections_.ProblemOf(item->second.url) : item->second.problem;
}

std::size_t OpcUaLink::ConnectionCount() const {
  std::lock_guard<std::mutex> guard(lock_);
  return connections_.Count();
}

bool OpcUaLink::Connection(std::size_t index, ServerConnection& connection) const {
  std::lock_guard<std::mutex> guard(lock_);
  const ServerConnection* found = connections_.At(index);
  if (found != nullptr) connection = *found;
  return found != nullptr;
}

// ---- The worker thread ---------------------------------------------------------------------

bool OpcUaLink::HasWork() const {
  if (stopping_ || helperEnded_ || !refusedWrites_.empty()) return true;
  if (helper_) return items_.empty() || !outbox_.empty();
  return !items_.empty() && Clock::now() >= restartAt_;
}

void OpcUaLink::Run() {
  std::unique_lock<std::mutex> guard(lock_);
  for (;;) {
    if (!helper_ && !items_.empty()) wake_.wait_until(guard, restartAt_, [this] { return HasWork(); });
    else if (helper_) wake_.wait_for(guard, kStoppedCheckInterval, [this] { return HasWork(); });
    else wake_.wait(guard, [this] { return HasWork(); });
    if (stopping_) break;
    if (helperEnded_) {
      EndHelper(guard, kStopGraceMilliseconds);
      ReportHelperLost(guard, "the helper process ended");
    } else if (helper_ && HelperStoppedTooLong()) {
      EndHelper(guard, 0);
      ReportHelperLost(guard, "the helper process was stopped; a new one is started");
    } else if (helper_ && items_.empty()) {
      EndHelper(guard, kStopGraceMilliseconds);
    } else if (!helper_ && !items_.empty() && Clock::now() >= restartAt_) {
      StartHelper(guard);
    }
    WriteQueued(guard);
    RedeliverRefused(guard);
  }
  EndHelper(guard, kStopGraceMilliseconds);
}

bool OpcUaLink::HelperStoppedTooLong() {
  if (!helper_->Stopped()) {
    stoppedSince_ = Clock::time_point();
    return false;
  }
  const Clock::time_point now = Clock::now();
  if (stoppedSince_ == Clock::time_point()) stoppedSince_ = now;
  return now - stoppedSince_ >= kLongestStop;
}

void OpcUaLink::StartHelper(std::unique_lock<std::mutex>& guard) {
  // A new helper gets every item from the start; what was queued for the
  // previous one is obsolete.
  FailQueuedWrites();
  for (const auto& [handle, item] : items_) outbox_.push_back(JoinLine(item.addCommand));
  guard.unlock();
  auto helper = std::make_unique<HelperProcess>();
  std::string error;
  std::vector<std::string> arguments = command_.nodeOptions;
  arguments.push_back(command_.script);
  const bool started = helper->Start(command_.node, arguments, error);
  guard.lock();
  if (!started) {
    std::fprintf(stderr, "OPC UA link: %s\n", error.c_str());
    helperEnded_ = true;
    return;
  }
  helper_ = std::move(helper);
  reader_ = std::thread([this, helper = helper_.get()] { Read(*helper); });
}

void OpcUaLink::EndHelper(std::unique_lock<std::mutex>& guard, int graceMilliseconds) {
  stoppedSince_ = Clock::time_point();
  if (helper_) {
    guard.unlock();
    helper_->Stop(graceMilliseconds);
    if (reader_.joinable()) reader_.join();
    helper_->Close();
    guard.lock();
    helper_.reset();
  }
  helperEnded_ = false;
}

void OpcUaLink::WriteQueued(std::unique_lock<std::mutex>& guard) {
  if (!helper_) {
    FailQueuedWrites();  // a new helper gets every item when it starts
    return;
  }
  std::string text;
  for (const std::string& line : outbox_) text += line;
  outbox_.clear();
  if (text.empty()) return;
  guard.unlock();
  helper_->Write(text);  // a helper that no longer reads ends, and the reader reports it
  guard.lock();
}

// Drops the queued commands; the writes among them fail visibly.
void OpcUaLink::FailQueuedWrites() {
  for (const std::string& line : outbox_) {
    const std::vector<std::string> fields = SplitLine(std::string_view(line).substr(0, line.size() - 1));
    std::int32_t handle = 0;
    if (fields[0] != "write" || fields.size() < 2 || !ParseField(fields[1], handle)) continue;
    if (const auto item = items_.find(handle); item != items_.end()) {
      item->second.problem = kNotConnected;
      refusedWrites_.push_back(handle);
    }
  }
  outbox_.clear();
}

// Every item turns inactive with a bad quality; a new helper follows after
// a pause that grows while helpers keep failing.
void OpcUaLink::ReportHelperLost(std::unique_lock<std::mutex>& guard, const char* why) {
  restartDelayMilliseconds_ = std::min(kLongestRestartDelayMilliseconds,
                                       std::max(kFirstRestartDelayMilliseconds, restartDelayMilliseconds_ * 2));
  restartAt_ = Clock::now() + std::chrono::milliseconds(restartDelayMilliseconds_);
  std::vector<std::int32_t> handles;
  for (auto& [handle, item] : items_) {
    item.active = false;
    handles.push_back(handle);
  }
  connections_.LoseAll(why, NowUnixMilliseconds());
  guard.unlock();
  for (const std::int32_t handle : handles) DeliverStatus(handle, kBadNoCommunication);
  guard.lock();
}

// The instrument of a write that was refused here shows what it sent: its
// last value from the server puts it right.
void OpcUaLink::RedeliverRefused(std::unique_lock<std::mutex>& guard) {
  std::vector<std::int32_t> handles;
  handles.swap(refusedWrites_);
  guard.unlock();
  for (const std::int32_t handle : handles) DeliverLastAgain(handle);
  guard.lock();
}

// ---- The reader thread -----------------------------------------------------------------

void OpcUaLink::Read(HelperProcess& helper) {
  std::string line;
  while (helper.ReadLine(line)) HandleLine(line);
  std::lock_guard<std::mutex> guard(lock_);
  helperEnded_ = true;
  wake_.notify_all();
}

void OpcUaLink::HandleLine(std::string_view line) { Dispatch(SplitLine(line)); }

void OpcUaLink::Dispatch(const std::vector<std::string>& fields) {
  const std::string& kind = fields[0];
  std::int32_t handle = 0;
  if (kind == "ready") {
    std::lock_guard<std::mutex> guard(lock_);
    restartDelayMilliseconds_ = 0;
  } else if (kind == "value" && fields.size() == 6 && ParseField(fields[1], handle)) {
    std::uint32_t statusCode = 0;
    double milliseconds = 0;
    if (ParseField(fields[2], statusCode) && ParseField(fields[3], milliseconds))
      DeliverValue(handle, statusCode, milliseconds, WireValue{fields[4], fields[5]});
  } else if (kind == "status" && fields.size() == 3 && ParseField(fields[1], handle)) {
    std::uint32_t statusCode = 0;
    if (ParseField(fields[2], statusCode)) DeliverStatus(handle, statusCode);
  } else if (kind == "active" && fields.size() == 3 && ParseField(fields[1], handle)) {
    std::lock_guard<std::mutex> guard(lock_);
    if (const auto item = items_.find(handle); item != items_.end()) {
      item->second.active = fields[2] == "1";
      item->second.writeOrder.Forget();
    }
  } else if (kind == "problem" && fields.size() == 3 && ParseField(fields[1], handle)) {
    SetProblem(handle, fields[2]);
  } else if (kind == "server" && fields.size() == 5) {
    UpdateConnection(fields);
  }
}

void OpcUaLink::SetProblem(std::int32_t handle, const std::string& utf8Text) {
  std::lock_guard<std::mutex> guard(lock_);
  if (const auto item = items_.find(handle); item != items_.end()) {
    item->second.problem = Utf8ToWindows1252(utf8Text);
    if (!utf8Text.empty()) item->second.writeOrder.Forget();
  }
}

// `server URL STATE SINCE TEXT`
void OpcUaLink::UpdateConnection(const std::vector<std::string>& fields) {
  std::int64_t since = 0;
  if (!ParseField(fields[3], since)) return;
  std::lock_guard<std::mutex> guard(lock_);
  connections_.Update(fields[1], fields[2], since, Utf8ToWindows1252(fields[4]));
}

void OpcUaLink::DeliverValue(std::int32_t handle, std::uint32_t statusCode, double unixMilliseconds,
                             const WireValue& value) {
  Item copy;
  {
    std::lock_guard<std::mutex> guard(lock_);
    const auto item = items_.find(handle);
    if (item == items_.end()) return;
    item->second.last = ReceivedValue(value);
    item->second.hasLast = true;
    item->second.lastStatusCode = statusCode;
    item->second.lastUnixMilliseconds = unixMilliseconds;
    // Kept as the server's last word, but a value from before the user's
    // write would undo it: the write's own value follows.
    if (item->second.writeOrder.SampledBeforeWrite(unixMilliseconds, static_cast<double>(NowUnixMilliseconds())))
      return;
    copy.callback = item->second.callback;
    copy.context = item->second.context;
    copy.last = item->second.last;
  }
  Call(copy, copy.last, statusCode, unixMilliseconds);
}

// A new status without a new value: the last value comes again with it.
void OpcUaLink::DeliverStatus(std::int32_t handle, std::uint32_t statusCode) {
  Item copy;
  {
    std::lock_guard<std::mutex> guard(lock_);
    const auto item = items_.find(handle);
    if (item == items_.end()) return;
    item->second.lastStatusCode = statusCode;
    copy.callback = item->second.callback;
    copy.context = item->second.context;
    copy.last = item->second.last;
  }
  Call(copy, copy.last, statusCode, static_cast<double>(NowUnixMilliseconds()));
}

// The last value as it came, when there was one.
void OpcUaLink::DeliverLastAgain(std::int32_t handle) {
  Item copy;
  {
    std::lock_guard<std::mutex> guard(lock_);
    const auto item = items_.find(handle);
    if (item == items_.end() || !item->second.hasLast) return;
    copy = item->second;
  }
  Call(copy, copy.last, copy.lastStatusCode, copy.lastUnixMilliseconds);
}

// Called without the lock: the data link may call back into the library.
void OpcUaLink::Call(const Item& item, const ReceivedValue& value, std::uint32_t statusCode, double unixMilliseconds) {
  if (item.callback == nullptr) return;
  item.callback(item.context, &value.Value(), ClassicQuality(statusCode), DateTimeStamp(unixMilliseconds));
}

}  // namespace tintoral::opcua
