// Feeds arbitrary bytes as a simulation file to its parser. The lines that
// read must give generators that work: every item is evaluated at a few
// times, and a ramp, sine or walk between finite bounds stays within them.
// A crash, a sanitizer report or a value out of bounds is a finding.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "linklib/sim/Generator.h"
#include "linklib/sim/SimFile.h"

using namespace tintoral::sim;

namespace {

void CheckGenerator(const SimItemSettings& item) {
  Generator generator(item.generator);
  const GeneratorSettings& s = item.generator;
  const bool bounded = s.kind != GeneratorKind::Constant && std::isfinite(s.min) && std::isfinite(s.max) &&
                       s.min <= s.max && std::isfinite(s.max - s.min);
  const double slack = bounded ? 1e-9 * (s.max - s.min + 1) : 0;
  for (const double seconds : {0.0, 0.25, 3.5, 7.0}) {
    const double value = generator.ValueAt(seconds);
    if (bounded && !(value >= s.min - slack && value <= s.max + slack)) {
      std::fprintf(stderr, "line %d: %g at %g s outside %g..%g\n", item.line, value, seconds, s.min, s.max);
      std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  // Lines with mistakes are reported and left out; the others must work.
  for (const SimItemSettings& item : ParseSimFile(text, "fuzz.sim").items) CheckGenerator(item);
  return 0;
}
