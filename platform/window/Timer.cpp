#include "platform/window/Timer.h"

#include <QTimer>
#include <algorithm>

#include "platform/window/Application.h"
#include "runtime/ClassBuilder.h"

namespace tintoral {

struct TTimerService::Impl {
  QTimer timer;
};

TTimerService::TTimerService() : impl_(std::make_unique<Impl>()) {
  impl_->timer.setTimerType(Qt::PreciseTimer);
  QObject::connect(&impl_->timer, &QTimer::timeout, [this] { Tick(); });
}

TTimerService::~TTimerService() = default;

void TTimerService::Start(int firstDelayMs, int intervalMs) {
  interval_ = std::max(0, intervalMs);
  firstShot_ = true;
  impl_->timer.start(std::max(0, firstDelayMs));
}

void TTimerService::Stop() { impl_->timer.stop(); }

bool TTimerService::Running() const { return impl_->timer.isActive(); }

void TTimerService::Tick() {
  if (firstShot_) {
    firstShot_ = false;
    if (interval_ > 0) impl_->timer.start(interval_);
    else impl_->timer.stop();
  }
  if (onTimer_) GuardedCall(onTimer_);
}

const TClassInfo& TTimer::StaticClass() {
  static const TClassInfo info = DescribeClass<TTimer>("TTimer", TComponent::StaticClass(), [](auto& b) {
    b.Property("Enabled", &TTimer::Enabled, &TTimer::SetEnabled).Default(true);
    b.Property("Interval", &TTimer::Interval, &TTimer::SetInterval).Default(1000);
    b.Event("OnTimer", &TTimer::OnTimer, &TTimer::SetOnTimer);
  });
  return info;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
  service_.SetOnTimer([this] { onTimer_(this); });
}

TTimer::~TTimer() { service_.Stop(); }

void TTimer::SetEnabled(bool value) {
  if (enabled_ == value) return;
  enabled_ = value;
  UpdateTimer();
}

void TTimer::SetInterval(int value) {
  if (interval_ == value) return;
  interval_ = value;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
  onTimer_ = std::move(handler);
  UpdateTimer();
}

void TTimer::Loaded() {
  TComponent::Loaded();
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  service_.Stop();
  if (enabled_ && interval_ > 0 && onTimer_ && !IsLoading() && !IsDesigning()) service_.Start(interval_, interval_);
}

}  // namespace tintoral
