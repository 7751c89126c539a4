#include "platform/graphics/FontResolver.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <functional>
#include <unordered_map>

#include "platform/graphics/FontSubstitution.h"
#include "runtime/Exception.h"
#include "runtime/Windows1252.h"

namespace tintoral {
namespace {

// Height 0 asks for the default size, 8 points.
constexpr int kDefaultEmPixels = 11;
// Beyond this a glyph would need an unreasonable amount of memory.
constexpr int kMaxEmPixels = 1000;

bool IsControlCharacter(char16_t ch) { return ch < 0x20 || (ch >= 0x7F && ch <= 0x9F); }

int CeilMetric(qreal value) { return static_cast<int>(std::ceil(value)); }

// Cell height as the classic font mapper reports it: ascent and descent each
// rounded up to whole pixels.
int CellHeightOf(const QFont& font) {
  const QFontMetricsF metrics(font);
  return CeilMetric(metrics.ascent()) + CeilMetric(metrics.descent());
}

QFont QtFontFor(const TFont& font) {
  QFont qfont(QString::fromStdString(SubstituteFontFamily(font.Name())));
  qfont.setBold((font.Style() & FontStyleBit(fsBold)) != 0);
  qfont.setItalic((font.Style() & FontStyleBit(fsItalic)) != 0);
  qfont.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
  qfont.setHintingPreference(QFont::PreferFullHinting);
  qfont.setKerning(false);
  qfont.setPixelSize(EmPixelsForHeight(qfont, font.Height()));
  return qfont;
}

struct FontKey {
  std::string name;
  int height = 0;
  TFontStyles style = 0;
  bool operator==(const FontKey&) const = default;
};

struct FontKeyHash {
  std::size_t operator()(const FontKey& key) const {
    return std::hash<std::string>()(key.name) ^ (static_cast<std::size_t>(key.height) * 131u) ^
           (static_cast<std::size_t>(key.style) << 24);
  }
};

class FontCache {
 public:
  const ResolvedFont& Get(const TFont& font) {
    if (last_ && last_->first.height == font.Height() && last_->first.style == font.Style() &&
        last_->first.name == font.Name())
      return *last_->second;
    FontKey key{font.Name(), font.Height(), font.Style()};
    auto found = fonts_.find(key);
    if (found == fonts_.end()) {
      if (!QGuiApplication::instance()) throw GraphicsError("Fonts need the GUI application to be running");
      auto resolved = std::make_unique<ResolvedFont>(QtFontFor(font), font.Style());
      found = fonts_.emplace(std::move(key), std::move(resolved)).first;
    }
    last_ = &*found;
    return *found->second;
  }

 private:
  std::unordered_map<FontKey, std::unique_ptr<ResolvedFont>, FontKeyHash> fonts_;
  const std::pair<const FontKey, std::unique_ptr<ResolvedFont>>* last_ = nullptr;
};

// Renders a glyph once with QPainter and keeps the covered pixels only, placed
// relative to the pen position at the top of a cell with the given ascent.
std::unique_ptr<GlyphMask> RenderGlyphMask(const QFont& font, int ascent, char16_t unicode) {
  auto mask = std::make_unique<GlyphMask>();
  if (IsControlCharacter(unicode)) return mask;

  const QString text(QChar{unicode});
  const QRect ink = QFontMetrics(font).boundingRect(text);
  const int margin = 2 + font.pixelSize() / 4;  // hinting may move ink past the reported bounds
  const QRect area = ink.adjusted(-margin, -margin, margin, margin);
  QImage image(area.size(), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPoint(-area.left(), -area.top()), text);
  }

  int minX = image.width(), minY = image.height(), maxX = -1, maxY = -1;
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (qAlpha(row[x]) == 0) continue;
      minX = std::min(minX, x);
      maxX = std::max(maxX, x);
      minY = std::min(minY, y);
      maxY = std::max(maxY, y);
    }
  }
  if (maxX < 0) return mask;

  mask->left = area.left() + minX;
  mask->top = ascent + area.top() + minY;
  mask->width = maxX - minX + 1;
  mask->height = maxY - minY + 1;
  mask->coverage.resize(static_cast<std::size_t>(mask->width) * mask->height);
  for (int y = 0; y < mask->height; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(minY + y));
    for (int x = 0; x < mask->width; ++x)
      mask->coverage[static_cast<std::size_t>(y) * mask->width + x] = static_cast<std::uint8_t>(qAlpha(row[minX + x]));
  }
  return mask;
}

// Widens a glyph by one pixel: every column also covers the column to its
// right, as a second impression one pixel over would.
void Overstrike(GlyphMask& mask) {
  if (mask.width == 0) return;
  const int width = mask.width + 1;
  std::vector<std::uint8_t> coverage(static_cast<std::size_t>(width) * mask.height, 0);
  for (int y = 0; y < mask.height; ++y) {
    const std::uint8_t* from = mask.coverage.data() + static_cast<std::size_t>(y) * mask.width;
    std::uint8_t* to = coverage.data() + static_cast<std::size_t>(y) * width;
    for (int x = 0; x < mask.width; ++x) {
      to[x] = std::max(to[x], from[x]);
      to[x + 1] = from[x];
    }
  }
  mask.width = width;
  mask.coverage = std::move(coverage);
}

// The runs of covered pixels of every row: painting walks them instead of
// every coverage byte.
void CollectSpans(GlyphMask& mask) {
  mask.spans.clear();
  for (int y = 0; y < mask.height; ++y) {
    const std::uint8_t* row = mask.coverage.data() + static_cast<std::size_t>(y) * mask.width;
    for (int x = 0; x < mask.width;) {
      if (row[x] == 0) {
        ++x;
        continue;
      }
      CoverageSpan span{y, x, x, true};
      for (; x < mask.width && row[x] != 0; ++x) span.full = span.full && row[x] == 255;
      span.x1 = x;
      mask.spans.push_back(span);
    }
  }
}

// At small sizes the hinted bold face of many families keeps the regular
// one-pixel stems, so bold text would look regular. Such faces are drawn
// overstruck instead, judged by the stem of a lowercase l.
bool BoldNeedsOverstrike(const QFont& font, TFontStyles style) {
  if ((style & FontStyleBit(fsBold)) == 0) return false;
  QFont regular(font);
  regular.setBold(false);
  return RenderGlyphMask(font, 0, u'l')->width <= RenderGlyphMask(regular, 0, u'l')->width;
}

}  // namespace

int EmPixelsForHeight(const QFont& family, int height) {
  if (height == 0) return kDefaultEmPixels;
  if (height < 0) return std::min(-height, kMaxEmPixels);
  // The largest em whose cell still fits the requested cell height.
  QFont probe(family);
  for (int em = std::min(height, kMaxEmPixels); em > 1; --em) {
    probe.setPixelSize(em);
    if (CellHeightOf(probe) <= height) return em;
  }
  return 1;
}

ResolvedFont::ResolvedFont(const QFont& font, TFontStyles style)
    : font_(font), style_(style), overstrike_(BoldNeedsOverstrike(font, style)) {
  const QFontMetricsF metricsF(font_);
  const QFontMetrics metrics(font_);
  ascent_ = CeilMetric(metricsF.ascent());
  descent_ = CeilMetric(metricsF.descent());
  // An overstruck glyph is one pixel wider, and so is its advance.
  const int extraAdvance = overstrike_ ? 1 : 0;
  averageCharWidth_ = metrics.averageCharWidth() + extraAdvance;
  lineThickness_ = std::max(1, metrics.lineWidth());
  const int lowestTop = std::max(0, CellHeight() - lineThickness_);
  underlineTop_ = std::clamp(ascent_ + metrics.underlinePos(), 0, lowestTop);
  strikeOutTop_ = std::clamp(ascent_ - metrics.strikeOutPos(), 0, lowestTop);
  for (int byte = 0; byte < 256; ++byte) {
    const char16_t ch = Windows1252ToUnicode(static_cast<unsigned char>(byte));
    advances_[byte] = IsControlCharacter(ch) ? 0 : metrics.horizontalAdvance(QChar(ch)) + extraAdvance;
  }
}

int ResolvedFont::TextWidth(std::string_view text) const {
  int width = 0;
  for (char ch : text) width += advances_[static_cast<unsigned char>(ch)];
  return width;
}

const GlyphMask& ResolvedFont::Glyph(unsigned char ch) const {
  if (!glyphs_[ch]) {
    glyphs_[ch] = RenderGlyphMask(font_, ascent_, Windows1252ToUnicode(ch));
    if (overstrike_) Overstrike(*glyphs_[ch]);
    CollectSpans(*glyphs_[ch]);
  }
  return *glyphs_[ch];
}

const ResolvedFont& ResolveFont(const TFont& font) {
  // Never destroyed: Qt fonts must not be released after the application's
  // font system has gone at exit.
  static FontCache* cache = new FontCache;
  return cache->Get(font);
}

}  // namespace tintoral
