// The simulated server on its own: values of every type reach every link of
// their item whole, no callback runs once Remove has returned while a
// generator keeps publishing, and the simulation file is followed as it
// changes.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>
#include <vector>

#include "linklib/sim/SimServer.h"
#include "tests/support/TestTempPath.h"

namespace tintoral::sim {
namespace {

using namespace std::chrono_literals;

struct Receiver {
  std::mutex lock;
  std::vector<SimValue> values;
  std::atomic<int> calls{0};
  std::chrono::milliseconds busy{0};  // how long each callback takes
  std::atomic<bool> removed{false};
  std::atomic<bool> calledAfterRemove{false};

  static void IOPC_CALL Receive(void* context, const IOPCVariant* value, std::uint16_t, std::uint64_t) {
    auto* self = static_cast<Receiver*>(context);
    {
      std::lock_guard guard(self->lock);
      self->values.push_back(SimValue::From(*value));
    }
    std::this_thread::sleep_for(self->busy);
    if (self->removed) self->calledAfterRemove = true;
    ++self->calls;
  }
  bool WaitForCalls(int count) {
    for (auto end = std::chrono::steady_clock::now() + 5s; std::chrono::steady_clock::now() < end;) {
      if (calls >= count) return true;
      std::this_thread::sleep_for(1ms);
    }
    return false;
  }
};

TEST(SimServerTest, EveryValueTypeReachesEveryLinkOfItsItemWholeTheWritersToo) {
  SimServer server({});
  Receiver writer, reader;
  const std::int32_t writing = server.Add("S", "Tank", &Receiver::Receive, &writer);
  server.Add("S", "Tank", &Receiver::Receive, &reader);
  const std::string text("A\0B\xE9", 4);
  IOPCVariant sent[4]{};
  sent[0].type = IOPC_VT_INT64;
  sent[0].value.int64Value = std::int64_t{1} << 40;
  sent[1].type = IOPC_VT_BOOLEAN;
  sent[1].value.booleanValue = 5;
  sent[2].type = IOPC_VT_TEXT;
  sent[2].value.text.bytes = text.data();
  sent[2].value.text.length = text.size();
  sent[3].type = IOPC_VT_INT32;
  sent[3].value.int32Value = -7;
  for (const IOPCVariant& value : sent) server.Send(writing, SimValue::From(value));
  ASSERT_TRUE(reader.WaitForCalls(4));
  std::lock_guard guard(reader.lock);
  EXPECT_EQ(reader.values[0].Variant().value.int64Value, std::int64_t{1} << 40);
  EXPECT_EQ(reader.values[1].Variant().value.booleanValue, 1);
  EXPECT_EQ(std::string(reader.values[2].Variant().value.text.bytes, reader.values[2].Variant().value.text.length),
            text);
  EXPECT_EQ(reader.values[3].Variant().value.int32Value, -7);
  EXPECT_TRUE(writer.WaitForCalls(4)) << "the writer's item is confirmed and gets its first value";
}

TEST(SimServerTest, NoCallbackRunsOnceRemoveHasReturned) {
  SimItemSettings fast;
  fast.item = "Wave";
  fast.generator.kind = GeneratorKind::Sine;
  fast.generator.max = 1;
  fast.generator.every = 0.01;
  SimServer server({fast});
  for (int round = 0; round < 20; ++round) {
    Receiver receiver;
    receiver.busy = 8ms;  // most of each 10 ms period: Remove mostly meets a callback under way
    const std::int32_t handle = server.Add("S", "Wave", &Receiver::Receive, &receiver);
    ASSERT_TRUE(receiver.WaitForCalls(1));
    server.Remove(handle);
    receiver.removed = true;
    std::this_thread::sleep_for(20ms);
    EXPECT_FALSE(receiver.calledAfterRemove) << "round " << round;
    EXPECT_FALSE(server.Active(handle));
  }
}

TEST(SimServerTest, TheFileIsReadAgainWhenItChangesAndLinesThatMatchNoItemAreWarnings) {
  const std::string path = tintoral::test::TestTempPath("server-reload.sim");
  std::ofstream(path) << "Tank = constant 1\nFlow = sine min 0\n";
  SimFileContents first = ReadSimFile(path);
  SimServer server(std::move(first.items), std::move(first.errors));
  server.WatchFile(path);
  Receiver tank;
  server.Add("S", "Tank", &Receiver::Receive, &tank);
  ASSERT_TRUE(tank.WaitForCalls(1));
  EXPECT_EQ(server.SetupProblems(), std::vector<std::string>{path + ":2: sine needs min, max and period"});

  std::this_thread::sleep_for(20ms);  // a new time of change on any file system
  std::ofstream(path, std::ios::trunc) << "# now 7\nTank = constant 7\nMixer = constant 3\n";
  ASSERT_TRUE(tank.WaitForCalls(2));
  {
    std::lock_guard guard(tank.lock);
    EXPECT_EQ(tank.values.back().real, 7);
  }
  EXPECT_EQ(server.SetupProblems(),
            std::vector<std::string>{path + ":3: warning: 'Mixer' matches no item of the panel"});
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace tintoral::sim
