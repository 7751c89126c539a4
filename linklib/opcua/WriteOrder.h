#pragma once
// Which of an item's values the server sampled before the item's last write
// was made, told by the values' source times. The server's clock may differ
// from ours: the smallest lag seen lately between a value's source time and
// its arrival here is at least the clocks' difference, so a value counts as
// earlier than the write only when it is by that measure, and a value that
// is not (or one without a source time) ends the watch. Stale values come
// before fresh ones, so the watch also ends a while after the write.
#include <array>
#include <cstddef>

namespace tintoral::opcua {

class WriteOrder {
 public:
  static constexpr double kWatchMilliseconds = 10000;

  // A write made at `unixMilliseconds` by our clock.
  void Written(double unixMilliseconds);
  // The write failed or the item's subscription starts afresh (its first
  // value may be old and still the server's): nothing is held back.
  void Forget() { watching_ = false; }
  // A value stamped `sourceUnixMilliseconds` by the server (0: no stamp)
  // arrived at `receivedUnixMilliseconds` by ours: true when the server
  // sampled it before the last write.
  bool SampledBeforeWrite(double sourceUnixMilliseconds, double receivedUnixMilliseconds);

 private:
  static constexpr std::size_t kLags = 32;
  std::array<double, kLags> lags_{};
  std::size_t lagCount_ = 0;
  std::size_t nextLag_ = 0;
  double writtenUnixMilliseconds_ = 0;
  bool watching_ = false;
};

}  // namespace tintoral::opcua
