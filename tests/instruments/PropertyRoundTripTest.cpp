// Every published property of every instrument, set to the extreme values
// its setter accepts, comes back from a property file: the loaded instrument
// writes the same lines as the one saved.
#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "instruments/InstrumentClasses.h"
#include "instruments/Slider.h"
#include "instruments/base/PropertyFile.h"
#include "instruments/base/PropertyWalk.h"
#include "platform/window/Control.h"
#include "runtime/ClassRegistry.h"
#include "runtime/Component.h"
#include "runtime/Exception.h"

namespace tintoral {
namespace {

// The values tried at the high or the low end, in turn, until a setter takes one without an error.
std::vector<std::int64_t> OrdinalCandidates(const TPropertyInfo& p, bool high) {
  return high ? std::vector<std::int64_t>{p.MaxValue(), kCoordinateLimit, 1024, 1}
              : std::vector<std::int64_t>{p.MinValue(), -kCoordinateLimit, 0};
}
std::vector<long double> FloatCandidates(TFloatType type, bool high) {
  const long double max = type == ftSingle ? FLT_MAX : DBL_MAX;
  return high ? std::vector<long double>{max, 1.0L / 3}
              : std::vector<long double>{-max, type == ftSingle ? FLT_TRUE_MIN : DBL_TRUE_MIN};
}
std::vector<std::string> StringCandidates(bool high) {
  return high ? std::vector<std::string>{std::string(150, '\xF1') + " 9,5 \xA9", "A"} : std::vector<std::string>{"A"};
}

template <class Value, class Set>
void SetFirstAccepted(const std::vector<Value>& candidates, Set set) {
  for (const Value& value : candidates) {
    try {
      return set(value);
    } catch (const Exception&) {
    }
  }
}

void SetToExtremes(TPersistent& root, bool high) {
  WalkProperties(
      root, true, [](const std::string&) { return true; },
      [&](const TPersistent& held, const TPropertyInfo& p, const std::string&) {
        auto& owner = const_cast<TPersistent&>(held);
        if (p.Kind() == tkFloat)
          SetFirstAccepted(FloatCandidates(p.FloatType(), high), [&](long double v) { p.SetFloat(owner, v); });
        else if (IsStringKind(p.Kind()) && p.Name() != "Name")
          SetFirstAccepted(StringCandidates(high), [&](const std::string& v) { p.SetString(owner, v); });
        else if (IsOrdinalKind(p.Kind()) && p.Kind() != tkInt64)
          SetFirstAccepted(OrdinalCandidates(p, high), [&](std::int64_t v) { p.SetOrdinal(owner, v); });
        return false;
      });
}

// Saves `source` and loads the file into `target`.
void SaveAndLoad(const TPersistent& source, TPersistent& target, bool saveAll) {
  std::string file;
  for (const std::string& line : PropertyFileLines(source, saveAll)) file += line + "\r\n";
  LoadPropertiesFromText(target, file);
}

class PropertyRoundTrip : public ::testing::TestWithParam<const char*> {
 protected:
  static void SetUpTestSuite() { RegisterInstruments(); }
};

TEST_P(PropertyRoundTrip, ExtremeValuesLoadBackEqual) {
  for (const bool high : {true, false}) {
    const std::unique_ptr<TComponent> source(CreateComponent(GetParam(), nullptr));
    const std::unique_ptr<TComponent> target(CreateComponent(GetParam(), nullptr));
    SetToExtremes(*source, high);
    SaveAndLoad(*source, *target, false);
    EXPECT_EQ(PropertyFileLines(*target, false), PropertyFileLines(*source, false)) << high;
  }
}

// Setters that depend on values the file sets later: Position on the range,
// Width and Height on Orientation.
TEST(PropertyFileOrder, SettersThatDependOnEachOtherLoadBackEqual) {
  const struct {
    double min, max, position;
    TiOrientation orientation;
  } cases[] = {{0, 1000, 500, ioVertical}, {-50, -10, -20, ioVertical}, {0, 100, 30, ioHorizontal}};
  for (const auto& c : cases) {
    TiSlider source(nullptr), target(nullptr);
    source.SetOrientation(c.orientation);
    source.SetBounds(0, 0, c.orientation == ioHorizontal ? 200 : 70, c.orientation == ioHorizontal ? 70 : 200);
    source.SetMinMax(c.min, c.max);
    source.SetPosition(c.position);
    SaveAndLoad(source, target, true);
    EXPECT_EQ(target.Position(), c.position) << c.position;
    EXPECT_EQ(target.PositionMin(), c.min) << c.position;
    EXPECT_EQ(target.PositionMax(), c.max) << c.position;
    EXPECT_EQ(target.BoundsRect(), source.BoundsRect()) << c.position;
  }
}

INSTANTIATE_TEST_SUITE_P(EveryInstrument, PropertyRoundTrip,
                         ::testing::Values("TiSlider", "TiLabel", "TiLCDMatrix", "TiObjectCanvas",
                                           "TiSevenSegmentCharacter", "TiSevenSegmentInteger", "TiSevenSegmentAnalog",
                                           "TiTrendChart"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
}  // namespace tintoral
