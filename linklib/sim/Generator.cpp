#include "linklib/sim/Generator.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tintoral::sim {

Generator::Generator(const GeneratorSettings& settings, std::uint32_t seed)
    : settings_(settings), random_(seed), walkValue_((settings.min + settings.max) / 2) {}

double Generator::ValueAt(double seconds) {
  const double span = settings_.max - settings_.min;
  switch (settings_.kind) {
    case GeneratorKind::Constant: return settings_.value;
    case GeneratorKind::Ramp: {
      const double cycles = seconds / settings_.period;
      return settings_.min + span * (cycles - std::floor(cycles));
    }
    case GeneratorKind::Sine:
      return settings_.min + span * (1 + std::sin(2 * std::numbers::pi * seconds / settings_.period)) / 2;
    case GeneratorKind::Walk: return WalkTo(seconds);
  }
  return 0;
}

// Takes the steps due by `seconds`; a step that would leave the range is
// reflected back into it.
double Generator::WalkTo(double seconds) {
  const auto due = static_cast<std::int64_t>(std::floor(seconds / settings_.period));
  const double step = settings_.step > 0 ? settings_.step : (settings_.max - settings_.min) / 20;
  std::uniform_real_distribution<double> change(-step, step);
  for (; walkSteps_ < due; ++walkSteps_) {
    double next = walkValue_ + change(random_);
    if (next > settings_.max) next = 2 * settings_.max - next;
    if (next < settings_.min) next = 2 * settings_.min - next;
    walkValue_ = std::clamp(next, settings_.min, settings_.max);
  }
  return walkValue_;
}

}  // namespace tintoral::sim
