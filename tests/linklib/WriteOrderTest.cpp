// Values the server sampled before a write, told by their source times
// whatever the difference between the server's clock and ours.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "linklib/opcua/WriteOrder.h"

namespace tintoral::opcua {
namespace {

struct Arrival {
  double source, received;
  bool stale = false;
};

struct Case {
  const char* name;
  std::vector<Arrival> before;  // values before the write at 1000
  std::vector<Arrival> after;
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class WriteOrderTest : public ::testing::TestWithParam<Case> {};

TEST_P(WriteOrderTest, HoldsBackOnlyValuesSampledBeforeTheWrite) {
  WriteOrder order;
  for (const Arrival& a : GetParam().before) EXPECT_FALSE(order.SampledBeforeWrite(a.source, a.received));
  order.Written(1000);
  for (std::size_t i = 0; i < GetParam().after.size(); ++i) {
    const Arrival& a = GetParam().after[i];
    EXPECT_EQ(order.SampledBeforeWrite(a.source, a.received), a.stale) << "value " << i;
  }
}

// The server's clock is ours (lag 5), 300 behind (lag 305) or 300 ahead
// (lag -295); values before the write show the lag.
INSTANTIATE_TEST_SUITE_P(
    Clocks, WriteOrderTest,
    ::testing::Values(
        Case{"SameClockLateValueHeldBack", {{900, 905}}, {{990, 1500, true}, {994, 2000, true}, {1001, 2001, false}}},
        Case{"ServerBehindLateValueHeldBack", {{600, 905}}, {{690, 1500, true}, {701, 1010, false}}},
        Case{"ServerAheadLateValueHeldBack", {{1200, 905}}, {{1290, 1500, true}, {1296, 1010, false}}},
        Case{"AFreshValueEndsTheWatch", {{900, 905}}, {{1001, 1006, false}, {990, 1500, false}}},
        Case{"NoSourceTimeEndsTheWatch", {{900, 905}}, {{0, 1006, false}, {990, 1500, false}}},
        Case{"TheWatchEndsAfterAWhile", {{900, 905}}, {{990, 1000 + WriteOrder::kWatchMilliseconds + 1, false}}},
        Case{"NoLagKnownNothingHeldBack", {}, {{990, 1500, false}}}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tintoral::opcua
