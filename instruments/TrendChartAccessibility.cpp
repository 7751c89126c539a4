#include "instruments/TrendChartAccessibility.h"

#include <limits>
#include <memory>
#include <string>

#include "instruments/TrendChart.h"
#include "platform/window/AccessibleDescription.h"
#include "runtime/NumberText.h"
#include "runtime/Windows1252.h"

namespace tintoral {
namespace {

class TTrendChartDescriber : public TAccessibleDescriber {
 public:
  TAccessibleRole Role(const TControl&) const override { return TAccessibleRole::Graphic; }
  std::u16string Name(const TControl& control) const override {
    return Windows1252ToUtf16(control.Hint().empty() ? control.Name() : control.Hint());
  }
  // "Nivel: 42.5; Consigna: 50" (a gap or no value: "sin valor").
  std::u16string Description(const TControl& control) const override {
    const auto& chart = static_cast<const TiTrendChart&>(control);
    const std::vector<TiTrendReading> readings =
        chart.CursorVisible() ? chart.CursorReadings() : std::vector<TiTrendReading>{};
    std::string text;
    for (int i = 0; i < chart.ChannelCount(); ++i) {
      const TiTrendChannel& channel = chart.Channel(i);
      if (!channel.Visible()) continue;
      double value = channel.Value();
      if (chart.CursorVisible())
        value = readings[static_cast<std::size_t>(i)].present ? readings[static_cast<std::size_t>(i)].value
                                                              : std::numeric_limits<double>::quiet_NaN();
      if (!text.empty()) text += "; ";
      text += (channel.Caption().empty() ? "Channel" + std::to_string(i + 1) : channel.Caption()) + ": ";
      text += value == value ? FloatToText(value, 6) : std::string("sin valor");
    }
    return Windows1252ToUtf16(text);
  }
};

}  // namespace

void RegisterTrendChartAccessibility() {
  RegisterAccessibleDescriber<TiTrendChart>(std::make_shared<TTrendChartDescriber>());
}

}  // namespace tintoral
