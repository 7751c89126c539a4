#include "linklib/sim/SimServer.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <set>

namespace tintoral::sim {
namespace {

constexpr std::uint16_t kGoodQuality = 0xC0;
constexpr std::chrono::milliseconds kFileCheckInterval{500};

std::uint64_t UnixMilliseconds() {
  return static_cast<std::uint64_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
          .count());
}

std::chrono::steady_clock::duration Seconds(double seconds) {
  return std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(seconds));
}

}  // namespace

SimServer::SimServer(std::vector<SimItemSettings> items, std::vector<std::string> fileErrors)
    : items_(std::move(items)),
      fileErrors_(std::move(fileErrors)),
      startedUnix_(UnixMilliseconds()),
      worker_([this] { Run(); }) {}

SimServer::~SimServer() {
  {
    std::lock_guard guard(lock_);
    stopping_ = true;
  }
  changed_.notify_all();
  worker_.join();
}

std::int32_t SimServer::Add(const std::string& server, const std::string& item, IOPCDataCallback callback,
                            void* context) {
  std::lock_guard guard(lock_);
  const std::int32_t handle = nextHandle_++;
  const Key key(server, item);
  links_[handle] = Link{key, callback, context};
  if (std::find(servers_.begin(), servers_.end(), server) == servers_.end()) servers_.push_back(server);
  Point& point = PointOf(key);
  point.links.push_back(handle);
  if (point.value) Queue({key, *point.value, handle});
  nextGeneration_ = Clock::time_point();
  changed_.notify_all();
  return handle;
}

void SimServer::Remove(std::int32_t handle) {
  {
    std::lock_guard guard(lock_);
    const auto link = links_.find(handle);
    if (link == links_.end()) return;
    std::vector<std::int32_t>& pointLinks = points_.at(link->second.key).links;
    pointLinks.erase(std::find(pointLinks.begin(), pointLinks.end(), handle));
    links_.erase(link);
  }
  // Waits for a delivery under way, unless this is one of its callbacks.
  if (std::this_thread::get_id() != worker_.get_id()) std::lock_guard wait(deliveryLock_);
}

bool SimServer::Active(std::int32_t handle) {
  std::lock_guard guard(lock_);
  return links_.count(handle) != 0;
}

void SimServer::Send(std::int32_t handle, const SimValue& value) {
  std::lock_guard guard(lock_);
  const auto link = links_.find(handle);
  if (link == links_.end()) return;
  PointOf(link->second.key).value = value;
  Queue({link->second.key, value, 0});
}

std::string SimServer::Status(std::int32_t) { return ""; }

void SimServer::WatchFile(std::string path) {
  std::lock_guard guard(lock_);
  watchedStamp_ = StampOf(path);
  watchedPath_ = std::move(path);
  nextFileCheck_ = Clock::now() + kFileCheckInterval;
}

void SimServer::Reload(SimFileContents contents) {
  std::lock_guard guard(lock_);
  std::vector<SimItemSettings> before = std::move(items_);
  items_ = std::move(contents.items);
  fileErrors_ = std::move(contents.errors);
  for (auto& [key, point] : points_) {
    const SimItemSettings* now = SettingsOf(key);
    if (!now) {
      point.generator.reset();
      continue;
    }
    const auto same = [&](const SimItemSettings& old) {
      return old.item == now->item && old.anyServer == now->anyServer && old.server == now->server &&
             old.generator == now->generator;
    };
    if (std::any_of(before.begin(), before.end(), same)) continue;
    Point fresh;
    ApplySettings(*now, fresh);
    point.generator = std::move(fresh.generator);
    point.nextDue = Clock::time_point();
    if (fresh.value) {
      point.value = fresh.value;
      Queue({key, *point.value, 0});
    }
  }
  nextGeneration_ = Clock::time_point();
  changed_.notify_all();
}

std::vector<std::string> SimServer::SetupProblems() {
  std::lock_guard guard(lock_);
  std::vector<std::string> problems = fileErrors_;
  if (links_.empty()) return problems;
  for (const SimItemSettings& settings : items_) {
    const auto matches = [&](const auto& entry) {
      const Key& key = entry.second.key;
      return key.second == settings.item && (settings.anyServer || key.first == settings.server);
    };
    if (std::none_of(links_.begin(), links_.end(), matches))
      problems.push_back(watchedPath_ + ":" + std::to_string(settings.line) + ": warning: '" + settings.item +
                         "' matches no item of the panel" +
                         (settings.anyServer ? "" : " on server '" + settings.server + "'"));
  }
  return problems;
}

SimServer::FileStamp SimServer::StampOf(const std::string& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) return {};
  return {static_cast<long long>(status.st_size), static_cast<long long>(status.st_mtim.tv_sec),
          static_cast<long long>(status.st_mtim.tv_nsec), static_cast<unsigned long>(status.st_ino)};
}

// A file being written may be read half-written: the next change reads it
// again. Errors go to standard error as when the file was first read.
void SimServer::CheckFile(Clock::time_point now) {
  if (watchedPath_.empty() || now < nextFileCheck_) return;
  nextFileCheck_ = now + kFileCheckInterval;
  const FileStamp stamp = StampOf(watchedPath_);
  if (stamp == watchedStamp_) return;
  watchedStamp_ = stamp;
  const std::string path = watchedPath_;
  lock_.unlock();
  SimFileContents contents = ReadSimFile(path);
  for (const std::string& error : contents.errors) std::fprintf(stderr, "simulation: %s\n", error.c_str());
  Reload(std::move(contents));
  lock_.lock();
}

std::vector<std::string> SimServer::Servers() {
  std::lock_guard guard(lock_);
  return servers_;
}

std::vector<std::string> SimServer::KnownServers() {
  std::lock_guard guard(lock_);
  std::set<std::string> names;
  for (const SimItemSettings& item : items_)
    if (!item.anyServer) names.insert(item.server);
  for (const auto& [key, point] : points_) names.insert(key.first);
  names.erase("");
  return {names.begin(), names.end()};
}

std::vector<std::string> SimServer::KnownItems(const std::string& server) {
  std::lock_guard guard(lock_);
  std::set<std::string> names;
  for (const SimItemSettings& item : items_)
    if (item.anyServer || item.server == server) names.insert(item.item);
  for (const auto& [key, point] : points_)
    if (key.first == server) names.insert(key.second);
  return {names.begin(), names.end()};
}

SimServer::Point& SimServer::PointOf(const Key& key) {
  const auto [found, isNew] = points_.try_emplace(key);
  Point& point = found->second;
  if (!isNew) return point;
  if (const SimItemSettings* settings = SettingsOf(key)) ApplySettings(*settings, point);
  return point;
}

void SimServer::ApplySettings(const SimItemSettings& settings, Point& point) {
  const GeneratorSettings& generator = settings.generator;
  if (generator.kind == GeneratorKind::Constant)
    point.value = generator.isText ? SimValue::Text(generator.text) : SimValue::Real(generator.value);
  else point.generator = std::make_unique<Generator>(generator, static_cast<std::uint32_t>(settings.line));
}

// The line for this server's item, else the line for the item on any server.
const SimItemSettings* SimServer::SettingsOf(const Key& key) const {
  const SimItemSettings* anyServer = nullptr;
  for (const SimItemSettings& settings : items_) {
    if (settings.item != key.second) continue;
    if (!settings.anyServer && settings.server == key.first) return &settings;
    if (settings.anyServer) anyServer = &settings;
  }
  return anyServer;
}

void SimServer::Queue(Delivery delivery) {
  deliveries_.push_back(std::move(delivery));
  changed_.notify_all();
}

// Publishes the generated values that are due, for items with open links;
// returns when the next one is due.
SimServer::Clock::time_point SimServer::Generate(Clock::time_point now) {
  Clock::time_point next = now + std::chrono::seconds(1);
  for (auto& [key, point] : points_) {
    if (!point.generator || point.links.empty()) continue;
    if (point.nextDue <= now) {
      const double seconds = std::chrono::duration<double>(now - start_).count();
      point.value = SimValue::Real(point.generator->ValueAt(seconds));
      point.nextDue = now + Seconds(point.generator->Settings().every);
      Queue({key, *point.value, 0});
    }
    next = std::min(next, point.nextDue);
  }
  return next;
}

void SimServer::Run() {
  std::unique_lock guard(lock_);
  while (!stopping_) {
    CheckFile(Clock::now());
    const Clock::time_point now = Clock::now();
    if (now >= nextGeneration_) nextGeneration_ = Generate(now);
    const Clock::time_point wake = std::min(nextGeneration_, now + kFileCheckInterval);
    if (!deliveries_.empty()) {
      const Delivery delivery = std::move(deliveries_.front());
      deliveries_.pop_front();
      guard.unlock();
      Deliver(delivery);
      guard.lock();
      continue;
    }
    changed_.wait_until(guard, wake);
  }
}

void SimServer::Deliver(const Delivery& delivery) {
  std::lock_guard delivering(deliveryLock_);
  std::vector<Link> targets;
  {
    std::lock_guard guard(lock_);
    for (const std::int32_t handle : points_.at(delivery.key).links) {
      const Link& link = links_.at(handle);
      if ((!delivery.only || handle == delivery.only) && link.callback) targets.push_back(link);
    }
  }
  const IOPCVariant value = delivery.value.Variant();
  const std::uint64_t timestamp = UnixMilliseconds();
  for (const Link& link : targets) link.callback(link.context, &value, kGoodQuality, timestamp);
}

}  // namespace tintoral::sim
