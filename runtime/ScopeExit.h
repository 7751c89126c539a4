#pragma once
// TScopeExit: runs an action when the scope ends, by return or by exception,
// to restore a flag, a counter or a lock that the scope changed.
//
//   aligning_ = true;
//   const TScopeExit endAlign([this] { aligning_ = false; });
//
// Release() cancels the action, for a rollback that only a failure needs.
// The action must not throw: it may run while an exception unwinds.
#include <utility>

namespace tintoral {

template <class Action>
class [[nodiscard]] TScopeExit {
 public:
  explicit TScopeExit(Action action) : action_(std::move(action)) {}
  ~TScopeExit() {
    if (armed_) action_();
  }
  TScopeExit(const TScopeExit&) = delete;
  TScopeExit& operator=(const TScopeExit&) = delete;

  void Release() { armed_ = false; }

 private:
  Action action_;
  bool armed_ = true;
};

}  // namespace tintoral
