#include "linklib/opcua/WriteOrder.h"

#include <algorithm>

namespace tintoral::opcua {

void WriteOrder::Written(double unixMilliseconds) {
  writtenUnixMilliseconds_ = unixMilliseconds;
  watching_ = true;
}

bool WriteOrder::SampledBeforeWrite(double sourceUnixMilliseconds, double receivedUnixMilliseconds) {
  if (sourceUnixMilliseconds <= 0) {
    watching_ = false;
    return false;
  }
  lags_[nextLag_] = receivedUnixMilliseconds - sourceUnixMilliseconds;
  nextLag_ = (nextLag_ + 1) % kLags;
  lagCount_ = std::min(lagCount_ + 1, kLags);
  if (!watching_) return false;
  if (receivedUnixMilliseconds - writtenUnixMilliseconds_ > kWatchMilliseconds) {
    watching_ = false;
    return false;
  }
  const double smallestLag = *std::min_element(lags_.begin(), lags_.begin() + lagCount_);
  if (sourceUnixMilliseconds + smallestLag < writtenUnixMilliseconds_) return true;
  watching_ = false;
  return false;
}

}  // namespace tintoral::opcua
