// A link library that misbehaves: it calls back after SignalRemove, with the
// context of an earlier link of the same item, after the item is gone, and
// from several threads at once. CI runs these under ThreadSanitizer too.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <thread>
#include <utility>
#include <vector>

#include "instruments/opc/ItemInbox.h"
#include "instruments/opc/LinkVariant.h"

namespace tintoral::test {
namespace {

void Send(void* context, double value) {
  const TLinkVariant linkValue{TVariant(value)};
  TiItemInbox::DataCallback()(context, &linkValue.Value(), 0xC0, 0);
}

TEST(LinkCallbackFaultTest, OnlyTheOpenLinkOfALiveItemIsHeard) {
  int deliveries = 0;
  auto inbox = TiItemInbox::Create([&](const TiOPCItemData&) { ++deliveries; });
  void* first = inbox->OpenLink();
  void* second = inbox->OpenLink();  // a reconnect
  Send(first, 1.0);
  EXPECT_EQ(deliveries, 0) << "a value of the earlier link";
  Send(second, 2.0);
  EXPECT_EQ(deliveries, 1);
  inbox->CloseLink();
  Send(second, 3.0);
  EXPECT_EQ(deliveries, 1) << "a value after SignalRemove";
  EXPECT_EQ(inbox->Latest().value, TVariant(2.0));
  inbox.reset();
  Send(second, 4.0);  // the item is gone: must find nothing
}

TEST(LinkCallbackFaultTest, AnOwnerThatFallsBehindFillsTheQueueToItsCapacityAndTheHighWaterMarkKeepsThePeak) {
  std::vector<std::function<void()>> queued;
  int deliveries = 0;
  auto inbox = TiItemInbox::Create([&](const TiOPCItemData&) { ++deliveries; });
  inbox->SetPoster([&](std::function<void()> task) { queued.push_back(std::move(task)); });
  const auto deliverQueued = [&] {
    for (auto& task : std::exchange(queued, {})) task();
  };
  void* context = inbox->OpenLink();
  for (int i = 0; i < 5; ++i) Send(context, i);
  deliverQueued();
  Send(context, 5.0);
  deliverQueued();
  EXPECT_EQ(inbox->HighWater(), 5u) << "the peak, not the last fill";
  EXPECT_EQ(deliveries, 6);
  const std::size_t overfill = TiItemInbox::kCapacity + 10;
  for (std::size_t i = 0; i < overfill; ++i) Send(context, static_cast<double>(i));
  deliverQueued();
  EXPECT_EQ(inbox->HighWater(), TiItemInbox::kCapacity);
  EXPECT_EQ(inbox->Dropped(), 10u);
  EXPECT_EQ(deliveries, static_cast<int>(6 + TiItemInbox::kCapacity));
}

TEST(LinkCallbackFaultTest, CallbacksFromManyThreadsAtOnceArriveInEachThreadsOrderOnlyOnTheOwnersThread) {
  constexpr int kThreads = 4, kValues = 2000;
  std::mutex queueLock;
  std::vector<std::function<void()>> queued;
  const std::thread::id owner = std::this_thread::get_id();
  std::atomic<int> deliveries{0}, foreignDeliveries{0};
  std::vector<double> lastOfThread(kThreads, -1);
  bool inOrder = true;
  auto inbox = TiItemInbox::Create([&](const TiOPCItemData& data) {
    ++deliveries;
    if (std::this_thread::get_id() != owner) ++foreignDeliveries;
    const double value = data.value.ToDouble();
    double& last = lastOfThread[static_cast<std::size_t>(value / 10000)];
    inOrder = inOrder && value > last;
    last = value;
  });
  inbox->SetPoster([&](std::function<void()> task) {
    std::lock_guard<std::mutex> guard(queueLock);
    queued.push_back(std::move(task));
  });
  const auto runQueued = [&] {
    std::vector<std::function<void()>> tasks;
    {
      std::lock_guard<std::mutex> guard(queueLock);
      tasks.swap(queued);
    }
    for (auto& task : tasks) task();
  };
  const auto sendFromThreads = [&](void* context) {
    std::atomic<int> running{kThreads};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
      threads.emplace_back([&, t] {
        for (int i = 0; i < kValues; ++i) Send(context, t * 10000.0 + i);
        --running;
      });
    while (running > 0) runQueued();
    for (auto& thread : threads) thread.join();
    runQueued();
  };

  void* context = inbox->OpenLink();
  sendFromThreads(context);
  std::set<double> lastOfEachThread;
  for (int t = 0; t < kThreads; ++t) lastOfEachThread.insert(t * 10000.0 + kValues - 1);
  EXPECT_TRUE(lastOfEachThread.count(inbox->Latest().value.ToDouble())) << "the value stored last";
  EXPECT_EQ(deliveries + inbox->Dropped(), std::uint64_t{kThreads * kValues}) << "each delivered or counted";
  EXPECT_TRUE(inOrder);
  EXPECT_EQ(foreignDeliveries, 0);

  inbox->CloseLink();
  const int before = deliveries;
  const TVariant kept = inbox->Latest().value;
  sendFromThreads(context);
  EXPECT_EQ(deliveries, before) << "values after SignalRemove";
  EXPECT_EQ(inbox->Latest().value, kept);
}

}  // namespace
}  // namespace tintoral::test
