// The timer service: a first shot after a delay, then one per interval.
#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>

#include "platform/window/Application.h"
#include "platform/window/Timer.h"
#include "runtime/Exception.h"

namespace tintoral {
namespace {

// Runs the event loop until `done` or a generous safety limit.
void RunUntil(const std::function<bool()>& done) {
  QEventLoop loop;
  QTimer guard;
  guard.start(5000);
  QObject::connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (done()) loop.quit();
  });
  poll.start(1);
  loop.exec();
}

TEST(TimerService, TicksAfterTheFirstDelayThenEveryIntervalUntilStopped) {
  TTimerService timer;
  int ticks = 0;
  timer.SetOnTimer([&] {
    if (++ticks == 3) timer.Stop();
  });
  EXPECT_FALSE(timer.Running());
  timer.Start(5, 2);
  EXPECT_TRUE(timer.Running());
  RunUntil([&] { return ticks >= 3; });
  EXPECT_EQ(ticks, 3);
  EXPECT_FALSE(timer.Running());
}

TEST(TimerService, WithoutAnIntervalItTicksOnceAndErrorsGoToTheApplication) {
  std::vector<std::string> errors;
  Application().SetExceptionHandler([&](const std::string& m) { errors.push_back(m); });
  TTimerService timer;
  int ticks = 0;
  timer.SetOnTimer([&] {
    ++ticks;
    throw InvalidOperation("tick failed");
  });
  timer.Start(0, 0);
  RunUntil([&] { return ticks > 0 && !timer.Running(); });
  Application().SetExceptionHandler(nullptr);
  EXPECT_EQ(ticks, 1);
  EXPECT_FALSE(timer.Running());
  EXPECT_EQ(errors, (std::vector<std::string>{"tick failed"}));
}

TEST(TimerComponent, RunsWhileEnabledWithAnIntervalAndAHandler) {
  TTimer timer(nullptr);
  int ticks = 0;
  timer.SetInterval(1);
  timer.SetOnTimer([&](TObject*) {
    if (++ticks == 2) timer.SetEnabled(false);
  });
  RunUntil([&] { return ticks >= 2; });
  EXPECT_EQ(ticks, 2);
  EXPECT_FALSE(timer.Enabled());
}

}  // namespace
}  // namespace tintoral
