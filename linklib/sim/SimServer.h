#pragma once
// The simulated server behind the simulation link library: every link to the
// same server and item shares one value. A value written through one link
// reaches every link of that item, the writer's too (as a server reports
// the value written, which confirms the write and gives the writer's item
// its first value); an item that the simulation file
// gives a generator publishes its values while links to it are open. A new
// link receives the item's current value. Values are delivered on the
// server's own thread; after Remove returns, the link's callback is not
// called again.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "instruments/opc/LinkLibrary.h"
#include "linklib/LinkValue.h"
#include "linklib/sim/Generator.h"
#include "linklib/sim/SimFile.h"

namespace tintoral::sim {

using SimValue = linklib::LinkValue;

class SimServer {
 public:
  // `fileErrors`: the simulation file's mistakes (SimFile.h), reported by
  // SetupProblems.
  explicit SimServer(std::vector<SimItemSettings> items, std::vector<std::string> fileErrors = {});
  ~SimServer();
  SimServer(const SimServer&) = delete;
  SimServer& operator=(const SimServer&) = delete;

  std::int32_t Add(const std::string& server, const std::string& item, IOPCDataCallback callback, void* context);
  void Remove(std::int32_t handle);
  bool Active(std::int32_t handle);
  void Send(std::int32_t handle, const SimValue& value);
  std::string Status(std::int32_t handle);
  // The servers the links named, in order of their first link.
  std::vector<std::string> Servers();
  // For browsing: the servers the simulation file and the links name (not
  // the blank one), and the items of one server: those the file gives a
  // line for that server or every server, and those its links name.
  std::vector<std::string> KnownServers();
  std::vector<std::string> KnownItems(const std::string& server);
  // When the server started, in Unix milliseconds: its connections hold since.
  std::uint64_t StartedUnixMilliseconds() const { return startedUnix_; }
  // Reads this simulation file again whenever it changes (checked twice a
  // second): its lines replace the server's, their mistakes its file errors.
  void WatchFile(std::string path);
  // Takes these settings in place of the server's: an item whose line
  // changed starts again from the new line (a constant's value, a
  // generator's next value); an item left without a line keeps its value.
  void Reload(SimFileContents contents);
  // The file errors, then "FILE:LINE: warning: ..." for each line that
  // matches no item any link names (once links are open).
  std::vector<std::string> SetupProblems();

 private:
  using Key = std::pair<std::string, std::string>;  // server, item
  using Clock = std::chrono::steady_clock;
  struct Link {
    Key key;
    IOPCDataCallback callback;
    void* context;
  };
  struct Point {
    std::optional<SimValue> value;
    std::unique_ptr<Generator> generator;
    Clock::time_point nextDue;
    std::vector<std::int32_t> links;  // the handles of the links open to it
  };
  struct Delivery {
    Key key;
    SimValue value;
    std::int32_t only = 0;  // 0: every link of the key
  };

  Point& PointOf(const Key& key);  // under lock_
  static void ApplySettings(const SimItemSettings& settings, Point& point);
  const SimItemSettings* SettingsOf(const Key& key) const;
  void Run();
  Clock::time_point Generate(Clock::time_point now);  // under lock_
  void Deliver(const Delivery& delivery);
  void Queue(Delivery delivery);  // under lock_

  struct FileStamp {
    long long size = -1, seconds = 0, nanoseconds = 0;
    unsigned long inode = 0;
    bool operator==(const FileStamp&) const = default;
  };
  static FileStamp StampOf(const std::string& path);
  void CheckFile(Clock::time_point now);  // under lock_; unlocks while reading

  std::vector<SimItemSettings> items_;  // under lock_
  std::vector<std::string> fileErrors_;
  const Clock::time_point start_ = Clock::now();
  const std::uint64_t startedUnix_;

  std::mutex lock_;
  std::condition_variable changed_;
  std::map<std::int32_t, Link> links_;
  std::map<Key, Point> points_;
  std::deque<Delivery> deliveries_;
  std::vector<std::string> servers_;
  std::int32_t nextHandle_ = 1;
  Clock::time_point nextGeneration_;  // when Generate is next due; reset by new links and settings
  bool stopping_ = false;
  std::string watchedPath_;
  FileStamp watchedStamp_;
  Clock::time_point nextFileCheck_;

  std::mutex deliveryLock_;  // held while callbacks run
  std::thread worker_;
};

}  // namespace tintoral::sim
