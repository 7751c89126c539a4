// Feeds arbitrary bytes as the contents of a property file through the
// loading path into a test component that publishes every property kind,
// a held sub-object and a component link (pointing back at itself, so the
// walk meets a cycle). Errors of the general exception kind are expected;
// anything else, or an update bracket left open, is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "instruments/base/PropertyFile.h"
#include "runtime/Exception.h"
#include "tests/runtime/support/TestClasses.h"

using namespace tintoral;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view contents(reinterpret_cast<const char*>(data), size);
  test::TTestGauge gauge(nullptr);
  gauge.SetBuddy(&gauge);
  int open = 0;
  const TPropertyUpdateHooks hooks{[&] { ++open; }, [&] { --open; }};
  try {
    LoadPropertiesFromText(gauge, contents, hooks);
  } catch (const Exception&) {
  }
  if (open != 0) std::abort();
  // What was loaded must save again without error.
  (void)PropertyFileLines(gauge, true);
  return 0;
}
