// The MQTT link library against a mosquitto broker (started here, on
// 127.0.0.1 on a free port), into readouts on a shown form, the event loop
// run as panelview runs it:
//  - ChangeToRepaint: from publishing a value (another client of the
//    broker) to the readout having repainted it (manual time; median_ms).
//  - ThousandItems: 1,000 readouts, each on its own topic, every topic
//    published 10 times a second by a client in this process, for 5 s:
//    panel_cpu_pct the share of one core of this process but the link's
//    and the publisher's threads, link_cpu_pct that of the link's thread.
//  - FiftyPanels: 50 links (each a client of its own, as 50 panels on
//    other machines would be), each subscribed to the same 100 topics
//    published 10 times a second at QoS 1 for 5 s, then up to 60 s to
//    catch up: skipped counts the values missing between two that arrived,
//    missing those that had not arrived at the end, out_of_order those
//    that came after a later one.
// Without mosquitto the benchmarks skip and say why.
#include <benchmark/benchmark.h>
#include <mosquitto.h>
#include <pthread.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "bench/support/LinkBenchSupport.h"
#include "bench/support/ReadoutGrid.h"
#include "bench/support/ShownReadout.h"
#include "instruments/SevenSegmentAnalog.h"
#include "instruments/opc/OPCLibrary.h"
#include "linklib/mqtt/MqttLink.h"
#include "platform/window/Form.h"
#include "tests/linklib/OpcUaTestServer.h"
#include "tests/linklib/mqtt/MqttBroker.h"

namespace {

using namespace tintoral;
using bench::RunEventsFor;

test::MqttBroker* SharedBroker(std::string& problem) {
  return bench::SharedPeer<test::MqttBroker>(test::MqttSkipReason, "the mosquitto broker", problem);
}

TiOPCLibrary& MqttLibrary() {
  static TiOPCLibrary library(TINTORAL_MQTT_LINK_FILE);
  return library;
}

// A client of the broker publishing topics PREFIX0 ... PREFIX<count - 1>
// `hz` times a second each, the values 1, 2, 3 ..., on a thread of its own.
class Publisher {
 public:
  Publisher(const std::string& serverName, std::string prefix, int count, int hz)
      : prefix_(std::move(prefix)), count_(count), hz_(hz) {
    mosquitto_lib_init();
    client_ = mosquitto_new(nullptr, true, nullptr);
    mosquitto_max_inflight_messages_set(client_, 0);  // no wait for acknowledgements between messages
    mosquitto_user_data_set(client_, this);
    mosquitto_publish_callback_set(client_,
                                   [](mosquitto*, void* self, int) { ++static_cast<Publisher*>(self)->acknowledged_; });
    const std::size_t colon = serverName.rfind(':');
    mosquitto_connect(client_, "127.0.0.1", std::stoi(serverName.substr(colon + 1)), 30);
    mosquitto_loop_start(client_);
    thread_ = std::thread([this] { Run(); });
  }
  // Stops publishing; every message published reaches the broker first.
  ~Publisher() {
    running_ = false;
    thread_.join();
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (acknowledged_ < published_ && std::chrono::steady_clock::now() < end)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    mosquitto_disconnect(client_);
    mosquitto_loop_stop(client_, false);
    mosquitto_destroy(client_);
  }
  long Rounds() const { return rounds_; }

 private:
  void Run() {
    pthread_setname_np(pthread_self(), "publisher");
    auto next = std::chrono::steady_clock::now();
    while (running_) {
      const std::string value = std::to_string(++rounds_);
      for (int i = 0; i < count_; ++i) {
        const std::string topic = prefix_ + std::to_string(i);
        if (mosquitto_publish(client_, nullptr, topic.c_str(), static_cast<int>(value.size()), value.data(), 1,
                              false) == MOSQ_ERR_SUCCESS)
          ++published_;
      }
      next += std::chrono::milliseconds(1000 / hz_);
      std::this_thread::sleep_until(next);
    }
  }

  const std::string prefix_;
  const int count_, hz_;
  mosquitto* client_ = nullptr;
  std::thread thread_;
  std::atomic<bool> running_{true};
  std::atomic<long> rounds_{0};
  std::atomic<long> published_{0}, acknowledged_{0};
};

void BM_Mqtt_ChangeToRepaint(benchmark::State& state) {
  std::string problem;
  test::MqttBroker* broker = SharedBroker(problem);
  if (!broker) {
    state.SkipWithError(problem.c_str());
    return;
  }
  bench::ShownReadout shown(MqttLibrary());
  shown.Show();
  TiOPCItem& item = shown.AddValueItem();
  item.SetServerName(broker->ServerName());
  item.SetItemName("bench/latency");
  item.ConnectItem();
  if (!test::WaitUntil([&] { return item.IsItemActive(); }, std::chrono::seconds(10))) {
    state.SkipWithError("the item was not subscribed within 10 s");
    return;
  }
  bench::TimeChangesToRepaint(
      state, 0, [&](int value) { broker->Publish("bench/latency", std::to_string(value)); },
      [&](int value) { return test::WaitUntil([&] { return shown.ShownValue() == value; }, std::chrono::seconds(10)); },
      [&] { return shown.LastPaint(); }, [](int) {});
}
BENCHMARK(BM_Mqtt_ChangeToRepaint)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_Mqtt_ThousandItems(benchmark::State& state) {
  constexpr int kItems = 1000;
  std::string problem;
  test::MqttBroker* broker = SharedBroker(problem);
  if (!broker) {
    state.SkipWithError(problem.c_str());
    return;
  }
  bench::ReadoutGrid grid(
      MqttLibrary(), broker->ServerName(), kItems, [](int i) { return "bench/item" + std::to_string(i); },
      500);  // the default rate
  Publisher publisher(broker->ServerName(), "bench/item", kItems, 10);
  RunEventsFor(std::chrono::seconds(1));
  bench::CpuShares cpu;
  double freshPercent = 0;
  for (auto _ : state) {
    cpu = bench::RunEventsMeasuringCpu(std::chrono::seconds(5), "mqtt-link", "publisher");
    const long rounds = publisher.Rounds();
    int fresh = 0;
    for (int i = 0; i < kItems; ++i) fresh += rounds - grid.Value(i) <= 10;
    freshPercent = 100.0 * fresh / kItems;
  }
  state.counters["panel_cpu_pct"] = cpu.restPercent;
  state.counters["link_cpu_pct"] = cpu.linkPercent;
  state.counters["values_pct"] = freshPercent;
}
BENCHMARK(BM_Mqtt_ThousandItems)->Iterations(1)->Unit(benchmark::kMillisecond);

// What the panels' links received: per panel and topic, the last value, the
// values skipped and those that came after a later one.
struct Counting {
  std::mutex lock;
  std::vector<long> last;
  long lost = 0, outOfOrder = 0, received = 0;
};

struct CountingSlot {
  Counting* counting;
  int index;  // panel * topics + topic
};

void Count(void* context, const IOPCVariant* value, std::uint16_t quality, std::uint64_t) {
  const auto& slot = *static_cast<CountingSlot*>(context);
  if ((quality & 0xC0) != 0xC0 || value->type != IOPC_VT_INT32) return;
  std::lock_guard<std::mutex> guard(slot.counting->lock);
  long& last = slot.counting->last[static_cast<std::size_t>(slot.index)];
  const long now = value->value.int32Value;
  if (last != 0 && now > last + 1) slot.counting->lost += now - last - 1;
  if (now <= last) ++slot.counting->outOfOrder;
  last = std::max(last, now);
  ++slot.counting->received;
}

void BM_Mqtt_FiftyPanels(benchmark::State& state) {
  constexpr int kPanels = 50, kTopics = 100;
  std::string problem;
  test::MqttBroker* broker = SharedBroker(problem);
  if (!broker) {
    state.SkipWithError(problem.c_str());
    return;
  }
  Counting counting;
  counting.last.assign(kPanels * kTopics, 0);
  std::list<CountingSlot> places;
  std::vector<std::unique_ptr<mqtt::MqttLink>> panels;
  std::vector<std::int32_t> handles;
  for (int panel = 0; panel < kPanels; ++panel) {
    panels.push_back(std::make_unique<mqtt::MqttLink>());
    for (int topic = 0; topic < kTopics; ++topic) {
      places.push_back({&counting, panel * kTopics + topic});
      handles.push_back(
          panels.back()->Add(broker->ServerName(), "fifty/t" + std::to_string(topic), "", 0, &Count, &places.back()));
    }
  }
  const bool subscribed = test::WaitUntil(
      [&] {
        for (std::size_t i = 0; i < handles.size(); ++i)
          if (!panels[i / kTopics]->Active(handles[i])) return false;
        return true;
      },
      std::chrono::seconds(30));
  if (!subscribed) {
    state.SkipWithError("the panels were not subscribed within 30 s");
    return;
  }
  long rounds = 0;
  for (auto _ : state) {
    {
      Publisher publisher(broker->ServerName(), "fifty/t", kTopics, 10);
      std::this_thread::sleep_for(std::chrono::seconds(5));
      rounds = publisher.Rounds();
    }
    test::WaitUntil(
        [&] {
          std::lock_guard<std::mutex> guard(counting.lock);
          return std::all_of(counting.last.begin(), counting.last.end(), [&](long last) { return last == rounds; });
        },
        std::chrono::seconds(60));
  }
  panels.clear();
  state.counters["sent"] = static_cast<double>(rounds * kTopics * kPanels);
  state.counters["received"] = static_cast<double>(counting.received);
  state.counters["skipped"] = static_cast<double>(counting.lost);
  state.counters["missing"] = static_cast<double>(rounds * kTopics * kPanels - counting.received);
  state.counters["out_of_order"] = static_cast<double>(counting.outOfOrder);
}
BENCHMARK(BM_Mqtt_FiftyPanels)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
