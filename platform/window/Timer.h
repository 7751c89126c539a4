#pragma once
// Timers on the window system's event loop (the GUI thread).
//
// TTimerService: a first shot after a delay, then one every interval.
// TTimer: the classic timer component (Enabled, Interval, OnTimer).
// Errors escaping a timer handler go to Application().HandleException.
#include <functional>
#include <memory>

#include "runtime/Component.h"
#include "runtime/Event.h"

namespace tintoral {

class TTimerService {
 public:
  TTimerService();
  ~TTimerService();
  TTimerService(const TTimerService&) = delete;
  TTimerService& operator=(const TTimerService&) = delete;

  // (Re)starts: the first tick after firstDelayMs, then one every intervalMs
  // (intervalMs <= 0: only the first). Negative delays count as 0.
  void Start(int firstDelayMs, int intervalMs);
  void Stop();
  bool Running() const;
  void SetOnTimer(std::function<void()> handler) { onTimer_ = std::move(handler); }

 private:
  struct Impl;
  void Tick();

  std::unique_ptr<Impl> impl_;
  std::function<void()> onTimer_;
  int interval_ = 0;
  bool firstShot_ = false;
};

class TTimer : public TComponent {
  TINTORAL_CLASS(TTimer, TComponent)

 public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  int Interval() const { return interval_; }  // milliseconds; 0 stops the timer
  void SetInterval(int value);
  const TNotifyEvent& OnTimer() const { return onTimer_; }
  void SetOnTimer(TNotifyEvent handler);

  void Loaded() override;

 private:
  void UpdateTimer();

  TTimerService service_;
  bool enabled_ = true;
  int interval_ = 1000;
  TNotifyEvent onTimer_;
};

}  // namespace tintoral
