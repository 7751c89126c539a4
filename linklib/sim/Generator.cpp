#include "linklib/sim/Generator.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tintoral::sim {

Generator::Generator(const GeneratorSpec& spec, std::uint32_t seed)
    : spec_(spec), random_(seed), walkValue_((spec.min + spec.max) / 2) {}

double Generator::ValueAt(double seconds) {
  const double span = spec_.max - spec_.min;
  switch (spec_.kind) {
    case GeneratorKind::Constant: return spec_.value;
    case GeneratorKind::Ramp: {
      const double cycles = seconds / spec_.period;
      return spec_.min + span * (cycles - std::floor(cycles));
    }
    case GeneratorKind::Sine:
      return spec_.min + span * (1 + std::sin(2 * std::numbers::pi * seconds / spec_.period)) / 2;
    case GeneratorKind::Walk: return WalkTo(seconds);
  }
  return 0;
}

// Takes the steps due by `seconds`; a step that would leave the range is
// reflected back into it.
double Generator::WalkTo(double seconds) {
  const auto due = static_cast<std::int64_t>(std::floor(seconds / spec_.period));
  const double step = spec_.step > 0 ? spec_.step : (spec_.max - spec_.min) / 20;
  std::uniform_real_distribution<double> change(-step, step);
  for (; walkSteps_ < due; ++walkSteps_) {
    double next = walkValue_ + change(random_);
    if (next > spec_.max) next = 2 * spec_.max - next;
    if (next < spec_.min) next = 2 * spec_.min - next;
    walkValue_ = std::clamp(next, spec_.min, spec_.max);
  }
  return walkValue_;
}

}  // namespace tintoral::sim
