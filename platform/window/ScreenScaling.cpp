#include "platform/window/ScreenScaling.h"

#include <QGuiApplication>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
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

std::string WholeScreenScaleFactorsText(std::string_view text) {
  std::string result;
  for (std::size_t begin = 0; begin <= text.size();) {
    const std::size_t end = std::min(text.find(';', begin), text.size());
    const std::string_view entry = text.substr(begin, end - begin);
    const std::size_t equals = entry.find('=');
    const std::size_t factorAt = equals == std::string_view::npos ? 0 : equals + 1;
    const std::optional<int> whole = WholeScaleFactorForText(entry.substr(factorAt));
    result += whole ? std::string(entry.substr(0, factorAt)) + std::to_string(*whole) : std::string(entry);
    if (end < text.size()) result += ';';
    begin = end + 1;
  }
  return result;
}

TZoomPlacement PlaceZoomedClient(int wanted, bool fill, int maxZoom, int windowWidth, int windowHeight, int clientWidth,
                                 int clientHeight) {
  int zoom = std::max(1, fill ? maxZoom : std::min(wanted, maxZoom));
  const auto fits = [&](int z) {
    return std::int64_t{clientWidth} * z <= windowWidth && std::int64_t{clientHeight} * z <= windowHeight;
  };
  while (zoom > 1 && !fits(zoom)) --zoom;
  return {zoom, std::max(0, (windowWidth - clientWidth * zoom) / 2),
          std::max(0, (windowHeight - clientHeight * zoom) / 2)};
}

void UseWholeScreenScaleFactors() {
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
  const QByteArray requested = qgetenv("QT_SCALE_FACTOR");
  const std::optional<int> whole = WholeScaleFactorForText(std::string_view(requested.data(), requested.size()));
  if (whole) qputenv("QT_SCALE_FACTOR", QByteArray::number(*whole));
  const QByteArray screens = qgetenv("QT_SCREEN_SCALE_FACTORS");
  if (!screens.isEmpty())
    qputenv("QT_SCREEN_SCALE_FACTORS",
            QByteArray::fromStdString(WholeScreenScaleFactorsText(std::string_view(screens.data(), screens.size()))));
}

}  // namespace tintoral
