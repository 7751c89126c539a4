#include "platform/window/ScreenScaling.h"

#include <QGuiApplication>

#include <charconv>
#include <cmath>
#include <string>

namespace tintoral {

int NearestWholeScaleFactor(double factor) {
  const double whole = std::floor(factor + 0.5);
  return whole < 1 ? 1 : static_cast<int>(whole);
}

std::optional<int> WholeScaleFactorForText(std::string_view text) {
  double factor = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), factor);
  if (error != std::errc() || end != text.data() + text.size() || !(factor > 0) || !std::isfinite(factor))
    return std::nullopt;
  return NearestWholeScaleFactor(factor);
}

void UseWholeScreenScaleFactors() {
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
  const QByteArray requested = qgetenv("QT_SCALE_FACTOR");
  const std::optional<int> whole = WholeScaleFactorForText(std::string_view(requested.data(), requested.size()));
  if (whole) qputenv("QT_SCALE_FACTOR", QByteArray::number(*whole));
}

}  // namespace tintoral
