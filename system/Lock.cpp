#include "system/Lock.h"

namespace tintoral {

void Lock::Enter() {
  if (Destroying()) return;
  const std::thread::id self = std::this_thread::get_id();
  std::unique_lock<std::mutex> guard(state_);
  released_.wait(guard, [&] { return holds_ == 0 || owner_ == self || Destroying(); });
  if (Destroying()) return;
  owner_ = self;
  ++holds_;
}

void Lock::Leave() {
  if (Destroying()) return;
  std::unique_lock<std::mutex> guard(state_);
  if (holds_ == 0 || owner_ != std::this_thread::get_id()) return;
  if (--holds_ == 0) {
    owner_ = std::thread::id();
    guard.unlock();
    released_.notify_one();
  }
}

void Lock::BeginDestroying() {
  {
    std::lock_guard<std::mutex> guard(state_);
    destroying_.store(true, std::memory_order_release);
    holds_ = 0;
    owner_ = std::thread::id();
  }
  released_.notify_all();
}

int Lock::HoldCount() const {
  std::lock_guard<std::mutex> guard(state_);
  return owner_ == std::this_thread::get_id() ? holds_ : 0;
}

}  // namespace tintoral
