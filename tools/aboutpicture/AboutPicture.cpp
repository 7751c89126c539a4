// Generates the About box picture: the screen of a video waveform monitor showing one line
// of a 100/0/75/0 colour-bar signal (white, yellow, cyan, green, magenta, red, blue, black).
//
// The picture is a dark, slightly bluish CRT face set in a rounded plastic bezel. A dim
// graticule marks the IRE levels -40, 0, 25, 50, 75 and 100 (dashed: -20, 7.5, 20), with
// 5-IRE ticks on two vertical scales and dotted time divisions.
//
// The trace is simulated as an electron beam: the composite signal (sync pulse, colour
// burst, luminance staircase with the chroma subcarrier riding on every bar) is sampled
// densely in time and every sample deposits the same energy into a float buffer, so the
// beam's dwell time sets the brightness as on a real tube: flat levels are bright, the
// subcarrier becomes a band with brighter envelopes, fast edges are faint. Two successive
// lines with opposite subcarrier phase are overlaid slightly offset, and a dim low-passed
// sweep marks the luminance staircase inside the chroma bands. The energy is blurred into a
// sharp core and two soft halos, added together, tone-mapped to a green phosphor colour and
// composed in linear light before sRGB encoding.
//
// Output: 292 x 191 8-bit RGB PNG, not interlaced, with sRGB, gAMA and pHYs chunks. The
// output is deterministic: no time chunk, no random sources.
//
// Usage: aboutpicture OUT.png

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/graphics/PngEncoder.h"
#include "tools/support/ToolCommandLine.h"

namespace tintoral {
namespace {

constexpr int ImageWidth = 292;
constexpr int ImageHeight = 191;

// ---------------------------------------------------------------------------------------
// Small numeric helpers

struct Rgb {
  float r = 0, g = 0, b = 0;
};

Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
Rgb operator*(Rgb a, float k) { return {a.r * k, a.g * k, a.b * k}; }
Rgb mix(Rgb a, Rgb b, float t) { return a * (1.0f - t) + b * t; }

float clamp01(float x) { return std::clamp(x, 0.0f, 1.0f); }

float smoothstep(float edge0, float edge1, float x) {
  const float t = clamp01((x - edge0) / (edge1 - edge0));
  return t * t * (3.0f - 2.0f * t);
}

float srgbToLinear(float c) { return c <= 0.04045f ? c / 12.92f : std::pow((c + 0.055f) / 1.055f, 2.4f); }

float linearToSrgb(float c) {
  c = clamp01(c);
  return c <= 0.0031308f ? c * 12.92f : 1.055f * std::pow(c, 1.0f / 2.4f) - 0.055f;
}

// A colour given as 8-bit sRGB, converted to linear light.
Rgb srgb8(int r, int g, int b) {
  return {srgbToLinear(r / 255.0f), srgbToLinear(g / 255.0f), srgbToLinear(b / 255.0f)};
}

// Deterministic hash noise in [0, 1) for integer coordinates.
float hashNoise(std::uint32_t x, std::uint32_t y, std::uint32_t salt) {
  std::uint32_t h = x * 0x8da6b343u ^ y * 0xd8163841u ^ salt * 0xcb1ab31fu;
  h ^= h >> 15;
  h *= 0x2c1b3c6du;
  h ^= h >> 12;
  h *= 0x297a2d39u;
  h ^= h >> 15;
  return static_cast<float>(h >> 8) / static_cast<float>(1u << 24);
}

// ---------------------------------------------------------------------------------------
// Float planes and Gaussian blur

class Plane {
 public:
  Plane(int width, int height) : width_(width), height_(height), values_(width * height, 0.0f) {}

  int width() const { return width_; }
  int height() const { return height_; }
  float at(int x, int y) const { return values_[y * width_ + x]; }
  float& at(int x, int y) { return values_[y * width_ + x]; }

  // Adds energy at a fractional position, split bilinearly over the four nearest pixels.
  void deposit(float x, float y, float energy) {
    const float fx = x - 0.5f, fy = y - 0.5f;
    const int x0 = static_cast<int>(std::floor(fx)), y0 = static_cast<int>(std::floor(fy));
    const float tx = fx - x0, ty = fy - y0;
    addIfInside(x0, y0, energy * (1 - tx) * (1 - ty));
    addIfInside(x0 + 1, y0, energy * tx * (1 - ty));
    addIfInside(x0, y0 + 1, energy * (1 - tx) * ty);
    addIfInside(x0 + 1, y0 + 1, energy * tx * ty);
  }

  void addIfInside(int x, int y, float energy) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_) at(x, y) += energy;
  }

  // Coverage drawing: keeps the stronger of the existing and the new coverage.
  void cover(int x, int y, float coverage) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_) at(x, y) = std::max(at(x, y), coverage);
  }

 private:
  int width_;
  int height_;
  std::vector<float> values_;
};

std::vector<float> gaussianKernel(float sigma) {
  const int radius = static_cast<int>(std::ceil(sigma * 3.0f));
  std::vector<float> kernel(2 * radius + 1);
  float sum = 0;
  for (int i = -radius; i <= radius; ++i) {
    kernel[i + radius] = std::exp(-0.5f * i * i / (sigma * sigma));
    sum += kernel[i + radius];
  }
  for (float& k : kernel) k /= sum;
  return kernel;
}

// One blur pass along x (horizontal) or y; energy falling outside the plane is lost.
Plane blurPass(const Plane& source, const std::vector<float>& kernel, bool horizontal) {
  const int radius = static_cast<int>(kernel.size() / 2);
  Plane result(source.width(), source.height());
  for (int y = 0; y < source.height(); ++y) {
    for (int x = 0; x < source.width(); ++x) {
      float sum = 0;
      for (int i = -radius; i <= radius; ++i) {
        const int sx = horizontal ? x + i : x, sy = horizontal ? y : y + i;
        if (sx >= 0 && sy >= 0 && sx < source.width() && sy < source.height())
          sum += source.at(sx, sy) * kernel[i + radius];
      }
      result.at(x, y) = sum;
    }
  }
  return result;
}

Plane gaussianBlur(const Plane& source, float sigma) {
  const std::vector<float> kernel = gaussianKernel(sigma);
  return blurPass(blurPass(source, kernel, true), kernel, false);
}

// ---------------------------------------------------------------------------------------
// Screen geometry

struct RoundedRect {
  float left, top, right, bottom, radius;

  // Signed distance from the pixel centre (x, y): negative inside.
  float distance(float x, float y) const {
    const float cx = (left + right) / 2, cy = (top + bottom) / 2;
    const float qx = std::abs(x - cx) - ((right - left) / 2 - radius);
    const float qy = std::abs(y - cy) - ((bottom - top) / 2 - radius);
    const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - radius;
  }

  // Outward unit normal of the nearest edge, estimated from the distance field.
  std::array<float, 2> normal(float x, float y) const {
    const float dx = distance(x + 0.5f, y) - distance(x - 0.5f, y);
    const float dy = distance(x, y + 0.5f) - distance(x, y - 0.5f);
    const float length = std::max(std::hypot(dx, dy), 1e-6f);
    return {dx / length, dy / length};
  }

  float coverage(float x, float y) const { return clamp01(0.5f - distance(x, y)); }
};

constexpr RoundedRect BezelOutline{2, 2, 290, 189, 14};
constexpr RoundedRect ScreenOutline{14, 10, 278, 181, 15};

// The plotting area: time runs left to right, IRE levels bottom to top.
constexpr float PlotLeft = 27.0f;
constexpr float PlotRight = 265.0f;
constexpr float TopIreY = 28.5f;      // y of the 100 IRE line
constexpr float BottomIreY = 162.5f;  // y of the -40 IRE line
constexpr float SweepStartUs = -2.0f;
constexpr float SweepEndUs = 63.4f;

float ireToY(float ire) { return TopIreY + (100.0f - ire) * (BottomIreY - TopIreY) / 140.0f; }

float timeToX(float us) {
  return PlotLeft + (us - SweepStartUs) / (SweepEndUs - SweepStartUs) * (PlotRight - PlotLeft);
}

// ---------------------------------------------------------------------------------------
// The composite colour-bar line, in IRE units, time in microseconds from the sync edge

struct ColourBar {
  float red, green, blue;  // 0..1 gamma-corrected components
};

// 100 % white, then the coloured bars at 75 % amplitude, then black.
constexpr std::array<ColourBar, 8> Bars{{
    {1.00f, 1.00f, 1.00f},
    {0.75f, 0.75f, 0.00f},
    {0.00f, 0.75f, 0.75f},
    {0.00f, 0.75f, 0.00f},
    {0.75f, 0.00f, 0.75f},
    {0.75f, 0.00f, 0.00f},
    {0.00f, 0.00f, 0.75f},
    {0.00f, 0.00f, 0.00f},
}};

constexpr float SyncEndUs = 4.7f;
constexpr float SyncLevel = -40.0f;
constexpr float BurstStartUs = 5.3f;
constexpr float BurstEndUs = 7.8f;
constexpr float BurstAmplitude = 20.0f;
constexpr float ActiveStartUs = 9.4f;
constexpr float ActiveEndUs = 62.1f;
constexpr float SubcarrierMHz = 3.579545f;
constexpr float LumaRiseUs = 0.14f;
constexpr float ChromaRiseUs = 0.35f;

float barLuma(const ColourBar& bar) { return 0.299f * bar.red + 0.587f * bar.green + 0.114f * bar.blue; }

// Raised-cosine step from 0 to 1 centred on x = 0, lasting `rise`.
float softStep(float x, float rise) {
  if (x <= -rise / 2) return 0.0f;
  if (x >= rise / 2) return 1.0f;
  return 0.5f - 0.5f * std::cos(std::numbers::pi_v<float> * (x / rise + 0.5f));
}

// Small damped overshoot after an edge, as a band-limited amplifier shows it.
float ringing(float x) {
  if (x <= 0) return 0.0f;
  return 0.045f * std::sin(2 * std::numbers::pi_v<float> * x / 0.22f) * std::exp(-x / 0.12f);
}

float window(float t, float start, float end, float rise) {
  return softStep(t - start, rise) - softStep(t - end, rise);
}

class ColourBarLine {
 public:
  ColourBarLine() {
    addStep(0.0f, SyncLevel);
    addStep(SyncEndUs, -SyncLevel);
    float previous = 0.0f;
    for (std::size_t i = 0; i < Bars.size(); ++i) {
      const float luma = 100.0f * barLuma(Bars[i]);
      addStep(barStart(i), luma - previous);
      previous = luma;
    }
    addStep(ActiveEndUs, -previous);
  }

  // Luminance (with sync) at time t, without the subcarrier.
  float luma(float t) const {
    float level = 0.0f;
    for (const Step& step : steps_)
      level += step.delta * (softStep(t - step.time, LumaRiseUs) + ringing(t - step.time));
    return level;
  }

  // Full composite level at time t; `phaseFlip` inverts the subcarrier as on the next line.
  float composite(float t, bool phaseFlip) const {
    const float omega = 2 * std::numbers::pi_v<float> * SubcarrierMHz;
    const float sign = phaseFlip ? -1.0f : 1.0f;
    const float s = sign * std::sin(omega * t), c = sign * std::cos(omega * t);
    return luma(t) + burst(t, s) + chroma(t, s, c);
  }

 private:
  struct Step {
    float time;
    float delta;
  };

  void addStep(float time, float delta) { steps_.push_back({time, delta}); }

  static float barStart(std::size_t index) {
    return ActiveStartUs + (ActiveEndUs - ActiveStartUs) * static_cast<float>(index) / Bars.size();
  }

  // The burst sits on the -U axis, 20 IRE in amplitude.
  static float burst(float t, float sinPhase) {
    return -BurstAmplitude * sinPhase * window(t, BurstStartUs, BurstEndUs, ChromaRiseUs);
  }

  static float chroma(float t, float sinPhase, float cosPhase) {
    if (t < ActiveStartUs - ChromaRiseUs || t > ActiveEndUs + ChromaRiseUs) return 0.0f;
    float sum = 0.0f;
    for (std::size_t i = 0; i < Bars.size(); ++i) {
      const float w = window(t, barStart(i), barStart(i + 1), ChromaRiseUs);
      if (w == 0.0f) continue;
      const float luma = barLuma(Bars[i]);
      const float u = 0.492f * (Bars[i].blue - luma), v = 0.877f * (Bars[i].red - luma);
      sum += 100.0f * w * (u * sinPhase + v * cosPhase);
    }
    return sum;
  }

  std::vector<Step> steps_;
};

// ---------------------------------------------------------------------------------------
// Beam simulation

struct SweepPass {
  bool lumaOnly;
  bool phaseFlip;
  float offsetX, offsetY, brightness;
};

// Draws one sweep of the beam; every time sample deposits the same energy.
void sweepBeam(Plane& energy, const ColourBarLine& line, const SweepPass& pass) {
  constexpr int Samples = 900000;
  constexpr float EnergyPerColumn = 4.4f;
  const float energyPerSample = EnergyPerColumn * pass.brightness * (PlotRight - PlotLeft) / Samples;
  for (int i = 0; i < Samples; ++i) {
    const float t = SweepStartUs + (SweepEndUs - SweepStartUs) * (i + 0.5f) / Samples;
    const float ire = pass.lumaOnly ? line.luma(t) : line.composite(t, pass.phaseFlip);
    energy.deposit(timeToX(t) + pass.offsetX, ireToY(ire) + pass.offsetY, energyPerSample);
  }
}

Plane traceEnergy() {
  const ColourBarLine line;
  Plane energy(ImageWidth, ImageHeight);
  // Two successive lines, the second with inverted subcarrier and slightly offset.
  sweepBeam(energy, line,
            {.lumaOnly = false, .phaseFlip = false, .offsetX = 0.0f, .offsetY = 0.0f, .brightness = 1.0f});
  sweepBeam(energy, line,
            {.lumaOnly = false, .phaseFlip = true, .offsetX = 0.3f, .offsetY = 0.45f, .brightness = 0.85f});
  // A dim low-passed overlay that shows the luminance staircase inside the chroma bands.
  sweepBeam(energy, line,
            {.lumaOnly = true, .phaseFlip = false, .offsetX = 0.0f, .offsetY = 0.0f, .brightness = 0.22f});
  return energy;
}

// Sharp core plus two soft halos, summed additively.
Plane glowingTrace(const Plane& energy) {
  const Plane core = gaussianBlur(energy, 0.45f);
  const Plane nearHalo = gaussianBlur(energy, 2.0f);
  const Plane farHalo = gaussianBlur(energy, 7.0f);
  Plane result(ImageWidth, ImageHeight);
  for (int y = 0; y < ImageHeight; ++y)
    for (int x = 0; x < ImageWidth; ++x)
      result.at(x, y) = core.at(x, y) + 0.5f * nearHalo.at(x, y) + 0.6f * farHalo.at(x, y);
  return result;
}

// Green phosphor: saturates to green first, then washes out towards white when very bright.
Rgb phosphor(float intensity) {
  const float green = 1.0f - std::exp(-2.4f * std::pow(intensity, 1.7f));
  const float white = 1.0f - std::exp(-0.07f * intensity * intensity);
  return Rgb{0.10f, 1.0f, 0.22f} * green * 0.9f + Rgb{0.55f, 0.35f, 0.5f} * white * 0.75f;
}

// ---------------------------------------------------------------------------------------
// Graticule

// Anti-aliased line of width 1 between two points.
void drawLine(Plane& plane, float x0, float y0, float x1, float y1, float strength = 1.0f) {
  const int left = static_cast<int>(std::floor(std::min(x0, x1) - 2));
  const int right = static_cast<int>(std::ceil(std::max(x0, x1) + 2));
  const int top = static_cast<int>(std::floor(std::min(y0, y1) - 2));
  const int bottom = static_cast<int>(std::ceil(std::max(y0, y1) + 2));
  const float dx = x1 - x0, dy = y1 - y0;
  const float lengthSquared = std::max(dx * dx + dy * dy, 1e-6f);
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) {
      const float px = x + 0.5f, py = y + 0.5f;
      const float t = std::clamp(((px - x0) * dx + (py - y0) * dy) / lengthSquared, 0.0f, 1.0f);
      const float distance = std::hypot(px - (x0 + t * dx), py - (y0 + t * dy));
      plane.cover(x, y, strength * clamp01(1.0f - distance));
    }
  }
}

void drawHorizontal(Plane& plane, float x0, float x1, float y, float strength = 1.0f) {
  drawLine(plane, x0, y, x1, y, strength);
}

void drawVertical(Plane& plane, float x, float y0, float y1, float strength = 1.0f) {
  drawLine(plane, x, y0, x, y1, strength);
}

void drawLevelLines(Plane& plane) {
  for (float ire : {100.0f, 75.0f, 50.0f, 25.0f, 0.0f, -40.0f})
    drawHorizontal(plane, PlotLeft, PlotRight, ireToY(ire), ire == 0.0f || ire == 100.0f ? 1.0f : 0.8f);
  // Dashed references at +-20 IRE for the burst and 7.5 IRE set-up.
  for (float ire : {20.0f, -20.0f, 7.5f})
    for (float x = PlotLeft; x < PlotRight; x += 6.0f)
      drawHorizontal(plane, x, std::min(x + 2.0f, PlotRight), ireToY(ire), 0.45f);
}

// Scale ticks on a vertical axis: every 5 IRE short, every 10 IRE longer.
void drawIreScale(Plane& plane, float axisX) {
  drawVertical(plane, axisX, ireToY(100.0f), ireToY(-40.0f));
  for (int ire = -40; ire <= 100; ire += 5) {
    const float half = ire % 10 == 0 ? 3.0f : 1.5f;
    drawHorizontal(plane, axisX - half, axisX + half, ireToY(static_cast<float>(ire)));
  }
}

constexpr int TimeDivisions = 10;

float divisionX(int index) { return PlotLeft + (PlotRight - PlotLeft) * index / TimeDivisions; }

void drawTimeDivisions(Plane& plane) {
  for (int d = 0; d <= TimeDivisions; ++d) {
    const float x = divisionX(d);
    for (float y = ireToY(100.0f); y < ireToY(-40.0f); y += 4.0f) drawVertical(plane, x, y, y + 1.0f, 0.5f);
  }
  // Fifth-division ticks along the blanking level.
  const float baseline = ireToY(0.0f);
  for (int tick = 0; tick <= TimeDivisions * 5; ++tick) {
    const float x = PlotLeft + (PlotRight - PlotLeft) * tick / (TimeDivisions * 5);
    const float half = tick % 5 == 0 ? 3.0f : 1.5f;
    drawVertical(plane, x, baseline - half, baseline + half);
  }
}

Plane graticule() {
  Plane plane(ImageWidth, ImageHeight);
  drawLevelLines(plane);
  drawTimeDivisions(plane);
  drawIreScale(plane, divisionX(0));
  drawIreScale(plane, divisionX(TimeDivisions / 2));
  return plane;
}

// ---------------------------------------------------------------------------------------
// Bezel and tube face

Rgb bezelColour(int x, int y) {
  const float px = x + 0.5f, py = y + 0.5f;
  // Plastic with light from above: lighter at the top, faint grain.
  const float vertical = py / ImageHeight;
  Rgb colour = mix(srgb8(58, 59, 63), srgb8(30, 31, 34), vertical);
  colour = colour * (0.97f + 0.06f * hashNoise(x, y, 7));
  // Rounded outer edge: a lit rim at the top, darker at the bottom.
  const float outerDistance = -BezelOutline.distance(px, py);
  const auto outerNormal = BezelOutline.normal(px, py);
  const float rim = 1.0f - smoothstep(0.0f, 3.0f, outerDistance);
  colour = colour * (1.0f + rim * (-0.6f * outerNormal[1] - 0.2f));
  // Recessed lip around the tube face: the lower wall catches the light.
  const float screenDistance = ScreenOutline.distance(px, py);
  const auto screenNormal = ScreenOutline.normal(px, py);
  const float lip = 1.0f - smoothstep(0.0f, 5.0f, screenDistance);
  const float lit = std::max(0.0f, 0.35f * screenNormal[0] + 0.94f * screenNormal[1]);
  const Rgb lipColour = mix(srgb8(12, 12, 14), srgb8(88, 90, 96), lit * lit);
  colour = mix(colour, lipColour, lip);
  // The whole bezel sits on a black background outside its rounded outline.
  return colour * BezelOutline.coverage(px, py);
}

// Slightly bluish black, darker towards the curved edges, with a faint glass reflection.
Rgb tubeFace(int x, int y) {
  const float px = x + 0.5f, py = y + 0.5f;
  const float nx = (px - ImageWidth / 2.0f) / (ImageWidth / 2.0f);
  const float ny = (py - ImageHeight / 2.0f) / (ImageHeight / 2.0f);
  const float vignette = clamp01(1.0f - 0.45f * (nx * nx + ny * ny));
  Rgb colour = mix(srgb8(5, 8, 13), srgb8(15, 20, 28), vignette);
  // Reflection of a window: a soft diagonal band across the upper left of the glass.
  const float along = 0.8f * nx + 0.6f * ny;
  const float band = std::exp(-std::pow((along + 0.55f) / 0.16f, 2.0f)) * smoothstep(0.2f, -0.9f, ny);
  colour = colour + srgb8(48, 52, 60) * (0.35f * band);
  // Inner shadow where the glass meets the bezel.
  const float edge = smoothstep(0.0f, 6.0f, -ScreenOutline.distance(px, py));
  return colour * (0.55f + 0.45f * edge);
}

// ---------------------------------------------------------------------------------------
// Composition and output

using Pixels = std::vector<std::uint8_t>;

Pixels composePicture() {
  const Plane trace = glowingTrace(traceEnergy());
  const Plane lines = graticule();
  const Plane linesGlow = gaussianBlur(lines, 1.5f);
  const Rgb graticuleColour = srgb8(92, 122, 104);
  Pixels pixels(ImageWidth * ImageHeight * 3);
  for (int y = 0; y < ImageHeight; ++y) {
    for (int x = 0; x < ImageWidth; ++x) {
      const float screen = ScreenOutline.coverage(x + 0.5f, y + 0.5f);
      const float graticuleLight = 0.34f * lines.at(x, y) + 0.2f * linesGlow.at(x, y);
      const Rgb face = tubeFace(x, y) + graticuleColour * graticuleLight + phosphor(trace.at(x, y));
      const Rgb colour = mix(bezelColour(x, y), face, screen);
      const std::array<float, 3> channels{colour.r, colour.g, colour.b};
      for (int c = 0; c < 3; ++c) {
        const float dither = hashNoise(x, y, 11 + c) - 0.5f;
        const float value = std::round(linearToSrgb(channels[c]) * 255.0f + dither);
        pixels[(y * ImageWidth + x) * 3 + c] = static_cast<std::uint8_t>(std::clamp(value, 0.0f, 255.0f));
      }
    }
  }
  return pixels;
}

void writePicture(const std::string& path) {
  const Pixels pixels = composePicture();
  const TPngChunks chunks{.srgb = true, .gamma = true, .dotsPerInch96 = true, .compressionLevel = 9};
  SavePngBytes(EncodePng({pixels.data(), ImageWidth, ImageHeight, 3}, chunks), path);
}

}  // namespace
}  // namespace tintoral

int main(int argc, char** argv) {
  const tintoral::TToolDescription tool{"aboutpicture", "aboutpicture OUT.png",
                                        "Draws the About box picture (292 x 191) and writes it as a PNG.", ""};
  if (tintoral::AnswerHelpOrVersion(tool, tintoral::ToolArguments(argc, argv))) return 0;
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s\n", tool.usage.data());
    return 2;
  }
  if (const auto problem = tintoral::PngNameProblem(argv[1])) {
    std::fprintf(stderr, "aboutpicture: %s\n", problem->c_str());
    return 1;
  }
  try {
    tintoral::writePicture(argv[1]);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "aboutpicture: %s\n", error.what());
    return 1;
  }
  return 0;
}
