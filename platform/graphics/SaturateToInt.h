#pragma once
// A coordinate or count worked out in 64 bits, held to the int range: the
// one conversion the layouts and paints use where a sum may leave it.
#include <algorithm>
#include <cstdint>
#include <limits>

namespace tintoral {

constexpr int SaturateToInt(std::int64_t value) {
  return static_cast<int>(
      std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace tintoral
