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

enum class End { Low, High };

// The values tried in turn until a setter takes one without an error.
std::vector<std::int64_t> OrdinalCandidates(const TPropertyInfo& property, End end) {
  if (end == End::High) return {property.MaxValue(), kCoordinateLimit, 1024, 1};
  return {property.MinValue(), -kCoordinateLimit, 0};
}

std::vector<long double> FloatCandidates(TFloatType type, End end) {
  const long double max = type == ftSingle ? FLT_MAX : DBL_MAX;
  const long double tiny = type == ftSingle ? FLT_TRUE_MIN : DBL_TRUE_MIN;
  if (end == End::High) return {max, 1.0L / 3};
  return {-max, tiny};
}

std::vector<std::string> StringCandidates(End end) {
  if (end == End::Low) return {"A"};
  std::string text;
  for (int i = 0; i < 20; ++i)
    text +=
        "Espa\xF1"
        "a 9,5 ";
  return {text + "\xA9", "A"};
}

template <class Value, class Set>
void SetFirstAccepted(const std::vector<Value>& candidates, Set set) {
  for (const Value& value : candidates) {
    try {
      set(value);
      return;
    } catch (const Exception&) {
    }
  }
}

void SetToExtremes(TPersistent& root, End end) {
  WalkProperties(
      root, true, [](const std::string&) { return true; },
      [&](const TPersistent& held, const TPropertyInfo& property, const std::string&) {
        auto& owner = const_cast<TPersistent&>(held);
        const TTypeKind kind = property.Kind();
        if (kind == tkFloat)
          SetFirstAccepted(FloatCandidates(property.FloatType(), end),
                           [&](long double v) { property.SetFloat(owner, v); });
        else if (IsStringKind(kind) && property.Name() != "Name")
          SetFirstAccepted(StringCandidates(end), [&](const std::string& v) { property.SetString(owner, v); });
        else if (IsOrdinalKind(kind) && kind != tkInt64)
          SetFirstAccepted(OrdinalCandidates(property, end), [&](std::int64_t v) { property.SetOrdinal(owner, v); });
        return false;
      });
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

class PropertyRoundTrip : public ::testing::TestWithParam<const char*> {
 protected:
  static void SetUpTestSuite() { RegisterInstruments(); }
};

TEST_P(PropertyRoundTrip, ExtremeValuesLoadBackEqual) {
  for (const End end : {End::High, End::Low}) {
    SCOPED_TRACE(end == End::High ? "highest values" : "lowest values");
    const std::unique_ptr<TComponent> source(CreateComponent(GetParam(), nullptr));
    const std::unique_ptr<TComponent> target(CreateComponent(GetParam(), nullptr));
    SetToExtremes(*source, end);
    const std::vector<std::string> saved = PropertyFileLines(*source, false);
    std::string file;
    for (const std::string& line : saved) file += line + "\r\n";

    LoadPropertiesFromText(*target, file);
    EXPECT_EQ(Joined(PropertyFileLines(*target, false)), Joined(saved));
  }
}

// Values whose setters depend on others that a file sets later.
TEST(PropertyFileOrder, SettersThatDependOnEachOtherLoadBackEqual) {
  struct Case {
    const char* what;
    double min, max, position;
    TiOrientation orientation;
  };
  const Case cases[] = {
      {"position beyond the default range", 0, 1000, 500, ioVertical},
      {"negative range", -50, -10, -20, ioVertical},
      {"horizontal, width and height swapped by Orientation", 0, 100, 30, ioHorizontal},
  };
  for (const Case& c : cases) {
    TiSlider source(nullptr), target(nullptr);
    source.SetOrientation(c.orientation);
    source.SetBounds(0, 0, c.orientation == ioHorizontal ? 200 : 70, c.orientation == ioHorizontal ? 70 : 200);
    source.SetPositionMax(c.max);
    source.SetPositionMin(c.min);
    source.SetPosition(c.position);
    std::string file;
    for (const std::string& line : PropertyFileLines(source, true)) file += line + "\r\n";
    LoadPropertiesFromText(target, file);
    EXPECT_EQ(target.Position(), c.position) << c.what;
    EXPECT_EQ(target.PositionMin(), c.min) << c.what;
    EXPECT_EQ(target.PositionMax(), c.max) << c.what;
    EXPECT_EQ(target.BoundsRect(), source.BoundsRect()) << c.what;
  }
}

INSTANTIATE_TEST_SUITE_P(EveryInstrument, PropertyRoundTrip,
                         ::testing::Values("TiSlider", "TiLabel", "TiLCDMatrix", "TiObjectCanvas",
                                           "TiSevenSegmentCharacter", "TiSevenSegmentInteger", "TiSevenSegmentAnalog"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
}  // namespace tintoral
