#pragma once
// A per-object critical section: recursive, so a thread that holds it may
// enter again (a paint that triggers another paint of the same object), and
// exclusive between threads (the GUI thread and possible worker threads).
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace tintoral {

class Lock {
 public:
  Lock() = default;
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;

  // Waits until no other thread holds the lock, then holds it once more.
  void Enter();
  // Gives up one hold. A Leave by a thread that holds nothing is ignored.
  void Leave();

  // The owner is being destroyed: from now on Enter and Leave do nothing,
  // holds are dropped and waiting threads go on without the lock. The lock
  // must outlive any thread still inside Enter.
  void BeginDestroying();
  bool Destroying() const { return destroying_.load(std::memory_order_acquire); }

  // Holds of the calling thread (0 when another thread or none holds it).
  int HoldCount() const;

 private:
  mutable std::mutex state_;
  std::condition_variable released_;
  std::thread::id owner_;
  int holds_ = 0;
  std::atomic<bool> destroying_{false};
};

// Enters a lock for the lifetime of the guard.
class LockGuard {
 public:
  explicit LockGuard(Lock& lock) : lock_(lock) { lock_.Enter(); }
  ~LockGuard() { lock_.Leave(); }
  LockGuard(const LockGuard&) = delete;
  LockGuard& operator=(const LockGuard&) = delete;

 private:
  Lock& lock_;
};

}  // namespace tintoral
