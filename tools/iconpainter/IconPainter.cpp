// Generates the program's icon at one pixel size: a slate tile holding the
// round face of a vectorscope, its reference circle and axes, and the six
// saturated colours (red, yellow, green, cyan, blue, magenta) as dots at the
// ends of their chrominance vectors, joined by the green trace. The vectors
// come from the program's own colour-signal arithmetic, so the icon shows
// what the window computes. Strokes and dots never get thinner than about a
// pixel, so the small sizes stay readable.
//
// Usage: iconpainter SIZE OUT.png

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/ColorSignals.h"
#include "tools/iconpainter/IconRaster.h"
#include "tools/support/ToolCommandLine.h"

namespace tintoral {
namespace {

constexpr float kCentre = 128.0f;
constexpr float kFaceRadius = 92.0f;
constexpr float kReferenceRadius = 66.0f;  // the red and cyan vectors end on it

struct Point {
  float x, y;
};

IconColor Srgb8(int r, int g, int b, float a = 1.0f) { return {r / 255.0f, g / 255.0f, b / 255.0f, a}; }

IconColor FromTColor(TColor color) { return Srgb8(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF); }

// ---- Shapes (signed distances, negative inside) -------------------------------------------

IconShape RoundedSquare(float inset, float radius) {
  return [=](float x, float y) {
    const float half = kCentre - inset;
    const float qx = std::abs(x - kCentre) - (half - radius), qy = std::abs(y - kCentre) - (half - radius);
    return std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f)) + std::min(std::max(qx, qy), 0.0f) - radius;
  };
}

IconShape Disc(Point centre, float radius) {
  return [=](float x, float y) { return std::hypot(x - centre.x, y - centre.y) - radius; };
}

IconShape Ring(Point centre, float radius, float width) {
  return [=](float x, float y) { return std::abs(std::hypot(x - centre.x, y - centre.y) - radius) - width / 2; };
}

IconShape Segment(Point a, Point b, float width) {
  return [=](float x, float y) {
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float t = std::clamp(((x - a.x) * dx + (y - a.y) * dy) / (dx * dx + dy * dy), 0.0f, 1.0f);
    return std::hypot(x - (a.x + t * dx), y - (a.y + t * dy)) - width / 2;
  };
}

// ---- The design ----------------------------------------------------------------------------

struct Target {
  Point at;
  IconColor color;
};

// The six saturated colours in hue order, placed at their chrominance
// vectors (U to the right, V up) scaled so that the longest ends on the
// reference circle.
std::vector<Target> ColourTargets() {
  constexpr std::array<std::array<int, 3>, 6> levels{
      {{100, 0, 0}, {100, 100, 0}, {0, 100, 0}, {0, 100, 100}, {0, 0, 100}, {100, 0, 100}}};
  std::vector<TColorSignalValues> signals;
  double longest = 0;
  for (const auto& [r, g, b] : levels) {
    signals.push_back(ComputeColorSignals(r, g, b));
    longest = std::max(longest, std::hypot(signals.back().U, signals.back().V));
  }
  std::vector<Target> targets;
  const double scale = kReferenceRadius / longest;
  for (const TColorSignalValues& s : signals)
    targets.push_back({{kCentre + static_cast<float>(s.U * scale), kCentre - static_cast<float>(s.V * scale)},
                       FromTColor(s.SwatchColor)});
  return targets;
}

void PaintTile(IconRaster& icon) {
  icon.Fill(RoundedSquare(10, 46), [](float, float y) {
    const float t = y / IconRaster::kDesignUnits;
    return IconColor{0.20f - 0.09f * t, 0.27f - 0.11f * t, 0.34f - 0.13f * t, 1};
  });
}

void PaintFace(IconRaster& icon, float line) {
  const Point centre{kCentre, kCentre};
  icon.Fill(Disc(centre, kFaceRadius + 7), Srgb8(150, 160, 172));
  icon.Fill(Disc(centre, kFaceRadius), [](float x, float y) {
    // A faint glow towards the middle of the tube.
    const float d = std::hypot(x - kCentre, y - kCentre) / kFaceRadius;
    return IconColor{0.03f, 0.10f + 0.06f * (1 - d), 0.07f + 0.03f * (1 - d), 1};
  });
  const IconColor graticule = Srgb8(60, 150, 95, 0.85f);
  icon.Fill(Ring(centre, kReferenceRadius, line), graticule);
  const float reach = kFaceRadius - 8;
  icon.Fill(Segment({kCentre - reach, kCentre}, {kCentre + reach, kCentre}, line), graticule);
  icon.Fill(Segment({kCentre, kCentre - reach}, {kCentre, kCentre + reach}, line), graticule);
}

void PaintTrace(IconRaster& icon, const std::vector<Target>& targets, float line, float dot) {
  const IconColor trace = Srgb8(150, 255, 180);
  for (std::size_t i = 0; i < targets.size(); ++i)
    icon.Fill(Segment(targets[i].at, targets[(i + 1) % targets.size()].at, line * 1.3f), trace);
  icon.Fill(Disc({kCentre, kCentre}, dot * 0.6f), trace);
  for (const Target& target : targets) {
    icon.Fill(Disc(target.at, dot + line * 0.8f), Srgb8(8, 20, 14));
    icon.Fill(Disc(target.at, dot), target.color);
  }
}

void PaintIcon(int size, const std::string& path) {
  IconRaster icon(size);
  const float pixel = icon.UnitsPerPixel();
  const float line = std::max(3.0f, pixel);
  const float dot = std::max(11.0f, pixel * 1.2f);
  PaintTile(icon);
  PaintFace(icon, line);
  PaintTrace(icon, ColourTargets(), line, dot);
  icon.SavePng(path);
}

int ParseSize(const std::string& text) {
  std::size_t end = 0;
  const int size = std::stoi(text, &end);
  if (end != text.size() || size < 8 || size > 1024) throw std::invalid_argument("size must be 8 … 1024: " + text);
  return size;
}

}  // namespace
}  // namespace tintoral

int main(int argc, char** argv) {
  const tintoral::TToolDescription tool{
      "iconpainter", "iconpainter SIZE OUT.png",
      "Draws the program's icon SIZE x SIZE pixels (8 ... 1024) and writes it as a PNG.", ""};
  if (tintoral::AnswerHelpOrVersion(tool, tintoral::ToolArguments(argc, argv))) return 0;
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s\n", tool.usage.data());
    return 2;
  }
  if (const auto problem = tintoral::PngNameProblem(argv[2])) {
    std::fprintf(stderr, "iconpainter: %s\n", problem->c_str());
    return 1;
  }
  try {
    tintoral::PaintIcon(tintoral::ParseSize(argv[1]), argv[2]);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "iconpainter: %s\n", error.what());
    return 1;
  }
  return 0;
}
