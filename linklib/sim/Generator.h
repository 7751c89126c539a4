#pragma once
// Generators of simulated item values, each a function of the time since the
// simulation started: constant, ramp (min to max over a period, then again),
// sine (between min and max) and random walk (a step of at most `step` every
// period, kept between min and max).
#include <cstdint>
#include <random>
#include <string>

namespace tintoral::sim {

enum class GeneratorKind { Constant, Ramp, Sine, Walk };

struct GeneratorSettings {
  GeneratorKind kind = GeneratorKind::Constant;
  double min = 0;
  double max = 0;
  double period = 1;   // seconds
  double step = 0;     // walk only; 0: a twentieth of max - min
  double every = 0.1;  // seconds between published values
  // constant only: a number, or a text when isText
  double value = 0;
  bool isText = false;
  std::string text;
  bool operator==(const GeneratorSettings&) const = default;
};

class Generator {
 public:
  explicit Generator(const GeneratorSettings& settings, std::uint32_t seed = 1);

  const GeneratorSettings& Settings() const { return settings_; }
  // The number at `seconds` since the start (times never go back for a walk).
  double ValueAt(double seconds);

 private:
  double WalkTo(double seconds);

  GeneratorSettings settings_;
  std::mt19937 random_;
  double walkValue_;
  std::int64_t walkSteps_ = 0;
};

}  // namespace tintoral::sim
