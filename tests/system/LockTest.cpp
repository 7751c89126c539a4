#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

#include "system/Lock.h"

namespace tintoral {
namespace {

// Runs `work` on another thread; true when it finished within a generous time
// (a deadlock shows as false instead of a hanging test).
template <typename Work>
bool FinishesOnAnotherThread(Work work) {
  auto done = std::async(std::launch::async, work);
  return done.wait_for(std::chrono::seconds(20)) == std::future_status::ready;
}

TEST(Lock, TheHoldingThreadMayEnterAgain) {
  Lock lock;
  {
    LockGuard outer(lock);
    LockGuard inner(lock);
    EXPECT_EQ(lock.HoldCount(), 2);
  }
  EXPECT_EQ(lock.HoldCount(), 0);
}

TEST(Lock, ExcludesOtherThreadsUntilTheLastLeave) {
  Lock lock;
  lock.Enter();
  lock.Enter();
  std::atomic<bool> entered{false};
  std::thread other([&] {
    LockGuard guard(lock);
    entered = true;
  });
  lock.Leave();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_FALSE(entered);  // still held once
  lock.Leave();
  other.join();
  EXPECT_TRUE(entered);
}

TEST(Lock, ProtectsAnUnsynchronisedCounter) {
  Lock lock;
  int counter = 0;
  auto work = [&] {
    for (int i = 0; i < 20000; ++i) {
      LockGuard outer(lock);
      LockGuard inner(lock);
      const int seen = counter;
      std::this_thread::yield();
      counter = seen + 1;
    }
  };
  std::thread a(work), b(work);
  a.join();
  b.join();
  EXPECT_EQ(counter, 40000);
}

TEST(Lock, LeaveByAThreadHoldingNothingIsIgnored) {
  Lock lock;
  lock.Enter();
  std::thread([&] { lock.Leave(); }).join();
  EXPECT_EQ(lock.HoldCount(), 1);
  lock.Leave();
  lock.Leave();
  EXPECT_EQ(lock.HoldCount(), 0);
  EXPECT_TRUE(FinishesOnAnotherThread([&] { LockGuard guard(lock); }));
}

TEST(Lock, DestroyingSwitchReleasesWaitersAndDisablesTheLock) {
  Lock lock;
  lock.Enter();
  auto waiter = std::async(std::launch::async, [&] { LockGuard guard(lock); });
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  lock.BeginDestroying();
  EXPECT_EQ(waiter.wait_for(std::chrono::seconds(20)), std::future_status::ready);
  EXPECT_TRUE(lock.Destroying());
  EXPECT_EQ(lock.HoldCount(), 0);

  lock.Enter();  // does nothing now, on any thread
  EXPECT_EQ(lock.HoldCount(), 0);
  EXPECT_TRUE(FinishesOnAnotherThread([&] { LockGuard guard(lock); }));
  lock.Leave();
  lock.Leave();  // unbalanced leaves are harmless too
}

}  // namespace
}  // namespace tintoral
